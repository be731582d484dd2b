// Times the window's Solve command, as varendo-solve runs it, over public puzzle sets.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "cli/memory_window.h"
#include "cli/report.h"

namespace {

std::vector<std::string> load_puzzles(const std::string& name) {
    std::ifstream in(std::string(VARENDO_PUZZLE_DIR) + "/" + name);
    std::vector<std::string> puzzles;
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 81) continue;
        line.resize(81);
        std::replace(line.begin(), line.end(), '0', '.');
        puzzles.push_back(line);
    }
    return puzzles;
}

// One iteration solves the whole set; the worst single puzzle is kept as a counter.
void solve_set(benchmark::State& state, const std::string& name, varendo::StepMode mode) {
    const std::vector<std::string> puzzles = load_puzzles(name);
    if (puzzles.empty()) {
        state.SkipWithError(("no puzzles in " + name).c_str());
        return;
    }
    varendo::MemoryWindow window;
    double worst_seconds = 0;
    double total_seconds = 0;
    for (auto _ : state) {
        for (const std::string& puzzle : puzzles) {
            const auto start = std::chrono::steady_clock::now();
            varendo::run_puzzle(window, puzzle, mode);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            worst_seconds = std::max(worst_seconds, took.count());
            total_seconds += took.count();
        }
        benchmark::DoNotOptimize(window.last_message());
    }
    const auto solved = static_cast<double>(state.iterations() * puzzles.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(solved));
    state.counters["mean_us"] = total_seconds / solved * 1e6;
    state.counters["worst_us"] = worst_seconds * 1e6;
}

void BM_SolveMagictour(benchmark::State& state) {
    solve_set(state, "magictour_top1465.txt", varendo::StepMode::Off);
}
void BM_SolveMagictourSteps(benchmark::State& state) {
    solve_set(state, "magictour_top1465.txt", varendo::StepMode::Visible);
}
void BM_SolveQqwingEasy(benchmark::State& state) {
    solve_set(state, "qqwing_easy.txt", varendo::StepMode::Off);
}
void BM_SolveQqwingEasySteps(benchmark::State& state) {
    solve_set(state, "qqwing_easy.txt", varendo::StepMode::Visible);
}

}  // namespace

BENCHMARK(BM_SolveMagictour)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveMagictourSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveQqwingEasy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveQqwingEasySteps)->Unit(benchmark::kMillisecond);
