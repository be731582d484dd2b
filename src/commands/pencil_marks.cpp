#include "commands/pencil_marks.h"

#include "solver/units.h"

namespace varendo {

namespace {

// The cells that share a row, column or box with `cell`, `cell` itself among them.
template <typename Visit>
void for_each_peer(int cell, Visit visit) {
    const int row = cell / 9;
    const int column = cell % 9;
    for (int other = 0; other < kCellCount; ++other) {
        const int r = other / 9;
        const int c = other % 9;
        if (r == row || c == column || (r / 3 == row / 3 && c / 3 == column / 3)) visit(other);
    }
}

Digits cell_candidates(const Grid81& grid, int cell) {
    if (grid[cell] != 0) return 0;
    Digits ruled_out = 0;
    for_each_peer(cell, [&](int peer) { ruled_out |= static_cast<Digits>(digit_bit(grid[peer]) & kNineDigits); });
    return static_cast<Digits>(kNineDigits & ~ruled_out);
}

Digits shown_in(const PencilMarks& marks, const Grid81& grid, bool with_candidates, int cell) {
    if (grid[cell] != 0) return 0;
    return with_candidates ? static_cast<Digits>(cell_candidates(grid, cell) & ~marks.struck[cell]) : marks.own[cell];
}

}  // namespace

GridDigits grid_candidates(const Grid81& grid) {
    GridDigits candidates{};
    for (int cell = 0; cell < kCellCount; ++cell) candidates[cell] = cell_candidates(grid, cell);
    return candidates;
}

GridDigits shown_marks(const PencilMarks& marks, const Grid81& grid, bool with_candidates) {
    GridDigits shown{};
    for (int cell = 0; cell < kCellCount; ++cell) shown[cell] = shown_in(marks, grid, with_candidates, cell);
    return shown;
}

bool toggle_mark(PencilMarks& marks, const Grid81& grid, bool with_candidates, int cell, int digit) {
    if (grid[cell] != 0 || digit < 1 || digit > 9) return false;
    if (!with_candidates) {
        marks.own[cell] ^= digit_bit(digit);
        return true;
    }
    if ((cell_candidates(grid, cell) & digit_bit(digit)) == 0) return false;
    marks.struck[cell] ^= digit_bit(digit);
    return true;
}

bool clear_cell_marks(PencilMarks& marks, const Grid81& grid, bool with_candidates, int cell) {
    if (shown_in(marks, grid, with_candidates, cell) == 0) return false;
    if (with_candidates) {
        marks.struck[cell] = kNineDigits;
    } else {
        marks.own[cell] = 0;
    }
    return true;
}

bool clean_after_placement(PencilMarks& marks, const Grid81& grid, int cell) {
    const int digit = grid[cell];
    if (digit == 0) return false;
    bool repeats = false;
    for_each_peer(cell, [&](int peer) { repeats = repeats || (peer != cell && grid[peer] == digit); });
    if (repeats) return false;
    bool changed = false;
    for_each_peer(cell, [&](int peer) {
        if (peer == cell || (marks.own[peer] & digit_bit(digit)) == 0) return;
        marks.own[peer] &= static_cast<Digits>(~digit_bit(digit));
        changed = true;
    });
    return changed;
}

PencilMarks marks_showing(const GridDigits& shown, const Grid81& grid) {
    PencilMarks marks;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (grid[cell] != 0) continue;
        marks.own[cell] = static_cast<Digits>(shown[cell] & kNineDigits);
        marks.struck[cell] = static_cast<Digits>(kNineDigits & ~marks.own[cell]);
    }
    return marks;
}

bool misses_solution(const PencilMarks& marks, const Grid81& grid, bool with_candidates, const Grid81& solution,
                     int cell) {
    if (grid[cell] != 0) return false;
    const Digits needed = digit_bit(solution[cell]);
    if (with_candidates) return (marks.struck[cell] & needed) != 0;
    return marks.own[cell] != 0 && (marks.own[cell] & needed) == 0;
}

std::optional<int> first_missing_solution(const PencilMarks& marks, const Grid81& grid, bool with_candidates,
                                          const Grid81& solution) {
    for (int cell = 0; cell < kCellCount; ++cell)
        if (misses_solution(marks, grid, with_candidates, solution, cell)) return cell;
    return std::nullopt;
}

std::optional<Grid81> only_solution(const Grid81& givens) {
    const SearchResult found = find_solutions(givens, 2);
    if (found.count != 1) return std::nullopt;
    return found.solution;
}

}  // namespace varendo
