#include "commands/memory_window.h"
#include "commands/solve_path.h"
#include "solver/units.h"

namespace varendo {

struct SolvePath::Replay {
    std::vector<PathSnapshot> snapshots;
    bool agrees = true;
};

namespace {

using CellArray = std::array<std::int16_t, 83>;

// The engine's grid at one moment: cell k's value at index k - 1, its mask at index k.
struct EngineGrid {
    CellArray values;
    CellArray masks;
};

// Keeps the grid after each placement the replayed passes make.
class PassRecorder final : public PathRecorder {
public:
    explicit PassRecorder(const Solver& solver) : solver_(solver) {}

    void placed(const Placement& placement, std::int16_t) override {
        taken.push_back({placement, {solver_.cell_value, solver_.cell_mask}});
    }
    void stalled(std::int16_t) override {}
    void repeated(std::uint32_t, bool, std::int16_t) override {}

    struct Taken {
        Placement placement;
        EngineGrid grid;
    };
    std::vector<Taken> taken;

private:
    const Solver& solver_;
};

// The masks a run starts from, rebuilt from the cell values.
void rebuild_masks(Solver& s) {
    for (int k = 1; k <= kCellCount; ++k) {
        const std::int16_t value = s.cell_value[k - 1];
        s.cell_mask[k] = value == kEmptyCell ? kAllDigits : digit_mask(value);
    }
}

// The passes of one run as the engine defines them, possible on units 1..27 until a pass
// changes nothing.
void eliminate(Solver& s) {
    rebuild_masks(s);
    s.no_progress = false;
    while (!s.no_progress) {
        s.no_progress = true;
        for (int p = 1; p <= kUnitCount; ++p) s.possible(p);
    }
}

PathSnapshot snapshot_of(const EngineGrid& grid, const Grid81& givens, const PathRecord& record) {
    PathSnapshot shot;
    for (int k = 1; k <= kCellCount; ++k) {
        const int i = row_major_index(k);
        const std::int16_t value = grid.values[k - 1];
        if (value == kEmptyCell) {
            shot.candidates[i] = static_cast<std::uint16_t>(grid.masks[k] & kAllDigits);
            continue;
        }
        shot.digits[i] = static_cast<std::uint8_t>(value);
        shot.origins[i] = givens[i] != 0 ? PathSnapshot::Origin::Given : PathSnapshot::Origin::Placed;
    }
    if (record.event == PathRecord::Event::Placement) {
        shot.new_cell = row_major_index(record.placement.cell);
        shot.unit = record.placement.unit;
    }
    return shot;
}

}  // namespace

void fix_puzzle(Solver& s, const Grid81& grid) {
    for (int k = 1; k <= kCellCount; ++k) {
        const int digit = grid[row_major_index(k)];
        s.frozen_value[k] = digit != 0 ? static_cast<std::int16_t>(digit) : kEmptyFrozen;
    }
    s.reload_fixed_puzzle();
}

const SolvePath::Replay& SolvePath::replay() const {
    if (replay_) return *replay_;
    auto replay = std::make_shared<Replay>();
    MemoryWindow window;
    Solver& s = window.commands().solver();
    fix_puzzle(s, givens_);
    PassRecorder passes(s);
    s.recorder = &passes;
    std::size_t taken = 0;  // of the current run's placements
    const auto grid = [&s] { return EngineGrid{s.cell_value, s.cell_mask}; };
    // A run that starts on a repeated digit stops at its first check, before any pass.
    const auto run_from = [&](std::size_t row) {
        passes.taken.clear();
        taken = 0;
        const bool stops = row + 1 < rows_.size() && rows_[row + 1].event == PathRecord::Event::Repeat &&
                           rows_[row + 1].at_start;
        if (!stops) eliminate(s);
    };

    replay->snapshots.reserve(rows_.size());
    bool searching = false;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const PathRecord& record = rows_[row];
        const Placement& placed = record.placement;
        const bool by_passes = record.event == PathRecord::Event::Placement &&
                               (placed.kind == PlacementKind::Cell || placed.kind == PlacementKind::Unit);
        if (by_passes) {
            if (taken < passes.taken.size() && passes.taken[taken].placement == placed) {
                replay->snapshots.push_back(snapshot_of(passes.taken[taken++].grid, givens_, record));
                continue;
            }
            replay->agrees = false;
            s.cell_value[placed.cell - 1] = placed.digit;
            s.cell_mask[placed.cell] = digit_mask(placed.digit);
            replay->snapshots.push_back(snapshot_of(grid(), givens_, record));
            continue;
        }
        if (taken != passes.taken.size()) replay->agrees = false;
        passes.taken.clear();
        taken = 0;

        EngineGrid now;
        switch (record.event) {
        case PathRecord::Event::Start:
            rebuild_masks(s);
            now = grid();
            run_from(row);
            break;
        case PathRecord::Event::Reload:
            s.reload_fixed_puzzle();
            now = grid();
            run_from(row);
            break;
        case PathRecord::Event::Placement:
            if (placed.kind == PlacementKind::Search && !searching) s.reload_fixed_puzzle();
            searching = placed.kind == PlacementKind::Search;
            s.cell_value[placed.cell - 1] = placed.digit;
            s.cell_mask[placed.cell] = digit_mask(placed.digit);
            now = grid();
            // A guess: the run it starts rebuilds the masks and runs its passes.
            if (placed.kind == PlacementKind::Guess) run_from(row);
            break;
        case PathRecord::Event::Outcome:
            // The grid as Solve leaves it: a solution, or else the fixed puzzle.
            if (record.outcome != Outcome::Solved) s.reload_fixed_puzzle();
            now = grid();
            break;
        case PathRecord::Event::Stall:
        case PathRecord::Event::Repeat:
            now = grid();
            break;
        }
        replay->snapshots.push_back(snapshot_of(now, givens_, record));
    }
    replay_ = std::move(replay);
    return *replay_;
}

const PathSnapshot& SolvePath::snapshot(std::size_t row) const { return replay().snapshots.at(row); }

bool SolvePath::replay_agrees() const { return replay().agrees; }

}  // namespace varendo
