#pragma once

// The public puzzle sets as the benchmarks read them.

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "solver/exact_search.h"

namespace varendo::bench {

// The puzzles of a set file in the puzzle folder: 81 characters each, row by row, with '.'
// for an empty cell (files may use '0').
inline std::vector<std::string> read_puzzles(const std::string& file) {
    std::ifstream in(std::string(VARENDO_PUZZLE_DIR) + "/" + file);
    std::vector<std::string> puzzles;
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 81) continue;
        line.resize(81);
        std::replace(line.begin(), line.end(), '0', '.');
        puzzles.push_back(line);
    }
    return puzzles;
}

// A puzzle as the complete search takes it, row by row.
inline Grid81 to_givens(const std::string& puzzle) {
    Grid81 givens{};
    for (int c = 0; c < 81; ++c) {
        const char ch = puzzle[c];
        givens[c] = static_cast<std::uint8_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
    }
    return givens;
}

}  // namespace varendo::bench
