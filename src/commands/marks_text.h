#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/pencil_marks.h"

namespace varendo {

// A grid with the marks of its empty cells, as a text brings it.
struct MarkedGrid {
    Grid81 cells{};
    GridDigits marks{};  // empty cells only; all 0 for a text without marks
};

// The pencil-mark grid that HoDoKu and Sudoku Explainer read and write: nine lines of nine
// cells, each its digit or its marks' digits, columns aligned, boxes apart by | - and +.
// An empty cell without marks is written '.'.
std::string marks_grid_text(const Grid81& cells, const GridDigits& marks);

// Reads a pencil-mark grid: lines of separators only (| - + = . : ' * and blanks) are
// skipped, as are blank lines and lines starting with # before the grid; each of nine row
// lines holds nine cells apart by blanks or |. A cell of one digit is that digit in the grid,
// a cell of several is an empty cell's marks, '.' or '0' an empty cell without marks.
// Without a grid, `error` names the line and column of what is wrong.
std::optional<MarkedGrid> read_marks_grid(std::string_view text, std::string& error);

// The first puzzle of a text in any form that read_puzzle reads, or a pencil-mark grid.
std::optional<MarkedGrid> read_marked_puzzle(std::string_view text, std::string& error);

}  // namespace varendo
