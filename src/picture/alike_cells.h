#pragma once

#include <array>

#include "picture/cell_cutter.h"
#include "picture/reading_rules.h"

namespace varendo {

// How alike each two cells' ink is, up to 1; 0 where either cell has none.
using InkLikeness = std::array<std::array<float, 81>, 81>;
InkLikeness ink_likeness(const std::array<CellCut, 81>& cells);

// A face prints a digit alike wherever it stands in a grid: each cell's scores are averaged
// with those of the cells whose ink is nearly the same as its own, so that a digit blurred
// towards another is read as the cells most like it are.
void pool_alike_cells(const InkLikeness& likeness, DigitScores& scores);

// The cells whose ink is alike beyond doubt, joined link by link into groups that must be one
// digit: each cell's group numbered from 1, 0 for a cell alike to no other.
PrintTwins print_twins(const InkLikeness& likeness);

}  // namespace varendo
