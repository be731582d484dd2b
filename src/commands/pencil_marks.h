#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "solver/exact_search.h"

namespace varendo {

// Digits as bits: bit d for digit d (1..9), as the engine's candidate masks.
using Digits = std::uint16_t;
using GridDigits = std::array<Digits, 81>;
constexpr Digits kNineDigits = 1022;
constexpr Digits digit_bit(int digit) { return static_cast<Digits>(1u << digit); }

// Cells here are row by row, as in Grid81.

// For each empty cell the digits that no digit in its row, column or box rules out; 0 for
// a filled cell.
GridDigits grid_candidates(const Grid81& grid);

// The pencil marks of a grid a person solves by hand: two sets per cell. `own` holds the
// digits the person marked; `struck` the candidates the person struck while the grid's
// candidates are shown. Which set shows depends on `with_candidates`, so turning the
// candidates off and on again loses neither.
struct PencilMarks {
    GridDigits own{};
    GridDigits struck{};

    bool operator==(const PencilMarks&) const = default;
};

// What an empty cell shows: its own marks, or with the candidates shown the candidates
// the person has not struck; 0 for a filled cell.
GridDigits shown_marks(const PencilMarks& marks, const Grid81& grid, bool with_candidates);

// Marks `digit` in the empty `cell`, or takes it away if it shows there; false when nothing
// changes (a filled cell, or with the candidates shown a digit that is none of them).
bool toggle_mark(PencilMarks& marks, const Grid81& grid, bool with_candidates, int cell, int digit);

// Takes every mark out of the empty `cell`: with the candidates shown, strikes them all.
bool clear_cell_marks(PencilMarks& marks, const Grid81& grid, bool with_candidates, int cell);

// After a digit was placed in `cell`: takes that digit from the own marks of every cell
// that sees it. A digit that repeats in one of its units is a mistake and cleans nothing.
bool clean_after_placement(PencilMarks& marks, const Grid81& grid, int cell);

// Makes the marks show `shown` in every empty cell, in both sets: the marks a text brings.
PencilMarks marks_showing(const GridDigits& shown, const Grid81& grid);

// Whether the empty `cell`'s marks leave out the digit `solution` needs there: a candidate
// struck, or own marks that miss it. Such marks are a mistake.
bool misses_solution(const PencilMarks& marks, const Grid81& grid, bool with_candidates, const Grid81& solution,
                     int cell);
// The first such cell in reading order.
std::optional<int> first_missing_solution(const PencilMarks& marks, const Grid81& grid, bool with_candidates,
                                          const Grid81& solution);

// The only solution of a frozen puzzle's givens, if it has exactly one.
std::optional<Grid81> only_solution(const Grid81& givens);

}  // namespace varendo
