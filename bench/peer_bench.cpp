// Times Varendo's complete search beside tdoku's solver (Tom Dillon, BSD-2-Clause), one of
// the fastest published, on the same puzzles in the same run, both counting solutions up to
// two as the report does. Both are built here with -O3 -march=native.
//
// Each solver goes over the whole set again and again for half a second (two seconds on
// sudoku17) before the other takes its turn, twice each: run puzzle by puzzle in turn, each
// would slow the other down, with its data and branch history left in the processor. A
// solver's time for a puzzle is its fastest, so that a busy machine weighs on neither side.
// varendo_us and tdoku_us are the means of those times over the set; ratio is Varendo's
// over tdoku's.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "puzzle_file.h"
#include "solver/exact_search.h"

// tdoku's entry point: counts the solutions of an 81-character puzzle ('.' for empty,
// followed by a character below '.') up to limit.
extern "C" std::size_t TdokuSolverDpllTriadSimd(const char* puzzle, std::size_t limit,
                                                std::uint32_t configuration, char* solution,
                                                std::size_t* num_guesses);

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs solve(i) for every puzzle i < n, over and over for at least `seconds`, keeping each
// puzzle's fastest time in best.
template <class Solve>
void time_passes(std::size_t n, double seconds, std::vector<double>& best, Solve solve) {
    const auto begin = Clock::now();
    do {
        for (std::size_t i = 0; i < n; ++i) {
            const auto start = Clock::now();
            solve(i);
            best[i] = std::min(best[i], seconds_since(start));
        }
    } while (seconds_since(begin) < seconds);
}

void compare_set(benchmark::State& state, const std::string& file, double seconds) {
    const std::vector<varendo::Grid81> givens = varendo::bench::read_puzzles(file);
    if (givens.empty()) {
        state.SkipWithError(("no puzzles in " + file).c_str());
        return;
    }
    // tdoku reads the puzzle text.
    std::vector<std::string> puzzles;
    for (const varendo::Grid81& g : givens) puzzles.push_back(varendo::puzzle_text(g));
    const std::size_t n = puzzles.size();
    constexpr double kNever = std::numeric_limits<double>::infinity();
    std::vector<double> varendo_best(n, kNever);
    std::vector<double> tdoku_best(n, kNever);
    std::vector<int> counts(n);
    std::size_t differing = n;
    char solution[81];
    std::size_t guesses = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int turn = 0; turn < 2; ++turn) {
            time_passes(n, seconds, varendo_best, [&](std::size_t i) {
                counts[i] = varendo::find_solutions(givens[i], 2).count;
            });
            time_passes(n, seconds, tdoku_best, [&](std::size_t i) {
                const std::size_t theirs =
                    TdokuSolverDpllTriadSimd(puzzles[i].c_str(), 2, 0, solution, &guesses);
                if (theirs != static_cast<std::size_t>(counts[i])) differing = i;
            });
        }
        state.SetIterationTime(seconds_since(start));
    }
    if (differing < n) {
        state.SkipWithError((file + ": the counts differ on " + puzzles[differing]).c_str());
        return;
    }
    double ours = 0;
    double theirs = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ours += varendo_best[i];
        theirs += tdoku_best[i];
    }
    state.counters["varendo_us"] = ours / static_cast<double>(n) * 1e6;
    state.counters["tdoku_us"] = theirs / static_cast<double>(n) * 1e6;
    state.counters["ratio"] = ours / theirs;
}

// A pass over sudoku17 takes up to a fifth of a second; over the other sets a few
// milliseconds at most.
const bool registered = [] {
    const char* const sets[] = {
        "magictour_top1465",
        "sudoku17",
        "tdoku_test_unique",
        "tdoku_test_nosolution",
        "tdoku_test_multisolution",
        "norvig_top95",
        "euler96_easy50",
        "qqwing_simple",
        "qqwing_easy",
        "qqwing_intermediate",
        "qqwing_expert",
    };
    for (const std::string set : sets) {
        benchmark::RegisterBenchmark(("peer/" + set).c_str(), compare_set, set + ".txt",
                                     set == "sudoku17" ? 2.0 : 0.5)
            ->UseManualTime()
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
    }
    return true;
}();

}  // namespace
