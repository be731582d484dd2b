#pragma once

#include <array>

#include "picture/picture_reader.h"

namespace varendo {

// Each cell's likeness to each digit (index 1 to 9), as the classifier scored it.
using DigitScores = std::array<std::array<float, 10>, 81>;

// Whether two cells, numbered row by row from 0, share a row, a column or a box.
bool same_unit(int a, int b);

// Settles a reading's doubts by the rules of the game: of two equal digits in a row, column
// or box, the one less like its digit becomes its next likeliest digit that repeats none;
// then, when the puzzle has no solution or several, the doubtful digits that cost least of
// their likeness give way to their next likeliest, or to an empty cell, to leave it exactly
// one (one or two of them; else three, to digits alone). Every digit changed
// is left in doubt, and so, when the reading as read had no solution or several, is every
// digit barely more like its own digit than another. True when the reading as read had
// exactly one solution.
bool settle_by_rules(PictureReading& reading, const DigitScores& scores);

}  // namespace varendo
