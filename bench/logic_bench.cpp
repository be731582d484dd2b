// Times the technique engine: rating whole puzzles on both ladders, as `varendo-solve --rate`
// does, and the next hint of the human ladder at every step of a path.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "logic/ladder.h"
#include "puzzle_file.h"

namespace {

using Clock = std::chrono::steady_clock;

// One iteration rates the first `count` puzzles of a set; the slowest puzzle's time is kept.
void rate_set(benchmark::State& state, const std::string& name, std::size_t count) {
    std::vector<varendo::Grid81> puzzles = varendo::bench::read_puzzles(name);
    puzzles.resize(std::min(count, puzzles.size()));
    if (puzzles.empty()) {
        state.SkipWithError(("no puzzles in " + name).c_str());
        return;
    }
    double worst = 0;
    for (auto _ : state) {
        for (const varendo::Grid81& puzzle : puzzles) {
            const auto start = Clock::now();
            const auto se = varendo::logic::solve_logically(puzzle, varendo::logic::Ladder::Explainer);
            const auto human = varendo::logic::solve_logically(puzzle, varendo::logic::Ladder::Human);
            benchmark::DoNotOptimize(se.er + human.er);
            worst = std::max(worst, std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * puzzles.size()));
    state.counters["worst_ms"] = worst * 1e3;
}

// The human ladder's next step from every grid along its own path through each puzzle: the
// wait after a press of Hint. Reports the 99th percentile and the worst.
void next_hint(benchmark::State& state, const std::string& name, std::size_t count) {
    std::vector<varendo::Grid81> puzzles = varendo::bench::read_puzzles(name);
    puzzles.resize(std::min(count, puzzles.size()));
    std::vector<double> waits;
    for (auto _ : state) {
        waits.clear();
        for (const varendo::Grid81& puzzle : puzzles) {
            auto grid = varendo::logic::CandidateGrid::from_givens(puzzle);
            while (!grid.solved()) {
                const auto start = Clock::now();
                const auto step = varendo::logic::next_step(grid, varendo::logic::Ladder::Human, true);
                waits.push_back(std::chrono::duration<double>(Clock::now() - start).count());
                if (!step) break;
                varendo::logic::apply_step(grid, *step);
            }
        }
    }
    std::sort(waits.begin(), waits.end());
    if (waits.empty()) return;
    state.counters["hints"] = static_cast<double>(waits.size());
    state.counters["p99_ms"] = waits[waits.size() * 99 / 100] * 1e3;
    state.counters["worst_ms"] = waits.back() * 1e3;
}

BENCHMARK_CAPTURE(rate_set, qqwing_expert_100, "qqwing_expert.txt", 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(rate_set, diabolical_100, "sudokuexchange_diabolical100.txt", 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(rate_set, magictour_50, "magictour_top1465.txt", 50)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(rate_set, norvig_95, "norvig_top95.txt", 95)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(next_hint, qqwing_expert_200, "qqwing_expert.txt", 200)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
