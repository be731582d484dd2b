#pragma once

#include <array>
#include <optional>

#include "picture/gray_image.h"
#include "picture/grid_finder.h"

namespace varendo {

// The side of a cell in the straightened grid, in pixels.
constexpr int kCellSide = 36;
// A digit's ink scaled into a square of this side, its aspect kept, centred.
constexpr int kInkSide = 16;
using DigitInk = std::array<float, kInkSide * kInkSide>;

// The grid seen at `corners` in `picture`, straightened to 9 × kCellSide pixels a side, with
// dark ink on light paper whatever the picture's theme.
GrayImage straighten(const GrayImage& picture, const Quad& corners);

// The ink of the digit in each of the 81 cells of a straightened grid, row by row, from 0
// (paper) to 1 (the cell's darkest ink); nothing for a cell that holds no digit-sized mark:
// grid lines and small pencil marks are left out. `aspect` is the grid's width over its
// height as seen (2 for cells twice as wide as tall), so that digits keep their own shape.
std::array<std::optional<DigitInk>, 81> cut_cells(const GrayImage& grid, double aspect = 1);

// A grid's width over its height, from its corners.
double aspect_of(const Quad& corners);

}  // namespace varendo
