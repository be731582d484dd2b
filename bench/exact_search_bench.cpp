#include "solver/exact_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "puzzle_file.h"

namespace {

using varendo::Grid81;

// One iteration solves the whole set, timing each puzzle alone. A puzzle's time is its
// fastest over the iterations, so that the worst one is not a preemption on a busy machine.
void solve_set(benchmark::State& state, const char* name) {
    const std::vector<Grid81> puzzles = varendo::bench::read_puzzles(name);
    if (puzzles.empty()) {
        state.SkipWithError("puzzle file missing or empty");
        return;
    }
    std::vector<double> fastest(puzzles.size(), 1e9);
    double total = 0;
    for (auto _ : state) {
        double pass = 0;
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(varendo::find_solutions(puzzles[i], 2));
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            pass += elapsed.count();
            fastest[i] = std::min(fastest[i], elapsed.count());
        }
        state.SetIterationTime(pass);
        total += pass;
    }
    const auto solved = static_cast<double>(state.iterations() * puzzles.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(solved));
    state.counters["mean_us"] = total / solved * 1e6;
    state.counters["worst_us"] = *std::max_element(fastest.begin(), fastest.end()) * 1e6;
}

// A pass over sudoku17 takes about half a second; a longer run gives each puzzle a few tries.
BENCHMARK_CAPTURE(solve_set, sudoku17, "sudoku17.txt")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);
BENCHMARK_CAPTURE(solve_set, magictour_top1465, "magictour_top1465.txt")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solve_set, tdoku_nosolution, "tdoku_test_nosolution.txt")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solve_set, tdoku_unique, "tdoku_test_unique.txt")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solve_set, tdoku_multisolution, "tdoku_test_multisolution.txt")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
