#include "logic/chains.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <vector>

#include "logic/chain_run.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

double length_difficulty(int complexity) {
    double added = 0.0;
    int ceiling = 4;
    bool odd = false;
    for (int length = complexity - 2; length > ceiling; odd = !odd) {
        added += 0.1;
        ceiling = odd ? ceiling * 4 / 3 : ceiling * 3 / 2;
    }
    return added;
}

Candidate candidate_of(NodeId id) {
    return {static_cast<std::uint8_t>(node_cell(id)), static_cast<std::uint8_t>(node_digit(id))};
}

// A chain of a hint: the run it lies in and the node it ends at.
struct ChainEnd {
    const ChainRun* run;
    int index;
};

class ChainSearch {
public:
    ChainSearch(const CandidateGrid& grid, ChainFamily family)
        : source_(grid), work_(grid), dynamic_(family != ChainFamily::Static && family != ChainFamily::Multiple),
          nishio_(family == ChainFamily::Nishio), multiple_(family != ChainFamily::Static && family != ChainFamily::Nishio),
          plus_(family == ChainFamily::DynamicPlus),
          base_(family == ChainFamily::Nishio    ? 7.5
                : family == ChainFamily::Multiple ? 8.0
                : plus_                           ? 9.0
                                                  : 8.5) {}

    std::optional<Step> run_static();
    std::optional<Step> run_multiple();

private:
    void on_to_off(ChainRun& run, int p, bool y, std::vector<int>& out);
    void off_to_on(ChainRun& run, int p, bool y, bool x, std::vector<int>& out);
    // Follows the assumptions in the run's set; a contradiction found ends it (on, off).
    bool follow(ChainRun& run, int& on_end, int& off_end);
    // What the simple rules find in the grid the chain has made: candidates that go off, each
    // with the removals the rule needed as its parents.
    void advanced(ChainRun& run, std::vector<int>& out);
    void rule_parents(const ChainRun& run, const Step& step, std::vector<int>& parents) const;
    void removed_in(const ChainRun& run, int cell, int digit, std::vector<int>& parents) const;
    void unary(int cell, int digit, bool y, bool x);
    void cycles(ChainRun& run, NodeId source, bool y, bool x, std::vector<int>& found);
    void forcing(ChainRun& run, NodeId source, bool y, std::vector<int>& found);
    void cell_and_region(int cell);
    void regions(int cell, int digit, ChainRun& on_run);

    // Offers a hint; it becomes the best when easier, or as easy with a shorter chain.
    void offer(Technique technique, double base, int sort_key, NodeId target, bool placement,
               std::vector<Candidate> removable, const std::vector<ChainEnd>& chains);
    void offer_target(Technique technique, int sort_key, NodeId target, const std::vector<ChainEnd>& chains);

    const CandidateGrid& source_;
    CandidateGrid work_;
    bool dynamic_;
    bool nishio_;
    bool multiple_;
    bool plus_;
    double base_;
    std::vector<int> pending_on_, pending_off_, out_;

    bool have_best_ = false;
    double best_difficulty_ = 0;
    int best_complexity_ = 0;
    int best_sort_ = 0;
    Step best_;

    // What each candidate implies when on, worked out once per search: a cell's chains and the
    // region chains of its houses need the same ones. Kept per thread between searches.
    struct OnRun {
        ChainRun* run = nullptr;
        bool contradiction = false;
        int on_end = 0, off_end = 0;
    };
    OnRun& assume_on(int cell, int digit);
    std::array<OnRun, 81 * 9> on_runs_{};
    std::size_t runs_used_ = 0;
    ChainRun* value_runs_[10] = {};
    ChainRun* scratch_run();
};

