#pragma once

#include <QPointF>
#include <array>

#include "picture/gray_image.h"

namespace varendo {

// Where the ten lines across and the ten lines down of a grid straightened by its corners
// alone really cross, row by row, in the straightened grid's pixels. A page that bends puts
// its inner lines off the straight course between the corners; each line is followed cell by
// cell, and kept where the corners put it wherever it is too faint to follow.
using LineCrossings = std::array<QPointF, 100>;
LineCrossings follow_lines(const GrayImage& grid);

}  // namespace varendo
