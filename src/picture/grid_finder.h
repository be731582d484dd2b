#pragma once

#include <QPointF>
#include <array>
#include <optional>

#include "picture/gray_image.h"

namespace varendo {

// A grid's corners: top left, top right, bottom right, bottom left.
using Quad = std::array<QPointF, 4>;

// The largest shape in a picture (dark lines on light paper) that has the lines of a 9×9
// grid, by its four outer corners; nothing when there is none.
std::optional<Quad> find_grid(const GrayImage& picture);

// The 9×9 line structure of a grid seen at `corners`: true when, across and down, at least
// seven of the ten lines are dark along most of their length, or the four lines round the
// boxes are and four of the six others are dotted.
bool has_grid_lines(const GrayImage& picture, const Quad& corners);

}  // namespace varendo
