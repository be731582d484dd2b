#pragma once

#include <array>
#include <cstdint>

namespace varendo {

// 81 cells, index = 9*a + b; 0 = empty, 1..9 = a given. The search treats a as the
// major line and b as the minor one; since the rules are symmetric under transposition,
// callers may pass row-major or column-major grids and get the solution in the same order.
using Grid81 = std::array<std::uint8_t, 81>;

struct SearchResult {
    int count = 0;        // number of solutions found, capped at the limit
    Grid81 solution{};    // the first solution found, valid when count >= 1
};

// Counts the solutions of givens, stopping at limit (which must be >= 1). Givens that repeat
// a digit in a line or box give count 0. Every value must be 0..9; anything else is a caller
// error, checked only by assert.
SearchResult find_solutions(const Grid81& givens, int limit);

}  // namespace varendo
