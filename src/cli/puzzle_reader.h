#pragma once

#include <cstdio>
#include <string>

#include "solver/exact_search.h"

namespace varendo {

// One line of a puzzle file: a puzzle, a line to skip (blank or a # comment), or a line
// that is no puzzle, with the reason.
struct PuzzleLine {
    enum class Kind { Puzzle, Skip, Error };
    Kind kind = Kind::Skip;
    long number = 0;     // 1-based line number in its file
    Grid81 cells{};      // the puzzle, row by row
    std::string error;   // what is wrong with a line that is no puzzle
};

// Reads puzzle lines from an open file: the first 81 characters after a line's indentation
// are the puzzle, row by row, '1'-'9' a given and '0' or '.' an empty cell; after white
// space the rest of the line is ignored. A byte order mark may start the file, as editors
// on Windows write one. LF, CR LF and a lone CR all end a line, so no line hides another.
// A line of any length is read in constant memory.
class PuzzleReader {
public:
    explicit PuzzleReader(std::FILE* file) : file_(file) {}

    // False at the end of the file or on a read error (see failed()).
    bool next(PuzzleLine& line);
    bool failed() const { return std::ferror(file_) != 0; }

private:
    int get();
    void put_back(int c) { pending_[pending_count_++] = c; }
    void skip_byte_order_mark();

    std::FILE* file_;
    long line_number_ = 0;
    // Bytes read ahead (after a CR, or the start of what was not a byte order mark), last first.
    int pending_[3] = {};
    int pending_count_ = 0;
};

}  // namespace varendo
