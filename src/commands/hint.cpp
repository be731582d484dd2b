#include "commands/hint.h"

#include "commands/memory_window.h"
#include "commands/solve_path.h"
#include "solver/units.h"

namespace varendo {

namespace {

// Where the givens' only solution differs from a digit typed into the grid, in reading order.
std::optional<int> wrong_digit(const Grid81& shown, const Grid81& givens) {
    const SearchResult found = find_solutions(givens, 2);
    if (found.count != 1) return std::nullopt;
    for (int i = 0; i < kCellCount; ++i)
        if (shown[i] != 0 && shown[i] != found.solution[i]) return i;
    return std::nullopt;
}

// The first run of Solve's first attempt on the grid, as a path.
SolvePath first_run(const Grid81& grid) {
    MemoryWindow window;
    Solver& s = window.commands().solver();
    fix_puzzle(s, grid);
    SolvePath path;
    path.begin(grid);
    path.start_attempt(1);
    s.recorder = &path;
    s.main_function();
    return path;
}

}  // namespace

Hint find_hint(const Grid81& shown, const std::optional<Grid81>& frozen) {
    Hint hint;
    if (const PuzzleCheck check = check_puzzle(shown); check.verdict == PuzzleCheck::Verdict::Repeat) {
        hint.kind = Hint::Kind::Repeat;
        hint.repeat = check;
        return hint;
    }
    if (frozen) {
        if (const std::optional<int> wrong = wrong_digit(shown, *frozen)) {
            hint.kind = Hint::Kind::WrongDigit;
            hint.row = *wrong / 9 + 1;
            hint.column = *wrong % 9 + 1;
            hint.digit = shown[*wrong];
            return hint;
        }
    }

    const SolvePath path = first_run(shown);
    const std::vector<PathRecord>& rows = path.rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const PathRecord& record = rows[row];
        if (record.event == PathRecord::Event::Placement) {
            hint.kind = record.placement.kind == PlacementKind::Guess ? Hint::Kind::Stall : Hint::Kind::Placement;
            hint.row = record.row();
            hint.column = record.column();
            hint.digit = record.placement.digit;
            hint.how = record.placement.kind;
            hint.unit = record.placement.unit;
            hint.places = record.placement.places;
            return hint;
        }
        if (record.event != PathRecord::Event::Stall) continue;
        if (row + 1 < rows.size() && rows[row + 1].event == PathRecord::Event::Placement) continue;
        // A stall without a guess: every empty cell has lost its last candidate.
        for (int i = 0; i < kCellCount; ++i) {
            if (shown[i] != 0) continue;
            hint.kind = Hint::Kind::NoCandidate;
            hint.row = i / 9 + 1;
            hint.column = i % 9 + 1;
            return hint;
        }
    }
    hint.kind = Hint::Kind::Solved;
    return hint;
}

}  // namespace varendo
