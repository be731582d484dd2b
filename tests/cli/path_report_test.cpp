// --json --path: for every puzzle of the hardest set, the path's placements are the step
// file's quoted lines one for one, and the givens with the placements since the last reload
// (or the complete search's) make the grid reported; the path's step lines are the golden ones.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>

#include <nlohmann/json.hpp>

#include "cli/report.h"
#include "test_grid.h"

namespace varendo {
namespace {

using nlohmann::json;

json solve_with_path(MemoryWindow& window, const std::string& puzzle) {
    window.commands().set_path_recording(true);
    run_puzzle(window, test::cells_of(puzzle), StepMode::Visible);
    std::string out;
    append_json_report(out, test::cells_of(puzzle), window, count_solutions(window, test::cells_of(puzzle)), true);
    return json::parse(out);
}

// A unit named as the user reads it, which holds the cell in that row and column.
bool names_unit_of(const std::string& unit, int row, int column) {
    return unit == "row " + std::to_string(row) || unit == "column " + std::to_string(column) ||
           unit == "box " + std::to_string(box_of(row, column));
}

bool names_a_unit(const std::string& unit) {
    int n = 0;
    char kind[8] = {};
    return std::sscanf(unit.c_str(), "%7s %d", kind, &n) == 2 && n >= 1 && n <= 9 &&
           unit == std::string(kind) + " " + std::to_string(n) &&
           (std::string(kind) == "row" || std::string(kind) == "column" || std::string(kind) == "box");
}

// The sanitized build, ten times slower, takes every tenth puzzle.
#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kEvery = 10;
#else
constexpr std::size_t kEvery = 1;
#endif

TEST(JsonPath, PlacementsAreTheQuotedStepLinesAndMakeTheGridReported) {
    MemoryWindow window;
    std::set<std::string> events;
    const auto puzzles = test::read_set("magictour_top1465");
    for (std::size_t n = 0; n < puzzles.size(); n += kEvery) {
        const std::string& puzzle = puzzles[n];
        SCOPED_TRACE(puzzle);
        const json report = solve_with_path(window, puzzle);
        std::vector<json> placements;
        for (const json& record : report["path"]) {
            ASSERT_TRUE(record["attempt"].is_number_integer());
            if (!record.contains("kind")) {
                const std::string event = record["event"];
                events.insert(event);
                ASSERT_EQ(record.contains("pass"), event == "stall" || event == "repeat");
                ASSERT_EQ(record.contains("units"), event == "repeat");
                if (event == "repeat") {
                    ASSERT_FALSE(record["units"].empty());
                    for (const std::string unit : record["units"]) ASSERT_TRUE(names_a_unit(unit)) << unit;
                }
                continue;
            }
            const std::string kind = record["kind"];
            ASSERT_TRUE(kind == "cell" || kind == "unit" || kind == "guess" || kind == "search");
            ASSERT_EQ(record.contains("unit"), kind != "search");
            ASSERT_TRUE(kind == "search" || names_unit_of(record["unit"], record["row"], record["column"]));
            ASSERT_EQ(record.contains("places"), kind == "guess");
            placements.push_back(record);
        }
        ASSERT_EQ(placements.size(), report["steps"].size());
        for (std::size_t i = 0; i < placements.size(); ++i) {
            int column = 0, row = 0, digit = 0;
            const std::string line = report["steps"][i];
            ASSERT_EQ(std::sscanf(line.c_str(), "\" Column %d row %d  :Value%d\"", &column, &row, &digit), 3);
            ASSERT_TRUE(placements[i]["row"] == row && placements[i]["column"] == column &&
                        placements[i]["digit"] == digit) << i;
        }
        // The complete search fills in from the givens.
        std::string grid = puzzle;
        std::string last_kind;
        for (const json& record : report["path"]) {
            if (record.value("event", "") == "reload") grid = puzzle;
            if (!record.contains("kind")) continue;
            if (record["kind"] == "search" && last_kind != "search") grid = puzzle;
            last_kind = record["kind"];
            grid[9 * (int{record["row"]} - 1) + int{record["column"]} - 1] = static_cast<char>('0' + int{record["digit"]});
        }
        EXPECT_EQ(grid, report["grid"]);
    }
    EXPECT_EQ(events, (std::set<std::string>{"reload", "repeat", "stall", "start"}));
}

TEST(JsonPath, StepLinesFromThePathAreTheGoldenOnes) {
    std::ifstream in(std::string(VARENDO_GOLDEN_DIR) + "/puzzles.txt");
    std::ifstream steps(std::string(VARENDO_GOLDEN_DIR) + "/steps.jsonl");
    std::ifstream detailed(std::string(VARENDO_GOLDEN_DIR) + "/detailed.jsonl");
    // One window for all, in order, as the tool solves them; the detailed pass after the visible one.
    MemoryWindow visible;
    MemoryWindow hidden;
    visible.commands().set_path_recording(true);
    hidden.commands().set_path_recording(true);
    int puzzles = 0;
    const auto lines_of = [](const json& report) {
        std::string text;
        for (const std::string line : report["steps"]) text += line + "\r\n";
        return text;
    };
    for (std::string line, error; std::getline(in, line);) {
        const auto cells = read_puzzle_text(line, error);
        if (!cells) continue;
        ++puzzles;
        SCOPED_TRACE(line);
        std::string steps_line, detailed_line;
        ASSERT_TRUE(std::getline(steps, steps_line) && std::getline(detailed, detailed_line));
        run_puzzle(visible, *cells, StepMode::Visible);
        EXPECT_EQ(quoted_step_lines(visible.commands().path()), lines_of(json::parse(steps_line)));
        run_puzzle(hidden, *cells, StepMode::Detailed);
        EXPECT_EQ(detailed_step_lines(hidden.commands().path()), lines_of(json::parse(detailed_line)));
    }
    EXPECT_GT(puzzles, 10);
}

}  // namespace
}  // namespace varendo