void ChainSearch::on_to_off(ChainRun& run, int p, bool y, std::vector<int>& out) {
    out.clear();
    const NodeId id = run.id(p);
    const int cell = node_cell(id);
    const int digit = node_digit(id);
    if (y) {
        for (int v = 1; v <= 9; ++v)
            if (v != digit && work_.has(cell, v)) out.push_back(run.add(node_id(cell, v, false), &p, 1));
    }
    // The peers come box, row, column, each once: the order the rater meets them in.
    for (std::uint8_t other : peers(cell))
        if (work_.has(other, digit)) out.push_back(run.add(node_id(other, digit, false), &p, 1));
}

void ChainSearch::off_to_on(ChainRun& run, int p, bool y, bool x, std::vector<int>& out) {
    out.clear();
    const NodeId id = run.id(p);
    const int cell = node_cell(id);
    const int digit = node_digit(id);
    int parents[1 + 9];
    parents[0] = p;
    if (y && mask_count(work_.candidates(cell)) == 2) {
        const int other = std::countr_zero(static_cast<unsigned>(work_.candidates(cell) & ~digit_bit(digit))) + 1;
        int count = 1;
        if (dynamic_)
            for (int v = 1; v <= 9; ++v)
                if (source_.has(cell, v) && !work_.has(cell, v) && run.find(node_id(cell, v, false)) >= 0)
                    parents[count++] = run.find(node_id(cell, v, false));
        out.push_back(run.add(node_id(cell, other, true), parents, count));
    }
    if (!x) return;
    for (int house : houses_of(cell)) {
        const unsigned places = work_.positions(house, digit);
        if (mask_count(places) != 2) continue;
        const HouseCells& cells = house_cells(house);
        int other = cells[std::countr_zero(places)];
        if (other == cell) other = cells[31 - std::countl_zero(places)];
        const NodeId on = node_id(other, digit, true);
        bool seen = false;
        for (int q : out) seen = seen || run.id(q) == on;
        if (seen) continue;
        int count = 1;
        if (dynamic_)
            for (std::uint8_t c : cells)
                if (source_.has(c, digit) && !work_.has(c, digit) && run.find(node_id(c, digit, false)) >= 0)
                    parents[count++] = run.find(node_id(c, digit, false));
        out.push_back(run.add(on, parents, count));
    }
}

bool ChainSearch::follow(ChainRun& run, int& on_end, int& off_end) {
    work_ = source_;
    pending_on_.clear();
    pending_off_.clear();
    for (int m : run.members()) (node_on(run.id(m)) ? pending_on_ : pending_off_).push_back(m);
    std::size_t on_head = 0, off_head = 0;
    std::vector<int> out;
    while (on_head < pending_on_.size() || off_head < pending_off_.size()) {
        if (on_head < pending_on_.size()) {
            const int p = pending_on_[on_head++];
            on_to_off(run, p, !nishio_, out);
            for (int q : out) {
                const int conj = run.find(conjugate(run.id(q)));
                if (conj >= 0) {
                    on_end = conj;
                    off_end = q;
                    return true;
                }
                if (run.insert(q)) pending_off_.push_back(q);
            }
        } else {
            const int p = pending_off_[off_head++];
            off_to_on(run, p, !nishio_, true, out);
            if (dynamic_) work_.eliminate(node_cell(run.id(p)), node_digit(run.id(p)));
            for (int q : out) {
                const int conj = run.find(conjugate(run.id(q)));
                if (conj >= 0) {
                    on_end = q;
                    off_end = conj;
                    return true;
                }
                if (run.insert(q)) pending_on_.push_back(q);
            }
        }
        if (plus_ && on_head == pending_on_.size() && off_head == pending_off_.size()) {
            advanced(run, out);
            for (int q : out)
                if (run.insert(q)) pending_off_.push_back(q);
        }
    }
    return false;
}

void ChainSearch::removed_in(const ChainRun& run, int cell, int digit, std::vector<int>& parents) const {
    if (!source_.has(cell, digit) || work_.has(cell, digit)) return;
    const int index = run.find(node_id(cell, digit, false));
    if (index >= 0) parents.push_back(index);
}

