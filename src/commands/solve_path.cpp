#include "commands/solve_path.h"

namespace varendo {

void SolvePath::begin(const Grid81& givens) {
    clear();
    givens_ = givens;
}

void SolvePath::clear() {
    givens_ = {};
    rows_.clear();
    attempt_ = 0;
    replay_.reset();
}

PathRecord& SolvePath::add(PathRecord::Event event, std::int16_t pass) {
    replay_.reset();
    PathRecord& record = rows_.emplace_back();
    record.event = event;
    record.attempt = attempt_;
    record.pass = pass;
    return record;
}

void SolvePath::start_attempt(int attempt) {
    attempt_ = static_cast<std::int16_t>(attempt);
    add(PathRecord::Event::Start);
}

void SolvePath::reloaded() { add(PathRecord::Event::Reload); }

void SolvePath::finished(Outcome outcome) { add(PathRecord::Event::Outcome).outcome = outcome; }

void SolvePath::placed(const Placement& placement, std::int16_t pass) {
    add(PathRecord::Event::Placement, pass).placement = placement;
}

void SolvePath::stalled(std::int16_t pass) { add(PathRecord::Event::Stall, pass); }

void SolvePath::repeated(std::uint32_t units, bool at_start, std::int16_t pass) {
    PathRecord& record = add(PathRecord::Event::Repeat, pass);
    record.units = units;
    record.at_start = at_start;
}

}  // namespace varendo
