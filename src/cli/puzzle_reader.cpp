#include "cli/puzzle_reader.h"

#include "commands/puzzle_text.h"

namespace varendo {

int PuzzleReader::get() { return pending_count_ > 0 ? pending_[--pending_count_] : std::getc(file_); }

void PuzzleReader::skip_byte_order_mark() {
    static constexpr int kMark[] = {0xEF, 0xBB, 0xBF};
    int read[3];
    for (int n = 0; n < 3; ++n) {
        read[n] = get();
        if (read[n] != kMark[n]) {
            for (int back = n; back >= 0; --back) {
                if (read[back] != EOF) put_back(read[back]);
            }
            return;
        }
    }
}

bool PuzzleReader::next(PuzzleLine& line) {
    if (line_number_ == 0) skip_byte_order_mark();
    // Only the head of a line is kept: the puzzle and the byte after it.
    char head[82];
    std::size_t indent = 0;
    std::size_t length = 0;
    int c = get();
    if (c == EOF) return false;
    for (; c != EOF && c != '\n' && c != '\r'; c = get()) {
        if (length == 0 && is_blank(c)) {
            ++indent;
            continue;
        }
        if (length < sizeof head) head[length] = static_cast<char>(c);
        ++length;
    }
    if (c == '\r') {
        const int after = get();
        if (after != '\n' && after != EOF) put_back(after);
    }
    line.number = ++line_number_;
    const std::size_t kept = length < sizeof head ? length : sizeof head;
    if (length == 0 || head[0] == '#') {
        line.kind = PuzzleLine::Kind::Skip;
        return true;
    }
    const std::optional<Grid81> cells = read_puzzle_text(std::string_view(head, kept), length, indent, line.error);
    line.kind = cells ? PuzzleLine::Kind::Puzzle : PuzzleLine::Kind::Error;
    if (cells) line.cells = *cells;
    return true;
}

}  // namespace varendo