void ChainSearch::rule_parents(const ChainRun& run, const Step& step, std::vector<int>& parents) const {
    parents.clear();
    switch (step.technique) {
    case Technique::Pointing:
    case Technique::Claiming:
    case Technique::XWing: {
        const std::vector<std::uint8_t>& bases = step.base.empty() ? std::vector<std::uint8_t>{step.houses[0]} : step.base;
        const std::vector<std::uint8_t>& covers = step.cover.empty() ? std::vector<std::uint8_t>{step.houses[1]} : step.cover;
        const int digit = std::countr_zero(static_cast<unsigned>(step.digits)) + 1;
        for (int base : bases)
            for (std::uint8_t cell : house_cells(base)) {
                bool covered = false;
                for (int cover : covers)
                    for (std::uint8_t c : house_cells(cover)) covered = covered || c == cell;
                if (!covered) removed_in(run, cell, digit, parents);
            }
        break;
    }
    case Technique::HiddenPair: {
        const int house = step.houses[0];
        unsigned places = 0;
        for (int d = 1; d <= 9; ++d)
            if (step.digits & digit_bit(d)) places |= work_.positions(house, d);
        for (int j = 0; j < 9; ++j) {
            if (places & (1u << j)) continue;
            for (int d = 1; d <= 9; ++d)
                if ((step.digits & digit_bit(d)) && source_.has(house_cells(house)[j], d)) {
                    const int index = run.find(node_id(house_cells(house)[j], d, false));
                    if (index >= 0) parents.push_back(index);
                }
        }
        break;
    }
    default:  // a naked pair
        for (std::uint8_t cell : step.cells)
            for (int d = 1; d <= 9; ++d)
                if (!(step.digits & digit_bit(d)) && source_.has(cell, d)) {
                    const int index = run.find(node_id(cell, d, false));
                    if (index >= 0) parents.push_back(index);
                }
        break;
    }
}

void ChainSearch::advanced(ChainRun& run, std::vector<int>& out) {
    out.clear();
    std::vector<int> parents;
    const StepSink take = [&](Step&& step) {
        rule_parents(run, step, parents);
        if (parents.empty()) return true;  // the rule held before the chain began
        std::sort(step.eliminations.begin(), step.eliminations.end(),
                  [](const Candidate& a, const Candidate& b) { return a.cell != b.cell ? a.cell < b.cell : a.digit < b.digit; });
        for (const Candidate& c : step.eliminations)
            out.push_back(run.add(node_id(c.cell, c.digit, false), parents.data(), static_cast<int>(parents.size())));
        return true;
    };
    // The first rule that finds anything the chain made gives all it finds.
    find_locking(work_, false, take);
    if (out.empty()) find_hidden_sets(work_, 2, false, explainer_sets(work_, 2, true, take));
    if (out.empty()) find_naked_sets(work_, 2, explainer_sets(work_, 2, false, take));
    if (out.empty()) find_fish(work_, 2, explainer_fish(work_, 2, take));
}

void ChainSearch::offer(Technique technique, double base, int sort_key, NodeId target, bool placement,
                        std::vector<Candidate> removable, const std::vector<ChainEnd>& chains) {
    if (removable.empty()) return;
    int complexity = 0;
    for (const ChainEnd& end : chains) complexity += end.run->ancestor_count(end.index);
    const double difficulty = base + length_difficulty(complexity);
    if (have_best_ && !(difficulty < best_difficulty_ ||
                        (difficulty == best_difficulty_ &&
                         (complexity < best_complexity_ || (complexity == best_complexity_ && sort_key < best_sort_))))) {
        return;
    }
    have_best_ = true;
    best_difficulty_ = difficulty;
    best_complexity_ = complexity;
    best_sort_ = sort_key;
    best_ = Step{};
    best_.technique = technique;
    best_.rating = static_cast<int>((difficulty + 0.05) * 10);
    best_.complexity = complexity;
    best_.eliminations = std::move(removable);
    if (placement) best_.placements.push_back(candidate_of(target));
    best_.cells.push_back(static_cast<std::uint8_t>(node_cell(target)));
    best_.digits = digit_bit(node_digit(target));
    for (const ChainEnd& end : chains) end.run->describe(end.index, best_);
}

