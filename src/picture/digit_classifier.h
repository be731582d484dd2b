#pragma once

#include "picture/cell_cutter.h"

namespace varendo {

struct DigitMatch {
    int digit = 0;       // 1 to 9
    float score = 0;     // the likeness to the closest template of that digit, up to 1
    float margin = 0;    // how much closer than the closest template of any other digit
    std::array<float, 10> scores{};   // the likeness to each digit's closest template
};

// The digit whose templates (made when the program was built, from digits drawn in many
// font faces and cut by the very code that cuts a picture's cells) the ink is most like.
DigitMatch classify(const DigitInk& ink);

}  // namespace varendo
