#include "commands/puzzle_check.h"

#include <utility>

namespace varendo {

namespace {

// Row and column (0..8) of the j-th cell (0..8) of unit n (1..9) of a kind.
std::pair<int, int> place_in_unit(UnitKind kind, int n, int j) {
    switch (kind) {
    case UnitKind::Row: return {n - 1, j};
    case UnitKind::Column: return {j, n - 1};
    case UnitKind::Box: break;
    }
    // The inverse of box_of: boxes run down the bands of columns.
    return {3 * ((n - 1) % 3) + j / 3, 3 * ((n - 1) / 3) + j % 3};
}

}  // namespace

PuzzleCheck check_puzzle(const Grid81& cells) {
    for (const UnitKind kind : {UnitKind::Row, UnitKind::Column, UnitKind::Box}) {
        for (int n = 1; n <= 9; ++n) {
            unsigned seen = 0;
            for (int j = 0; j < 9; ++j) {
                const auto [row, column] = place_in_unit(kind, n, j);
                const int digit = cells[static_cast<std::size_t>(9 * row + column)];
                if (digit == 0) continue;
                if ((seen >> digit & 1) != 0)
                    return {PuzzleCheck::Verdict::Repeat, digit, kind, n, row + 1, column + 1};
                seen |= 1u << digit;
            }
        }
    }
    switch (find_solutions(cells, 2).count) {
    case 0: return {PuzzleCheck::Verdict::NoSolution};
    case 1: return {PuzzleCheck::Verdict::OneSolution};
    default: return {PuzzleCheck::Verdict::SeveralSolutions};
    }
}

}  // namespace varendo