// The hint that a node holds: an on node places its digit, an off node strikes it.
void ChainSearch::offer_target(Technique technique, int sort_key, NodeId target, const std::vector<ChainEnd>& chains) {
    std::vector<Candidate> removable;
    const int cell = node_cell(target);
    const int digit = node_digit(target);
    if (node_on(target)) {
        for (int v = 1; v <= 9; ++v)
            if (v != digit && source_.has(cell, v)) removable.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(v)});
    } else if (source_.has(cell, digit)) {
        removable.push_back(candidate_of(target));
    }
    offer(technique, base_, sort_key, target, node_on(target), std::move(removable), chains);
}

void ChainSearch::cycles(ChainRun& run, NodeId source, bool y, bool x, std::vector<int>& found) {
    std::vector<int> pending_on{run.members().front()}, pending_off, out;
    int length = 0;
    while (!pending_on.empty() || !pending_off.empty()) {
        ++length;
        for (std::size_t i = 0; i < pending_on.size(); ++i) {
            const int p = pending_on[i];
            on_to_off(run, p, y, out);
            for (int q : out) {
                if (run.on_first_parent_line(p, run.id(q))) continue;
                pending_off.push_back(q);
                run.insert(q);
            }
        }
        pending_on.clear();
        ++length;
        for (std::size_t i = 0; i < pending_off.size(); ++i) {
            off_to_on(run, pending_off[i], y, x, out);
            for (int q : out) {
                if (length >= 4 && run.id(q) == source) found.push_back(q);
                if (run.insert(q)) pending_on.push_back(q);
            }
        }
        pending_off.clear();
    }
}

void ChainSearch::forcing(ChainRun& run, NodeId source, bool y, std::vector<int>& found) {
    std::vector<int> pending_on, pending_off, out;
    for (int m : run.members()) (node_on(run.id(m)) ? pending_on : pending_off).push_back(m);
    auto note = [&](int q) {
        if (conjugate(run.id(q)) != source) return;
        for (int f : found)
            if (run.id(f) == run.id(q)) return;
        found.push_back(q);
    };
    while (!pending_on.empty() || !pending_off.empty()) {
        for (std::size_t i = 0; i < pending_on.size(); ++i) {
            on_to_off(run, pending_on[i], y, out);
            for (int q : out) {
                note(q);
                if (run.insert(q)) pending_off.push_back(q);
            }
        }
        pending_on.clear();
        for (std::size_t i = 0; i < pending_off.size(); ++i) {
            off_to_on(run, pending_off[i], y, true, out);
            for (int q : out) {
                note(q);
                if (run.insert(q)) pending_on.push_back(q);
            }
        }
        pending_off.clear();
    }
}

