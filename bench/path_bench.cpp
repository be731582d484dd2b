// What recording Solve's path costs: Solve with the recorder on (solve_path/SET, against
// solve/SET), the JSON report with and without its path (json/SET, json_path/SET), and the
// snapshot of every row that the Steps window asks for once after a Solve (snapshots/SET).

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

enum class Work { Solve, Json, JsonPath, Snapshots };

// One iteration goes over the whole set; mean and worst time per puzzle of the timed part.
void run_set(benchmark::State& state, const std::string& name, Work work) {
    const std::vector<varendo::Grid81> puzzles = varendo::bench::read_puzzles(name);
    if (puzzles.empty()) {
        state.SkipWithError(("no puzzles in " + name).c_str());
        return;
    }
    varendo::MemoryWindow window;
    window.commands().set_path_recording(work != Work::Json);
    std::vector<double> best_seconds(puzzles.size(), std::numeric_limits<double>::infinity());
    double total_seconds = 0;
    std::size_t rows = 0;
    std::string out;
    for (auto _ : state) {
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            if (work == Work::Snapshots) varendo::run_puzzle(window, puzzles[i], varendo::StepMode::Off);
            const auto start = std::chrono::steady_clock::now();
            switch (work) {
            case Work::Solve: varendo::run_puzzle(window, puzzles[i], varendo::StepMode::Off); break;
            case Work::Json:
            case Work::JsonPath:
                varendo::run_puzzle(window, puzzles[i], varendo::StepMode::Off);
                out.clear();
                varendo::append_json_report(out, puzzles[i], window, varendo::count_solutions(window, puzzles[i]),
                                            work == Work::JsonPath);
                break;
            case Work::Snapshots: {
                // A copy, as the window keeps one; no snapshot of the path is worked out yet.
                const varendo::SolvePath path = window.commands().path();
                benchmark::DoNotOptimize(path.snapshot(path.rows().size() - 1));
                rows += path.rows().size();
                break;
            }
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            best_seconds[i] = std::min(best_seconds[i], took.count());
            total_seconds += took.count();
        }
        benchmark::DoNotOptimize(out);
    }
    const auto done = static_cast<double>(state.iterations() * puzzles.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(done));
    state.counters["mean_us"] = total_seconds / done * 1e6;
    state.counters["worst_us"] = *std::max_element(best_seconds.begin(), best_seconds.end()) * 1e6;
    if (work == Work::Snapshots) state.counters["rows"] = static_cast<double>(rows) / done;
}

const bool path_benchmarks_registered = [] {
    for (const std::string set : {"magictour_top1465", "norvig_top95", "qqwing_expert", "sudoku17"}) {
        for (const auto& [prefix, work] : {std::pair{"solve_path/", Work::Solve}, std::pair{"json/", Work::Json},
                                           std::pair{"json_path/", Work::JsonPath},
                                           std::pair{"snapshots/", Work::Snapshots}}) {
            benchmark::RegisterBenchmark((prefix + set).c_str(), run_set, set + ".txt", work)
                ->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace
