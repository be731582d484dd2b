// Times the window's Solve command, as varendo-solve runs it, over public puzzle sets.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <string>
#include <vector>

#include "cli/report.h"
#include "commands/memory_window.h"
#include "puzzle_file.h"

namespace {

// One iteration solves the whole set. The worst puzzle is the one whose best time over the
// iterations is longest: a single slow run is more often the machine than the puzzle.
void solve_each(benchmark::State& state, const std::string& name, varendo::StepMode mode) {
    const std::vector<varendo::Grid81> puzzles = varendo::bench::read_puzzles(name);
    if (puzzles.empty()) {
        state.SkipWithError(("no puzzles in " + name).c_str());
        return;
    }
    varendo::MemoryWindow window;
    std::vector<double> best_seconds(puzzles.size(), std::numeric_limits<double>::infinity());
    double total_seconds = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            varendo::run_puzzle(window, puzzles[i], mode);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            best_seconds[i] = std::min(best_seconds[i], took.count());
            total_seconds += took.count();
        }
        benchmark::DoNotOptimize(window.last_message());
    }
    const auto solved = static_cast<double>(state.iterations() * puzzles.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(solved));
    state.counters["mean_us"] = total_seconds / solved * 1e6;
    state.counters["worst_us"] = *std::max_element(best_seconds.begin(), best_seconds.end()) * 1e6;
}

// Every public set, without and with the step file ("Save to File").
const bool solve_benchmarks_registered = [] {
    const char* const sets[] = {
        "magictour_top1465", "qqwing_easy",         "euler96_easy50", "norvig_top95",
        "qqwing_simple",     "qqwing_intermediate", "qqwing_expert",  "tdoku_test_unique",
        "tdoku_test_multisolution", "tdoku_test_nosolution", "sudoku17",
    };
    for (const std::string set : sets) {
        for (const auto& [prefix, mode] : {std::pair{"solve/", varendo::StepMode::Off},
                                           std::pair{"solve_steps/", varendo::StepMode::Visible}}) {
            benchmark::RegisterBenchmark((prefix + set).c_str(), solve_each, set + ".txt", mode)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
