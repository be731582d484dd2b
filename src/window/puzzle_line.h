#pragma once

#include <QString>
#include <array>
#include <optional>

#include "solver/units.h"

namespace varendo {

// A whole puzzle as one line of 81 characters, row by row: '1'-'9' a digit, '0' or '.'
// an empty cell. Digits here are kept by cell box index (down the columns), 0 for empty.
using GridDigits = std::array<int, kCellCount>;

// Nothing unless the text, with surrounding whitespace trimmed, is such a line.
std::optional<GridDigits> read_puzzle_line(const QString& text);
// Empty cells are written as '.'.
QString write_puzzle_line(const GridDigits& digits);

}  // namespace varendo