void ChainSearch::unary(int cell, int digit, bool y, bool x) {
    if (mask_count(source_.candidates(cell)) > 2 && !x) return;
    const Technique cycle_name = x && y ? Technique::XYCycle : y ? Technique::YCycle : Technique::XCycle;
    const double cycle_base = x && y ? 7.0 : 6.5;
    const int sort_key = x && y ? 4 : y ? 3 : 2;
    ChainRun& run = *scratch_run();
    run.clear();
    run.insert(run.add(node_id(cell, digit, true), nullptr, 0));
    std::vector<int> found;
    cycles(run, node_id(cell, digit, true), y, x, found);
    for (int end : found) {
        // Cells of the loop, then what both colours of each candidate see.
        std::vector<int> loop;
        for (int p = end; run.first_parent(p) >= 0; p = run.first_parent(p)) loop.push_back(p);
        unsigned long long in_loop[2] = {0, 0};
        for (int p : loop) in_loop[node_cell(run.id(p)) / 64] |= 1ull << (node_cell(run.id(p)) % 64);
        std::array<std::uint8_t, 81 * 9> seen_by{};
        for (int p : loop) {
            const NodeId id = run.id(p);
            for (std::uint8_t c : peers(node_cell(id))) {
                if ((in_loop[c / 64] >> (c % 64)) & 1) continue;
                if (source_.has(c, node_digit(id))) seen_by[c * 9 + node_digit(id) - 1] |= node_on(id) ? 1 : 2;
            }
        }
        std::vector<Candidate> removable;
        for (int k = 0; k < 81 * 9; ++k)
            if (seen_by[k] == 3) removable.push_back({static_cast<std::uint8_t>(k / 9), static_cast<std::uint8_t>(k % 9 + 1)});
        offer(cycle_name, cycle_base, sort_key, run.id(end), false, std::move(removable), {{&run, end}});
    }
    if (!x) return;
    const Technique chain_name = y ? Technique::ForcingChain : Technique::ForcingXChain;
    const double chain_base = y ? 7.0 : 6.6;
    for (bool on : {true, false}) {
        run.clear();
        run.insert(run.add(node_id(cell, digit, on), nullptr, 0));
        found.clear();
        forcing(run, node_id(cell, digit, on), y, found);
        std::vector<Candidate> removable;
        for (int end : found) {
            const NodeId target = run.id(end);
            removable.clear();
            if (node_on(target)) {
                for (int v = 1; v <= 9; ++v)
                    if (v != digit && source_.has(cell, v)) removable.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(v)});
            } else {
                removable.push_back(candidate_of(target));
            }
            offer(chain_name, chain_base, sort_key, target, node_on(target), removable, {{&run, end}});
        }
    }
}

std::optional<Step> ChainSearch::run_static() {
    const bool passes[3][2] = {{false, true}, {true, false}, {true, true}};
    for (const auto& pass : passes)
        for (int cell = 0; cell < 81; ++cell) {
            if (source_.digit(cell) != 0 || mask_count(source_.candidates(cell)) < 2) continue;
            for (int digit = 1; digit <= 9; ++digit)
                if (source_.has(cell, digit)) unary(cell, digit, pass[0], pass[1]);
        }
    if (!have_best_) return std::nullopt;
    return best_;
}

void ChainSearch::regions(int cell, int digit, ChainRun& on_run) {
    for (int house : houses_of(cell)) {
        const unsigned places = source_.positions(house, digit);
        const int count = mask_count(places);
        if (!(count == 2 || (multiple_ && count > 2))) continue;
        const HouseCells& cells = house_cells(house);
        if (cells[std::countr_zero(places)] != cell) continue;
        std::vector<ChainRun*> runs;
        for (int j = 0; j < 9; ++j) {
            if (!(places & (1u << j))) continue;
            if (cells[j] == cell) {
                runs.push_back(&on_run);
                continue;
            }
            runs.push_back(assume_on(cells[j], digit).run);
        }
        for (bool on : {true, false})
            for (int m : on_run.members()) {
                const NodeId id = on_run.id(m);
                if (node_on(id) != on) continue;
                std::vector<ChainEnd> chains;
                for (ChainRun* run : runs) {
                    const int index = run->find(id);
                    if (index < 0) break;
                    chains.push_back({run, index});
                }
                if (chains.size() != runs.size()) continue;
                offer_target(dynamic_ ? Technique::DynamicRegionForcingChain : Technique::RegionForcingChain, 6, id, chains);
            }
    }
}

