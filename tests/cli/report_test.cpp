// The tool's reports beyond the exact bytes the golden files hold: the text form, and one
// window serving many puzzles as fresh ones would.

#include "cli/report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "test_grid.h"

namespace varendo {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kDottedPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
const std::string kSolution =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
// Two 3s in the top row.
const std::string kRepeatedGiven =
    "3.3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
// The first puzzle of tdoku's multi-solution set.
const std::string kSeveral =
    "8.........95.......67..........2.485...4.3192......736...651947...732518...894263";

std::string report(MemoryWindow& window, const std::string& puzzle, StepMode mode, bool json) {
    run_puzzle(window, test::cells_of(puzzle), mode);
    const int solutions = count_solutions(window, test::cells_of(puzzle));
    std::string out;
    if (json)
        append_json_report(out, test::cells_of(puzzle), window, solutions);
    else
        append_text_report(out, window, solutions, mode != StepMode::Off);
    return out;
}

std::string text_report(const std::string& puzzle, StepMode mode) {
    MemoryWindow window;
    return report(window, puzzle, mode, false);
}

TEST(TextReport, ShowsGridMessageDifficultyAndSeveralSolutions) {
    EXPECT_EQ(text_report(kDottedPuzzle, StepMode::Off), kSolution + "\tSudoku Solved\tDifficulty     : 1 (Medium)\n");
    EXPECT_EQ(text_report(kRepeatedGiven, StepMode::Off),
              kRepeatedGiven + "\t   Validation failed for row 1 - The number 3 is getting repeated   1  19\n");
    EXPECT_THAT(text_report(kSeveral, StepMode::Off), EndsWith("\tseveral solutions\n"));
    EXPECT_THAT(text_report(kDottedPuzzle, StepMode::Off), Not(HasSubstr("several")));
}

TEST(TextReport, StepLinesFollowIndentedWithoutTheirCarriageReturns) {
    const std::string out = text_report(kDottedPuzzle, StepMode::Visible);
    EXPECT_NE(out.find("Sudoku Solved"), std::string::npos);
    EXPECT_NE(out.find("\n  \" Column "), std::string::npos);
    EXPECT_EQ(out.find('\r'), std::string::npos);
}

TEST(JsonReport, OneWindowServesManyPuzzlesLikeFreshOnes) {
    MemoryWindow reused;
    for (const StepMode mode : {StepMode::Off, StepMode::Detailed}) {
        for (const std::string& puzzle : {kSeveral, kRepeatedGiven, kDottedPuzzle}) {
            MemoryWindow fresh;
            EXPECT_EQ(report(reused, puzzle, mode, true), report(fresh, puzzle, mode, true)) << puzzle;
        }
    }
}

}  // namespace
}  // namespace varendo
