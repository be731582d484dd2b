#pragma once

#include "solver/exact_search.h"
#include "solver/units.h"

namespace varendo {

// What Check finds in a grid: a digit that a unit holds twice, or else how many solutions
// the grid has.
struct PuzzleCheck {
    enum class Verdict { Repeat, NoSolution, OneSolution, SeveralSolutions };
    Verdict verdict = Verdict::NoSolution;
    // For a repeat: the digit, the unit (number 1..9 within its kind, boxes as box_of numbers
    // them), and the row and column (1..9) of its second place there.
    int digit = 0;
    UnitKind unit = UnitKind::Row;
    int number = 0;
    int row = 0;
    int column = 0;
};

// Looks at the rows from the top, then the columns from the left, then the boxes, each in
// reading order, and reports the first digit met twice; a grid without a repeat is solved
// by the complete search. Cells row by row, 0 for empty.
PuzzleCheck check_puzzle(const Grid81& cells);

}  // namespace varendo