void ChainSearch::cell_and_region(int cell) {
    const unsigned mask = source_.candidates(cell);
    const int count = mask_count(mask);
    const bool double_chains = count >= 3 && !nishio_ && dynamic_;
    const bool contradictions = dynamic_;
    for (int digit = 1; digit <= 9; ++digit) {
        if (!(mask & digit_bit(digit))) continue;
        const OnRun& assumed = assume_on(cell, digit);
        ChainRun& on_run = *assumed.run;
        value_runs_[digit] = &on_run;
        if (assumed.contradiction && contradictions)
            offer_target(nishio_ ? Technique::NishioForcingChain : Technique::ContradictionForcingChain, 7,
                         node_id(cell, digit, false), {{&on_run, assumed.on_end}, {&on_run, assumed.off_end}});
        ChainRun& off_run = *scratch_run();
        off_run.clear();
        off_run.insert(off_run.add(node_id(cell, digit, false), nullptr, 0));
        int a = 0, b = 0;
        if (follow(off_run, a, b) && contradictions)
            offer_target(nishio_ ? Technique::NishioForcingChain : Technique::ContradictionForcingChain, 7,
                         node_id(cell, digit, true), {{&off_run, a}, {&off_run, b}});
        if (double_chains) {
            for (bool on : {true, false})
                for (int m : on_run.members()) {
                    const NodeId id = on_run.id(m);
                    if (node_on(id) != on) continue;
                    const int other = off_run.find(id);
                    if (other >= 0) offer_target(Technique::DoubleForcingChain, 1, id, {{&on_run, m}, {&off_run, other}});
                }
        }
        if (!nishio_) regions(cell, digit, on_run);
    }
    if (nishio_ || !(count == 2 || (multiple_ && count > 2))) return;
    ChainRun& first = *value_runs_[std::countr_zero(mask) + 1];
    for (bool on : {true, false})
        for (int m : first.members()) {
            const NodeId id = first.id(m);
            if (node_on(id) != on) continue;
            std::vector<ChainEnd> chains;
            for (int digit = 1; digit <= 9; ++digit) {
                if (!(mask & digit_bit(digit))) continue;
                const int index = value_runs_[digit]->find(id);
                if (index < 0) break;
                chains.push_back({value_runs_[digit], index});
            }
            if (static_cast<int>(chains.size()) != count) continue;
            offer_target(dynamic_ ? Technique::DynamicCellForcingChain : Technique::CellForcingChain, 5, id, chains);
        }
}

// Runs kept by each thread, so that a long rating reuses their memory.
thread_local std::vector<std::unique_ptr<ChainRun>> run_pool;

ChainRun* ChainSearch::scratch_run() {
    // The first run of the pool is the scratch one; the cached ones follow it.
    if (run_pool.empty()) run_pool.push_back(std::make_unique<ChainRun>());
    return run_pool.front().get();
}

ChainSearch::OnRun& ChainSearch::assume_on(int cell, int digit) {
    OnRun& entry = on_runs_[cell * 9 + digit - 1];
    if (entry.run != nullptr) return entry;
    scratch_run();
    if (++runs_used_ >= run_pool.size()) run_pool.push_back(std::make_unique<ChainRun>());
    entry.run = run_pool[runs_used_].get();
    entry.run->clear();
    entry.run->insert(entry.run->add(node_id(cell, digit, true), nullptr, 0));
    entry.contradiction = follow(*entry.run, entry.on_end, entry.off_end);
    return entry;
}

std::optional<Step> ChainSearch::run_multiple() {
    for (int cell = 0; cell < 81; ++cell) {
        if (source_.digit(cell) != 0) continue;
        const int count = mask_count(source_.candidates(cell));
        if (count > 2 || (count > 1 && dynamic_)) cell_and_region(cell);
    }
    if (!have_best_) return std::nullopt;
    return best_;
}

}  // namespace

int chain_length_bonus(int complexity) {
    return static_cast<int>(length_difficulty(complexity) * 10 + 0.5);
}

std::optional<Step> find_chain_step(const CandidateGrid& grid, ChainFamily family) {
    ChainSearch search(grid, family);
    return family == ChainFamily::Static ? search.run_static() : search.run_multiple();
}

}  // namespace varendo::logic
