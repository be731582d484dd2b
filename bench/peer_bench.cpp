// Times Varendo's complete search beside tdoku's solver (Tom Dillon, BSD-2-Clause), one of
// the fastest published, on the same puzzles in the same run, both counting solutions up to
// two as the report does. Both are built here with -O3 -march=native.
//
// Each puzzle is solved by one and then the other, over and over; a solver's time for a
// puzzle is its fastest, so that a busy machine weighs on neither side. varendo_us and
// tdoku_us are the means of those times over the set; ratio is Varendo's over tdoku's.

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

void compare_set(benchmark::State& state, const std::string& file) {
    const std::vector<std::string> puzzles = varendo::bench::read_puzzles(file);
    if (puzzles.empty()) {
        state.SkipWithError(("no puzzles in " + file).c_str());
        return;
    }
    std::vector<varendo::Grid81> givens;
    for (const std::string& p : puzzles) givens.push_back(varendo::bench::to_givens(p));
    constexpr double kNever = std::numeric_limits<double>::infinity();
    std::vector<double> varendo_best(puzzles.size(), kNever);
    std::vector<double> tdoku_best(puzzles.size(), kNever);
    char solution[81];
    std::size_t guesses = 0;
    for (auto _ : state) {
        double pass = 0;
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            const auto start = Clock::now();
            const int ours = varendo::find_solutions(givens[i], 2).count;
            const double ours_seconds = seconds_since(start);
            const auto peer_start = Clock::now();
            const std::size_t theirs =
                TdokuSolverDpllTriadSimd(puzzles[i].c_str(), 2, 0, solution, &guesses);
            const double peer_seconds = seconds_since(peer_start);
            if (static_cast<std::size_t>(ours) != theirs) {
                state.SkipWithError((file + ": the counts differ on puzzle " + puzzles[i]).c_str());
                return;
            }
            varendo_best[i] = std::min(varendo_best[i], ours_seconds);
            tdoku_best[i] = std::min(tdoku_best[i], peer_seconds);
            pass += ours_seconds + peer_seconds;
        }
        state.SetIterationTime(pass);
    }
    double ours = 0;
    double theirs = 0;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        ours += varendo_best[i];
        theirs += tdoku_best[i];
    }
    const auto n = static_cast<double>(puzzles.size());
    state.counters["varendo_us"] = ours / n * 1e6;
    state.counters["tdoku_us"] = theirs / n * 1e6;
    state.counters["ratio"] = ours / theirs;
}

// A pass over sudoku17 takes about half a second; the other sets a few milliseconds at most,
// so a second gives each puzzle dozens of tries.
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
        benchmark::RegisterBenchmark(("peer/" + set).c_str(), compare_set, set + ".txt")
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(set == "sudoku17" ? 5 : 1);
    }
    return true;
}();

}  // namespace
