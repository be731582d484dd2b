#include "commands/marks_text.h"

#include <algorithm>
#include <vector>

#include "commands/puzzle_text.h"

namespace varendo {

namespace {

std::string cell_text(int digit, Digits marks) {
    if (digit != 0) return std::string(1, static_cast<char>('0' + digit));
    std::string text;
    for (int d = 1; d <= 9; ++d)
        if ((marks & digit_bit(d)) != 0) text += static_cast<char>('0' + d);
    return text.empty() ? "." : text;
}

// Characters of the lines around and between the boxes.
constexpr std::string_view kRuleCharacters = "|-+=.:'* \t";

bool is_rule(std::string_view line) {
    return line.find_first_not_of(kRuleCharacters) == std::string_view::npos &&
           line.find_first_of("-=") != std::string_view::npos;
}

std::string at(long line, std::size_t column, const std::string& what) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
}

// The next cell of a row line from `i` on, past blanks and |; empty at the line's end.
std::string_view next_word(std::string_view line, std::size_t& i) {
    const auto apart = [line](std::size_t j) { return line[j] == '|' || is_blank(static_cast<unsigned char>(line[j])); };
    while (i < line.size() && apart(i)) ++i;
    const std::size_t start = i;
    while (i < line.size() && !apart(i)) ++i;
    return line.substr(start, i - start);
}

// One row line: nine cells, or an error naming the column at fault.
bool read_row(std::string_view line, long number, Grid81& cells, GridDigits& marks, int row, std::string& error) {
    int count = 0;
    std::size_t i = 0;
    for (std::string_view word = next_word(line, i); !word.empty(); word = next_word(line, i)) {
        const std::size_t start = i - word.size();
        if (count == 9) {
            error = at(number, start + 1, "a tenth cell where a row of the grid has 9");
            return false;
        }
        const int cell = 9 * row + count++;
        if (word == "." || word == "0") continue;
        Digits digits = 0;
        for (std::size_t j = 0; j < word.size(); ++j) {
            const char c = word[j];
            if (c < '1' || c > '9') {
                error = at(number, start + j + 1,
                           "unexpected " + describe_byte(static_cast<unsigned char>(c)) + ": a cell is its digits 1-9, or .");
                return false;
            }
            if ((digits & digit_bit(c - '0')) != 0) {
                error = at(number, start + j + 1, std::string("digit ") + c + " twice in one cell");
                return false;
            }
            digits |= digit_bit(c - '0');
        }
        if (word.size() == 1) {
            cells[cell] = static_cast<std::uint8_t>(word[0] - '0');
        } else {
            marks[cell] = digits;
        }
    }
    if (count < 9) {
        error = at(number, line.size() + 1, std::to_string(count) + " cells where a row of the grid has 9");
        return false;
    }
    return true;
}

// Whether a text that is no plain puzzle was meant as a pencil-mark grid: a line of many
// cells apart by blanks or |, one of them several digits.
bool has_mark_list(std::string_view text) {
    while (!text.empty()) {
        const std::string_view line = take_line(text);
        int words = 0;
        bool list = false;
        std::size_t i = 0;
        for (std::string_view word = next_word(line, i); !word.empty(); word = next_word(line, i)) {
            ++words;
            list = list || (word.size() >= 2 && word.find_first_not_of("123456789") == std::string_view::npos);
        }
        if (list && words >= 5) return true;
    }
    return false;
}

}  // namespace

std::string marks_grid_text(const Grid81& cells, const GridDigits& marks) {
    std::array<std::string, 81> texts;
    std::array<std::size_t, 9> widths{};
    for (int cell = 0; cell < 81; ++cell) {
        texts[cell] = cell_text(cells[cell], marks[cell]);
        widths[cell % 9] = std::max(widths[cell % 9], texts[cell].size());
    }
    std::string rule = "+";
    for (int band = 0; band < 3; ++band) {
        rule += std::string(widths[3 * band] + widths[3 * band + 1] + widths[3 * band + 2] + 6, '-') + "+";
    }
    std::string text = rule + "\n";
    for (int row = 0; row < 9; ++row) {
        std::string line = "|";
        for (int column = 0; column < 9; ++column) {
            const std::string& cell = texts[9 * row + column];
            line += ' ' + cell + std::string(widths[column] - cell.size(), ' ') + (column % 3 == 2 ? " |" : " ");
        }
        text += line + "\n";
        if (row % 3 == 2) text += rule + "\n";
    }
    return text;
}

std::optional<MarkedGrid> read_marks_grid(std::string_view text, std::string& error) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    MarkedGrid grid;
    int rows = 0;
    long number = 0;
    while (rows < 9 && !text.empty()) {
        const std::string_view line = take_line(text);
        ++number;
        const std::size_t first = line.find_first_not_of(" \t\v\f");
        if (first == std::string_view::npos || (rows == 0 && line[first] == '#') || is_rule(line)) continue;
        if (!read_row(line, number, grid.cells, grid.marks, rows, error)) return std::nullopt;
        ++rows;
    }
    if (rows < 9) {
        error = rows == 0 ? "no cells at all"
                          : "line " + std::to_string(number) + ": the text ends after " + std::to_string(rows) +
                                " of the grid's 9 rows";
        return std::nullopt;
    }
    return grid;
}

std::optional<MarkedGrid> read_marked_puzzle(std::string_view text, std::string& error) {
    std::string plain_error;
    if (std::optional<Grid81> cells = read_puzzle(text, plain_error)) return MarkedGrid{*cells, {}};
    if (std::optional<MarkedGrid> grid = read_marks_grid(text, error)) return grid;
    // A text without a cell of several digits was meant as a plain puzzle.
    if (!has_mark_list(text)) error = plain_error;
    return std::nullopt;
}

}  // namespace varendo
