#pragma once

#include "picture/cell_cutter.h"

namespace varendo {

// A digit's ink made comparable across stroke weights and contrast: slightly blurred, less
// its mean, scaled to length 1, so that the dot product of two patterns is their likeness.
using InkPattern = DigitInk;
InkPattern ink_pattern(const DigitInk& ink);

}  // namespace varendo
