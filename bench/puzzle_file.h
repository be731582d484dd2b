#pragma once

// The public puzzle sets as the benchmarks read them.

#include <fstream>
#include <string>
#include <vector>

#include "commands/puzzle_text.h"
#include "solver/exact_search.h"

namespace varendo::bench {

// The puzzles of a set file in the puzzle folder, row by row.
inline std::vector<Grid81> read_puzzles(const std::string& file) {
    std::ifstream in(std::string(VARENDO_PUZZLE_DIR) + "/" + file);
    std::vector<Grid81> puzzles;
    std::string error;
    for (std::string line; std::getline(in, line);)
        if (const auto cells = read_puzzle_text(line, error)) puzzles.push_back(*cells);
    return puzzles;
}

}  // namespace varendo::bench
