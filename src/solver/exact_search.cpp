#include "solver/exact_search.h"

#include <bit>
#include <cassert>
#include <cstring>

// The vectors the helpers take and return by value never cross a call (the helpers are all
// inlined), so the compilers' note on their ABI does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"
#include "solver/search_branch.h"

// With GCC on x86-64, unless the build already targets AVX2, the search is built twice and
// the loader picks the AVX2 build where the processor has it. (Clang refuses the always
// inlined vector helpers in a second build, so it makes one.)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__AVX2__)
#define VARENDO_SEARCH_TARGETS __attribute__((target_clones("avx2", "default")))
#else
#define VARENDO_SEARCH_TARGETS
#endif

namespace varendo {
namespace {

using search::Board;
using search::Word;

struct Count {
    int limit;
    SearchResult result;
};

void record(const Board& s, SearchResult& result) {
    if (result.count++ > 0) return;
    for (int b = 0; b < 3; ++b) {
        for (int d = 0; d < 9; ++d) {
            for (Word w = search::get(s, b, d); w != 0; w &= w - 1)
                result.solution[27 * b + std::countr_zero(w)] = static_cast<std::uint8_t>(d + 1);
        }
    }
}

// Tries each open pattern of the chosen digit in turn on a copy of the board.
VARENDO_SEARCH_TARGETS void explore(const Board& s, Count& c) {
    search::Branch br;
    if (!search::choose_branch(s, br)) {
        record(s, c.result);
        return;
    }
    for (int open = br.patterns; open != 0 && c.result.count < c.limit; open &= open - 1) {
        Board next = s;
        search::take_pattern(next, br, std::countr_zero(static_cast<unsigned>(open)));
        if (search::propagate(next)) explore(next, c);
    }
}

// Sets up the board from the givens and propagates. False when it has no solution.
VARENDO_SEARCH_TARGETS bool start(const Grid81& givens, Board& s) {
    Board own{};
    for (int b = 0; b < 3; ++b) {
        Word own_by_digit[9] = {};
        for (int c = 0; c < 27; ++c) {
            const int d = givens[27 * b + c];
            if (d != 0) own_by_digit[d - 1] |= Word{1} << c;
        }
        std::memcpy(&own.low[b], own_by_digit, sizeof own.low[b]);
        own.ninth[b] = own_by_digit[8];
    }
    if (search::repeats(own)) return false;
    s = Board{};
    for (int b = 0; b < 3; ++b) {
        Word given = own.ninth[b];
        for (int d = 0; d < 8; ++d) given |= own.low[b][d];
        s.low[b] = (~given & search::kBand) | own.low[b];
        s.ninth[b] = (~given & search::kBand) | own.ninth[b];
    }
    return search::propagate(s);
}

}  // namespace

SearchResult find_solutions(const Grid81& givens, int limit) {
    assert(limit >= 1);
    for ([[maybe_unused]] const std::uint8_t v : givens) assert(v <= 9);
    Board s;
    Count c{limit, {}};
    if (start(givens, s)) explore(s, c);
    return c.result;
}

}  // namespace varendo
