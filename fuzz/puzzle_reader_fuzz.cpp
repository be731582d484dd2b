// Any bytes through the puzzle file reader: each line must come back as a puzzle, a skip or
// a one-line error, in order and none missing, whatever the bytes and line ends. The same
// bytes as one text, as the window opens it: a puzzle that reads back the same from its
// line, or an error in printable ASCII that names its line; and as a text that may be a
// pencil-mark grid: a grid and marks that read back the same once written.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/puzzle_reader.h"
#include "commands/marks_text.h"
#include "commands/puzzle_text.h"

namespace {

[[noreturn]] void fail(const char* what, long line) {
    std::fprintf(stderr, "puzzle_reader_fuzz: %s (line %ld)\n", what, line);
    std::abort();
}

bool is_space(unsigned char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The lines as the format defines them, split independently of the reader.
std::vector<std::string_view> split_lines(std::string_view data) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] != '\n' && data[i] != '\r') continue;
        lines.push_back(data.substr(start, i - start));
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < data.size()) lines.push_back(data.substr(start));
    return lines;
}

// What a line must give: Skip for blank or '#' lines, the puzzle text for a good line
// after its indentation,
// and Error for anything else.
varendo::PuzzleLine::Kind expected_kind(std::string_view line, std::string& puzzle) {
    // Indentation is not part of the puzzle.
    while (!line.empty() && is_space(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
    if (line.empty() || line.front() == '#') return varendo::PuzzleLine::Kind::Skip;
    if (line.size() < 81) return varendo::PuzzleLine::Kind::Error;
    puzzle.clear();
    for (std::size_t i = 0; i < 81; ++i) {
        const char c = line[i];
        if (c >= '1' && c <= '9') puzzle += c;
        else if (c == '0' || c == '.') puzzle += '.';
        else return varendo::PuzzleLine::Kind::Error;
    }
    if (line.size() > 81 && !is_space(static_cast<unsigned char>(line[81])))
        return varendo::PuzzleLine::Kind::Error;
    return varendo::PuzzleLine::Kind::Puzzle;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // fmemopen refuses an empty buffer on some C libraries; one byte past the end is never read.
    std::string buffer = bytes;
    buffer.push_back('\0');
    std::FILE* file = size == 0 ? std::fopen("/dev/null", "rb") : fmemopen(buffer.data(), size, "rb");
    if (file == nullptr) fail("cannot open the input", 0);

    // A byte order mark may start the file, and is not part of its first line.
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::vector<std::string_view> lines = split_lines(text);
    varendo::PuzzleReader reader(file);
    varendo::PuzzleLine line;
    long count = 0;
    std::string puzzle;
    while (reader.next(line)) {
        ++count;
        if (line.number != count) fail("line numbers are not consecutive", count);
        if (static_cast<std::size_t>(count) > lines.size()) fail("more lines than line ends", count);
        const auto expected = expected_kind(lines[count - 1], puzzle);
        if (line.kind != expected) fail("wrong kind of line", count);
        if (line.kind == varendo::PuzzleLine::Kind::Puzzle && varendo::puzzle_text(line.cells) != puzzle)
            fail("wrong puzzle", count);
        if (line.kind == varendo::PuzzleLine::Kind::Error) {
            if (line.error.empty()) fail("empty error text", count);
            for (const char c : line.error) {
                // The error goes to a terminal on one line: printable ASCII only.
                if (c < 0x20 || c > 0x7e) fail("unprintable byte in the error text", count);
            }
        }
    }
    if (reader.failed()) fail("read error on a memory file", count);
    if (static_cast<std::size_t>(count) != lines.size()) fail("lines went missing", count);
    std::fclose(file);

    std::string error;
    if (const std::optional<varendo::Grid81> cells = varendo::read_puzzle(bytes, error)) {
        if (varendo::read_puzzle(varendo::puzzle_text(*cells), error) != cells) fail("a text puzzle reads back changed", 0);
    } else if (!error.starts_with("line ") && error != "no cells at all") {
        fail("a text error names no line", 0);
    } else if (std::any_of(error.begin(), error.end(), [](char c) { return c < 0x20 || c > 0x7e; })) {
        fail("unprintable byte in a text error", 0);
    }

    if (const std::optional<varendo::MarkedGrid> grid = varendo::read_marked_puzzle(bytes, error)) {
        const std::optional<varendo::MarkedGrid> again =
            varendo::read_marked_puzzle(varendo::marks_grid_text(grid->cells, grid->marks), error);
        if (!again || again->cells != grid->cells || again->marks != grid->marks) fail("a marks grid reads back changed", 0);
    } else if ((!error.starts_with("line ") && error != "no cells at all") ||
               std::any_of(error.begin(), error.end(), [](char c) { return c < 0x20 || c > 0x7e; })) {
        fail("a marks grid's error names no line or is not printable", 0);
    }
    return 0;
}
