#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "solver/exact_search.h"

namespace varendo {

// A puzzle as text is 81 characters, row by row from the top left: '1'-'9' a given, '0' or
// '.' an empty cell. As cells it is a Grid81 row by row, 0 for an empty cell.

// Reads the puzzle at the start of a line: 81 cells, then the end of the line or white
// space, after which anything may follow. `head` holds at least the first 82 characters of
// the `length` that follow the line's `indent` leading blanks. Without a puzzle, `error`
// says what is wrong and in which column of the line.
std::optional<Grid81> read_puzzle_text(std::string_view head, std::size_t length, std::size_t indent,
                                       std::string& error);
std::optional<Grid81> read_puzzle_text(std::string_view line, std::string& error);

// Reads the first puzzle of a text (a file, the clipboard), in either form:
// - one line as above, which may be indented;
// - nine lines of nine cells, in which blanks and the separators | - + are ignored; lines
//   that hold nothing else are skipped.
// Blank lines and lines starting with # are skipped, and whatever follows the puzzle is
// ignored. Without a puzzle, `error` says what is wrong and where: the line, and the column
// of a stray character.
std::optional<Grid81> read_puzzle(std::string_view text, std::string& error);

// A character as an error message shows it: printable ASCII in quotes, anything else in hex.
std::string describe_byte(unsigned char c);

// Takes the next line off the text; LF, CR LF and a lone CR each end one.
std::string_view take_line(std::string_view& text);

// Empty cells are written as '.'.
std::string puzzle_text(const Grid81& cells);

// Space, tab, vertical tab or form feed: what may end a puzzle on its line.
constexpr bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

}  // namespace varendo
