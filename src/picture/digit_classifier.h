#pragma once

#include "picture/cell_cutter.h"

namespace varendo {

// How like each digit (1 to 9) a cell's ink is: its likeness to that digit's closest template,
// up to 1.
using CellScores = std::array<float, 10>;

// A cell's likeness to the templates made when the program was built (from digits drawn in
// many font faces and cut by the very code that cuts a picture's cells): to those of sharp,
// soft and shaken drawings, and apart to those of a misty photo's small digits, which are like
// too many a plain digit to read every picture by.
struct DigitLikeness {
    CellScores usual{};
    CellScores misty{};
};
DigitLikeness likeness(const DigitInk& ink);

struct DigitMatch {
    int digit = 0;       // 1 to 9
    float score = 0;     // the digit's score
    float margin = 0;    // how much closer than the closest template of any other digit
};

// The digit the scores put first.
DigitMatch best_match(const CellScores& scores);

}  // namespace varendo
