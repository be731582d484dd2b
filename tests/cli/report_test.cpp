#include "cli/report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace varendo {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

const std::string kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
const std::string kSolution =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
// Two 3s in the top row.
const std::string kRepeatedGiven =
    "3.3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
// The first puzzle of tdoku's multi-solution set.
const std::string kSeveral =
    "8.........95.......67..........2.485...4.3192......736...651947...732518...894263";

std::string text_report(const std::string& puzzle, StepMode mode) {
    MemoryWindow window;
    run_puzzle(window, puzzle, mode);
    std::string out;
    append_text_report(out, window, count_solutions(puzzle), mode != StepMode::Off);
    return out;
}

nlohmann::ordered_json json_report(MemoryWindow& window, const std::string& puzzle, StepMode mode) {
    run_puzzle(window, puzzle, mode);
    std::string out;
    append_json_report(out, puzzle, window, count_solutions(puzzle));
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "one object per line";
    return nlohmann::ordered_json::parse(out);
}

TEST(TextReport, SolvedPuzzleShowsGridMessageAndDifficulty) {
    EXPECT_EQ(text_report(kPuzzle, StepMode::Off),
              kSolution + "\tSudoku Solved\tDifficulty     : 1 (Medium)\n");
}

TEST(TextReport, UnsolvedPuzzleShowsNoDifficulty) {
    EXPECT_EQ(text_report(kRepeatedGiven, StepMode::Off),
              kRepeatedGiven +
                  "\t   Validation failed for row 1 - The number 3 is getting repeated   1  19\n");
}

TEST(TextReport, FlagsPuzzlesWithSeveralSolutions) {
    EXPECT_THAT(text_report(kSeveral, StepMode::Off), ::testing::EndsWith("\tseveral solutions\n"));
    EXPECT_THAT(text_report(kPuzzle, StepMode::Off), ::testing::Not(::testing::HasSubstr("several")));
}

TEST(TextReport, StepLinesFollowIndented) {
    const std::string out = text_report(kPuzzle, StepMode::Visible);
    EXPECT_THAT(out, StartsWith(kSolution + "\tSudoku Solved"));
    EXPECT_NE(out.find("\n  \" Column "), std::string::npos);
    EXPECT_EQ(out.find('\r'), std::string::npos);
}

TEST(JsonReport, HasExactlyTheDocumentedKeysInOrder) {
    MemoryWindow window;
    const nlohmann::ordered_json report = json_report(window, kPuzzle, StepMode::Visible);
    std::vector<std::string> keys;
    for (const auto& item : report.items()) keys.push_back(item.key());
    EXPECT_THAT(keys, ElementsAre("puzzle", "outcome", "grid", "colors", "label1", "label4",
                                  "pass_count", "guess_count", "steps", "solutions"));
    EXPECT_EQ(report["puzzle"], kPuzzle);
    EXPECT_EQ(report["outcome"], "Sudoku Solved");
    EXPECT_EQ(report["grid"], kSolution);
    EXPECT_EQ(report["label1"], "Difficulty     : 1 (Medium)");
    EXPECT_EQ(report["label4"], "No");
    EXPECT_EQ(report["guess_count"], 0);
    EXPECT_EQ(report["solutions"], 1);

    const std::string colors = report["colors"];
    ASSERT_EQ(colors.size(), 81u);
    int placed = 0;
    for (std::size_t i = 0; i < 81; ++i) {
        EXPECT_EQ(colors[i], kPuzzle[i] == '.' ? 'b' : 'g') << i;
        placed += kPuzzle[i] == '.';
    }
    // One quoted line per placed digit, as the visible box asks.
    ASSERT_EQ(report["steps"].size(), static_cast<std::size_t>(placed));
    for (const auto& line : report["steps"]) EXPECT_THAT(line.get<std::string>(), StartsWith("\" Column "));
}

TEST(JsonReport, DetailedStepsEndWithTheOutcome) {
    MemoryWindow window;
    const nlohmann::ordered_json report = json_report(window, kPuzzle, StepMode::Detailed);
    ASSERT_FALSE(report["steps"].empty());
    EXPECT_EQ(report["steps"].back(), "Sudoku Solved");
    EXPECT_THAT(report["steps"].front().get<std::string>(), StartsWith("Reducing "));
}

TEST(JsonReport, OneWindowServesManyPuzzlesLikeFreshOnes) {
    MemoryWindow reused;
    for (const StepMode mode : {StepMode::Off, StepMode::Detailed}) {
        for (const std::string& puzzle : {kSeveral, kRepeatedGiven, kPuzzle}) {
            MemoryWindow fresh;
            EXPECT_EQ(json_report(reused, puzzle, mode), json_report(fresh, puzzle, mode)) << puzzle;
        }
    }
}

}  // namespace
}  // namespace varendo
