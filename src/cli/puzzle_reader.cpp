#include "cli/puzzle_reader.h"

#include "commands/puzzle_text.h"

namespace varendo {

int PuzzleReader::get() {
    if (pending_ >= 0) {
        const int c = pending_;
        pending_ = -1;
        return c;
    }
    // Only this thread reads the file: the unlocked read is several times faster.
    const int c = getc_unlocked(file_);
    if (c != EOF) ++bytes_read_;
    return c;
}

bool PuzzleReader::next(PuzzleLine& line) {
    // Only the head of a line is kept: the puzzle and the byte after it.
    char head[82];
    std::size_t length = 0;
    bool blank = true;
    int c = get();
    if (c == EOF) return false;
    for (; c != EOF && c != '\n' && c != '\r'; c = get()) {
        if (length < sizeof head) head[length] = static_cast<char>(c);
        ++length;
        blank = blank && is_blank(c);
    }
    if (c == '\r') {
        const int after = get();
        if (after != '\n' && after != EOF) pending_ = after;
    }
    line.number = ++line_number_;
    const std::size_t kept = length < sizeof head ? length : sizeof head;
    if (blank || head[0] == '#') {
        line.kind = PuzzleLine::Kind::Skip;
        return true;
    }
    const std::optional<Grid81> cells = read_puzzle_text(std::string_view(head, kept), length, line.error);
    line.kind = cells ? PuzzleLine::Kind::Puzzle : PuzzleLine::Kind::Error;
    if (cells) line.cells = *cells;
    return true;
}

}  // namespace varendo
