// --json --path: for puzzles across the hardest set, the path's records carry the fields of
// their kind, and its placements are the step file's quoted lines one for one.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
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

// One puzzle in 4 shows every kind of record many times over; the sanitized build takes one in 20.
constexpr std::size_t kEvery = 4 * test::sanitized_stride(5);

TEST(JsonPath, RecordsCarryTheirKindsFieldsAndPlacementsAreTheQuotedStepLines) {
    const std::regex unit_name("(row|column|box) [1-9]");
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
                    for (const std::string unit : record["units"])
                        ASSERT_TRUE(std::regex_match(unit, unit_name)) << unit;
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
    }
    EXPECT_EQ(events, (std::set<std::string>{"reload", "repeat", "stall", "start"}));
}

}  // namespace
}  // namespace varendo
