#pragma once

#include <array>

#include "picture/picture_reader.h"

namespace varendo {

// Each cell's likeness to each digit (index 1 to 9), as the classifier scored it.
using DigitScores = std::array<std::array<float, 10>, 81>;

// Cells whose ink is alike beyond doubt, so one digit: each cell's group numbered from 1, 0
// for a cell alike to no other.
using PrintTwins = std::array<int, 81>;

// Whether two cells, numbered row by row from 0, share a row, a column or a box.
bool same_unit(int a, int b);

// Settles a reading's doubts by the rules of the game: of two equal digits in a row, column
// or box, the one that loses less likeness by it becomes its next likeliest digit that
// repeats none; a `faded` digit, much paler than the grid's others and perhaps a smudge, is
// left out wherever the puzzle has exactly one solution without it; then, when the puzzle has
// no solution or several, a group of `twins` read as different digits is read as one of them
// where that leaves it exactly one; else the doubtful digits that cost least of their likeness give way to
// their next likeliest, or to an empty cell, to leave it exactly one (one or two of them; else
// three, to digits alone). Every digit changed or faded is left in doubt, and so, when the
// reading had no solution or several before that last step, is every digit barely more like
// its own digit than another. True when it had exactly one solution before that step.
bool settle_by_rules(PictureReading& reading, const DigitScores& scores, const std::array<bool, 81>& faded,
                     const PrintTwins& twins);

}  // namespace varendo
