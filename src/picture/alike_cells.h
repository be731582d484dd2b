#pragma once

#include <array>

#include "picture/cell_cutter.h"
#include "picture/reading_rules.h"

namespace varendo {

// A face prints a digit alike wherever it stands in a grid: each cell's scores are averaged
// with those of the cells whose ink is nearly the same as its own, so that a digit blurred
// towards another is read as the cells most like it are.
void pool_alike_cells(const std::array<CellCut, 81>& cells, DigitScores& scores);

}  // namespace varendo
