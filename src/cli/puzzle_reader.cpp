#include "cli/puzzle_reader.h"

namespace varendo {

namespace {

constexpr std::size_t kPuzzleLength = 81;

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// A byte as an error message shows it: printable ASCII in quotes, anything else in hex.
std::string describe_byte(unsigned char c) {
    if (c >= 0x20 && c < 0x7f) return std::string("'") + static_cast<char>(c) + "'";
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 15];
}

}  // namespace

PuzzleLine::Kind classify_line(std::string_view head, std::size_t length, bool blank,
                               std::string& text) {
    if (blank) return PuzzleLine::Kind::Skip;
    if (head.front() == '#') return PuzzleLine::Kind::Skip;

    text.clear();
    for (std::size_t i = 0; i < kPuzzleLength; ++i) {
        if (i == length) {
            text = "line too short: " + std::to_string(length) +
                   " characters where a puzzle needs 81";
            return PuzzleLine::Kind::Error;
        }
        const unsigned char c = static_cast<unsigned char>(head[i]);
        if (c >= '1' && c <= '9') {
            text += static_cast<char>(c);
        } else if (c == '0' || c == '.') {
            text += '.';
        } else {
            text = "unexpected " + describe_byte(c) + " at column " + std::to_string(i + 1) +
                   ": a cell is 1-9, 0 or .";
            return PuzzleLine::Kind::Error;
        }
    }
    if (length > kPuzzleLength && !is_space(static_cast<unsigned char>(head[kPuzzleLength]))) {
        text = "unexpected " + describe_byte(static_cast<unsigned char>(head[kPuzzleLength])) +
               " at column 82: a puzzle has 81 cells, then white space";
        return PuzzleLine::Kind::Error;
    }
    return PuzzleLine::Kind::Puzzle;
}

int PuzzleReader::get() {
    if (pending_ >= 0) {
        const int c = pending_;
        pending_ = -1;
        return c;
    }
    return std::getc(file_);
}

bool PuzzleReader::next(PuzzleLine& line) {
    // Only the head of a line is kept: the puzzle and the byte after it.
    char head[kPuzzleLength + 1];
    std::size_t length = 0;
    bool blank = true;
    int c = get();
    if (c == EOF) return false;
    for (; c != EOF && c != '\n' && c != '\r'; c = get()) {
        if (length < sizeof head) head[length] = static_cast<char>(c);
        ++length;
        blank = blank && is_space(c);
    }
    if (c == '\r') {
        const int after = get();
        if (after != '\n' && after != EOF) pending_ = after;
    }
    line.number = ++line_number_;
    const std::size_t kept = length < sizeof head ? length : sizeof head;
    line.kind = classify_line(std::string_view(head, kept), length, blank, line.text);
    return true;
}

}  // namespace varendo
