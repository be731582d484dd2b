#include "commands/puzzle_text.h"

#include <algorithm>

namespace varendo {

namespace {

constexpr std::size_t kPuzzleLength = 81;
// Drawn between the cells of a grid written on nine lines.
constexpr std::string_view kSeparators = "|-+";

std::string stray(unsigned char c, std::size_t column) {
    return "unexpected " + describe_byte(c) + " at column " + std::to_string(column) + ": a cell is 1-9, 0 or .";
}

// The puzzle text at the start of `head`, which holds at least the first 82 of its `length`
// characters; `indent` blanks before it are counted in the columns of an error.
std::optional<Grid81> read_line(std::string_view head, std::size_t length, std::size_t indent, std::string& error) {
    Grid81 cells{};
    for (std::size_t i = 0; i < kPuzzleLength; ++i) {
        if (i == length) {
            error = "line too short: " + std::to_string(length) + " characters where a puzzle needs 81";
            return std::nullopt;
        }
        const unsigned char c = static_cast<unsigned char>(head[i]);
        if (c >= '1' && c <= '9') {
            cells[i] = static_cast<std::uint8_t>(c - '0');
        } else if (c != '0' && c != '.') {
            error = stray(c, indent + i + 1);
            return std::nullopt;
        }
    }
    if (length > kPuzzleLength && !is_blank(static_cast<unsigned char>(head[kPuzzleLength]))) {
        error = "unexpected " + describe_byte(static_cast<unsigned char>(head[kPuzzleLength])) + " at column " +
                std::to_string(indent + kPuzzleLength + 1) + ": a puzzle has 81 cells, then white space";
        return std::nullopt;
    }
    return cells;
}

// Reads a line of the nine-line form into row: the number of cells it holds, of which the
// first nine are kept; -1 for a stray character.
int read_row(std::string_view line, std::uint8_t* row, std::string& error) {
    int count = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (is_blank(c) || kSeparators.find(static_cast<char>(c)) != std::string_view::npos) continue;
        if ((c < '0' || c > '9') && c != '.') {
            error = stray(c, i + 1);
            return -1;
        }
        if (count < 9) row[count] = static_cast<std::uint8_t>(c == '.' ? 0 : c - '0');
        ++count;
    }
    return count;
}

std::string at_line(long number, const std::string& what) { return "line " + std::to_string(number) + ": " + what; }

}  // namespace

std::optional<Grid81> read_puzzle_text(std::string_view head, std::size_t length, std::size_t indent,
                                       std::string& error) {
    return read_line(head, length, indent, error);
}

std::optional<Grid81> read_puzzle_text(std::string_view line, std::string& error) {
    return read_line(line, line.size(), 0, error);
}

std::optional<Grid81> read_puzzle(std::string_view text, std::string& error) {
    // Editors on Windows may start a UTF-8 file with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    Grid81 cells{};
    int rows = 0;
    long number = 0;
    while (rows < 9 && !text.empty()) {
        const std::string_view line = take_line(text);
        ++number;
        const auto first = std::find_if_not(line.begin(), line.end(), is_blank);
        if (first == line.end() || *first == '#') continue;
        const std::size_t start = static_cast<std::size_t>(first - line.begin());
        // A first word longer than a row, without separators, is a puzzle on one line.
        const std::string_view word(first, std::find_if(first, line.end(), is_blank));
        if (rows == 0 && word.size() > 9 && word.find_first_of(kSeparators) == std::string_view::npos) {
            std::optional<Grid81> line_cells = read_line(line.substr(start), line.size() - start, start, error);
            if (!line_cells) error = at_line(number, error);
            return line_cells;
        }
        const int count = read_row(line, &cells[static_cast<std::size_t>(9 * rows)], error);
        if (count < 0) {
            error = at_line(number, error);
            return std::nullopt;
        }
        if (count == 0) continue;  // a line of separators
        if (count != 9) {
            error = at_line(number, std::to_string(count) + " cells where a row of the grid has 9");
            return std::nullopt;
        }
        ++rows;
    }
    if (rows < 9) {
        error = rows == 0 ? "no cells at all"
                          : at_line(number, "the text ends after " + std::to_string(rows) + " of the grid's 9 rows");
        return std::nullopt;
    }
    return cells;
}

std::string describe_byte(unsigned char c) {
    if (c >= 0x20 && c < 0x7f) return std::string("'") + static_cast<char>(c) + "'";
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 15];
}

std::string_view take_line(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    return line;
}

std::string puzzle_text(const Grid81& cells) {
    std::string text(kPuzzleLength, '.');
    for (std::size_t i = 0; i < kPuzzleLength; ++i)
        if (cells[i] != 0) text[i] = static_cast<char>('0' + cells[i]);
    return text;
}

}  // namespace varendo
