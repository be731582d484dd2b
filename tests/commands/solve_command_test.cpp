// The Solve command: outcome table, difficulty line, Label4, the step file through either
// switch (exact bytes), the failure path; Command19's counter line.

#include <gtest/gtest.h>

#include <algorithm>

#include "test_grid.h"

namespace varendo {
namespace {

using test::kContradiction;
const std::string kRectangle = test::kRectanglePuzzle;
const std::string kColumnRepeat = [] {
    std::string grid(81, '.');
    grid[18] = grid[63] = '7';  // cells 3 and 8
    return grid;
}();
const std::string kColumnText = "   Validation failed for column 1 - The number 7 is getting repeated   3  8";
const std::string kTwoHoles = test::without(test::kSolution, {0, 80});
// No unit repeats a digit, yet there is no solution (tdoku's first no-solution puzzle).
const std::string kNoSolution =
    "1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.";
const std::string kTwoHolesQuoted = "\" Column 1 row 1  :Value1\"\r\n\" Column 9 row 9  :Value8\"\r\n";

TEST(Solve, ReportsTheFirstOutcomeThatHolds) {
    const struct {
        std::string puzzle;
        bool all_guesses_tried;
        std::string message, grid_after, label4;
    } cases[] = {
        {kTwoHoles, false, "Sudoku Solved", test::kSolution, "No"},
        {kContradiction, false, "The sudoku is not solvable", kContradiction, "No"},
        {"55" + std::string(79, '.'), false,
         "   Validation failed for row 1 - The number 5 is getting repeated   1  10", "55" + std::string(79, '.'), "No"},
        {kColumnRepeat, false, kColumnText, kColumnRepeat, "No"},
        {kNoSolution, false, "The sudoku is not solvable (can't be completed).", kNoSolution, "Yes  259"},
    };
    for (const auto& c : cases) {
        MemoryWindow w;
        Solver& s = w.commands().solver();
        test::load_puzzle(w, c.puzzle);
        w.click_command19();  // a known caption in Label1
        for (int round = 1; round <= 2; ++round) {  // a second Solve reports the same
            if (c.all_guesses_tried) s.guess_mark.fill(1022);
            w.click(Button::Solve);
            EXPECT_EQ(w.last_message(), c.message) << "round " << round;
            EXPECT_EQ(w.grid_text(), c.grid_after) << c.message;
            EXPECT_EQ(w.caption(Label::Label4), c.label4) << c.message;
        }
        if (c.message == "Sudoku Solved") {
            EXPECT_EQ(w.caption(Label::Label1), "Difficulty     : 0 (Easy)");
            for (int pos = 0; pos < 81; ++pos)
                EXPECT_EQ(w.cell_color(test::box_of(pos)), c.puzzle[pos] == '.' ? kPlacedColor : kGivenColor);
        } else {
            EXPECT_EQ(w.caption(Label::Label1), "0    0       0") << c.message;
        }
        if (c.message.starts_with("The sudoku")) {
            EXPECT_EQ(s.pass_count + s.guess_count, 0);  // restarted
        }
    }
}

TEST(Solve, ShowsEveryGivenAgainWhateverWasTypedOverIt) {
    const std::string repeat = ".55" + std::string(78, '.');
    for (const auto& [puzzle, grid_after] : {std::pair{kTwoHoles, test::kSolution}, std::pair{repeat, repeat}}) {
        MemoryWindow w;
        test::load_puzzle(w, puzzle);
        w.erase(test::box_of(1));  // a hole and a wrong digit where givens stand
        w.erase(test::box_of(2));
        w.type(test::box_of(2), '9');
        w.click(Button::Solve);
        EXPECT_EQ(w.grid_text(), grid_after);
        EXPECT_TRUE(w.cell_color(test::box_of(1)) == kGivenColor && w.cell_color(test::box_of(2)) == kGivenColor);
    }
}

TEST(Solve, DifficultyLineAndCommand19CountGuessesAndPasses) {
    const struct {
        std::int16_t passes, guesses;  // before the Solve of a full grid, which adds one pass
        const char *difficulty, *counters;
    } cases[] = {
        {3, 0, "0 (Easy)", "4    0       4"},
        {4, 0, "1 (Medium)", "5    0       5"},
        {9, 0, "2 (Difficult)", "10    0       10"},
        {11, 1, "3 (Very Difficult)", "12    1       42"},
        {19, 30000, "30004 (Very Difficult)", "20    30000       32767"},  // shown capped
        {32767, 32767, "32767 (Very Difficult)", "32767    32767       32767"},
    };
    for (const auto& c : cases) {
        MemoryWindow w;
        test::load_puzzle(w, test::kSolution);
        w.commands().solver().pass_count = c.passes;
        w.commands().solver().guess_count = c.guesses;
        w.click(Button::Solve);
        EXPECT_EQ(w.last_message(), "Sudoku Solved");
        EXPECT_EQ(w.caption(Label::Label1), std::string("Difficulty     : ") + c.difficulty);
        w.click_command19();
        EXPECT_EQ(w.caption(Label::Label1), c.counters);
    }
}

TEST(StepFile, Check2WritesQuotedPlacementsAndEachSolveStartsItEmpty) {
    MemoryWindow w;
    test::load_puzzle(w, kTwoHoles);
    w.set_save_to_file(true);
    w.click(Button::Solve);
    EXPECT_EQ(w.step_file_contents(), kTwoHolesQuoted);
    EXPECT_FALSE(w.step_file().is_open());
    w.click(Button::Solve);  // a solved grid places nothing
    EXPECT_EQ(w.step_file_contents(), "");
    EXPECT_FALSE(w.step_file().is_open());
}

TEST(StepFile, Check1PrintsStepAndFailureLinesThenTheOutcome) {
    MemoryWindow w;
    test::load_puzzle(w, kTwoHoles);
    w.click_check1();
    w.click(Button::Solve);
    EXPECT_EQ(w.step_file_contents(), "Reducing column 1 for the value 1 at position 1\r\n"
                                      "Reducing column 9 for the value 8 at position 81\r\n"
                                      "Sudoku Solved\r\n");
    EXPECT_FALSE(w.step_file().is_open());

    test::load_puzzle(w, kColumnRepeat);  // both runs of attempt 1 print, then the outcome
    w.click(Button::Solve);
    EXPECT_EQ(w.step_file_contents(), kColumnText + "\r\n" + kColumnText + "\r\n" + kColumnText + "\r\n");

    test::load_puzzle(w, kRectangle);  // one stall line per guess_function call
    w.click(Button::Solve);
    const auto lines = test::step_lines(w.step_file_contents());
    EXPECT_TRUE(w.step_file_contents().ends_with("\r\nSudoku Solved\r\n"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.starts_with("Sudocu can"); }),
              w.solver().guess_count);
    w.click_check1();
    EXPECT_FALSE(w.solver().save_to_file);
}

TEST(StepFile, BothSwitchesFailBeforeTheRunAndTheNextSolveStillWorks) {
    MemoryWindow w;
    test::load_puzzle(w, kTwoHoles);
    w.set_save_to_file(true);
    w.click_check1();
    w.click(Button::Solve);
    EXPECT_EQ(w.last_message(), "Unable to write to the file.");
    EXPECT_EQ(w.caption(Label::Label4), "No");
    EXPECT_EQ(w.grid_text(), kTwoHoles);  // the run never started
    EXPECT_FALSE(w.step_file().is_open());
    w.set_save_to_file(false);
    w.click(Button::Solve);
    EXPECT_EQ(w.last_message(), "Sudoku Solved");
    EXPECT_TRUE(w.step_file_contents().ends_with("\r\nSudoku Solved\r\n"));
}

}  // namespace
}  // namespace varendo
