#pragma once

#include <array>
#include <optional>

#include "picture/gray_image.h"
#include "picture/grid_finder.h"

namespace varendo {

// The side of a cell in the straightened grid, in pixels.
constexpr int kCellSide = 36;
// ... and of the whole grid.
constexpr int kGridSide = 9 * kCellSide;
// A digit's ink scaled into a square of this side, its aspect kept, centred.
constexpr int kInkSide = 16;
using DigitInk = std::array<float, kInkSide * kInkSide>;

// The grid seen at `corners` in `picture`, straightened to kGridSide pixels a side, with
// dark ink on light paper whatever the picture's theme.
GrayImage straighten(const GrayImage& picture, const Quad& corners);

// A mark in a cell that was not cut as a digit, though it may be one: `pale`, too pale to
// tell a faded digit from a smudge; `faint`, too small or far from the centre to tell from a
// pencil mark; `unshaped`, as dark and large as a digit but not shaped like a lone one
// (touching a line where the grid bends, or run into other print).
enum class StrayMark { none, pale, faint, unshaped };

// What a cell of a straightened grid holds: the ink of its digit, from 0 (paper) to 1 (the
// cell's darkest ink), or nothing when it holds no digit-sized mark (grid lines and small
// pencil marks are left out) and perhaps a stray mark.
struct CellCut {
    std::optional<DigitInk> ink;
    StrayMark stray = StrayMark::none;
    // How dark the digit's strokes are beside the cell's paper, as a share of the grid's
    // darkest ink against its paper.
    float darkness = 0;
};

// The 81 cells of a straightened grid, row by row. `aspect` is the grid's width over its
// height as seen (2 for cells twice as wide as tall), so that digits keep their own shape.
std::array<CellCut, 81> cut_cells(const GrayImage& grid, double aspect = 1);

// A grid's width over its height, from its corners.
double aspect_of(const Quad& corners);

}  // namespace varendo
