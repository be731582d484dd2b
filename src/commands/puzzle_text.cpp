#include "commands/puzzle_text.h"

namespace varendo {

namespace {

constexpr std::size_t kPuzzleLength = 81;

// A character as an error message shows it: printable ASCII in quotes, anything else in hex.
std::string describe_byte(unsigned char c) {
    if (c >= 0x20 && c < 0x7f) return std::string("'") + static_cast<char>(c) + "'";
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 15];
}

}  // namespace

std::optional<Grid81> read_puzzle_text(std::string_view head, std::size_t length, std::string& error) {
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
            error = "unexpected " + describe_byte(c) + " at column " + std::to_string(i + 1) +
                    ": a cell is 1-9, 0 or .";
            return std::nullopt;
        }
    }
    if (length > kPuzzleLength && !is_blank(static_cast<unsigned char>(head[kPuzzleLength]))) {
        error = "unexpected " + describe_byte(static_cast<unsigned char>(head[kPuzzleLength])) +
                " at column 82: a puzzle has 81 cells, then white space";
        return std::nullopt;
    }
    return cells;
}

std::optional<Grid81> read_puzzle_text(std::string_view line, std::string& error) {
    return read_puzzle_text(line, line.size(), error);
}

std::string puzzle_text(const Grid81& cells) {
    std::string text(kPuzzleLength, '.');
    for (std::size_t i = 0; i < kPuzzleLength; ++i)
        if (cells[i] != 0) text[i] = static_cast<char>('0' + cells[i]);
    return text;
}

}  // namespace varendo
