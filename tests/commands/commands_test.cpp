// Cell and unit numbering, the input filter, New/Freeze/Restart, and the Solve command: its
// outcomes, the difficulty line, Label4, Command19's counters and either switch's step file.

#include <gtest/gtest.h>

#include <array>

#include "test_grid.h"

namespace varendo {
namespace {

// A solved grid without cells 10 and 81.
const std::string kTwoHoles =
    "1.345678945678912378912345623456789156789123489123456734567891267891234591234567.";

TEST(EntryCommands, EnableTheRightControlsRestartGoesBackToTheGivensAndNewStartsOver) {
    // Cells run down the columns, and so do boxes; a unit lists its cells in that order.
    EXPECT_EQ(unit_cells(22), (UnitCells{28, 29, 30, 37, 38, 39, 46, 47, 48}));
    EXPECT_EQ(unit_cells(27), (UnitCells{61, 62, 63, 70, 71, 72, 79, 80, 81}));
    MemoryWindow w;
    Solver& s = w.commands().solver();
    const auto states = [&] {
        return std::array{w.button_enabled(Button::New), w.button_enabled(Button::Freeze),
                          w.button_enabled(Button::Restart), w.button_enabled(Button::Solve), w.cell_enabled(80)};
    };
    EXPECT_EQ(states(), (std::array{true, false, false, false, false}));
    EXPECT_FALSE(w.type(0, '5') || w.click(Button::Freeze) || w.click(Button::Restart) || w.click(Button::Solve));
    w.click(Button::New);
    EXPECT_EQ(states(), (std::array{true, true, false, false, true}));
    for (const char key : {'0', 'a', ' '}) EXPECT_TRUE(w.type(5, key) && w.cell_text(5).empty()) << key;
    w.type(7, '9');
    EXPECT_FALSE(w.type(7, '3'));  // a full cell takes no second keystroke
    w.set_cell_text(8, "x");       // the program's own changes are filtered too
    EXPECT_TRUE(w.cell_text(7) == "9" && w.cell_text(8).empty() && s.cell_value[7] == 1023);

    test::load_puzzle(w, kTwoHoles);  // text box 9 shows cell 10, the top of column 2
    EXPECT_EQ(states(), (std::array{true, true, true, true, true}));
    EXPECT_TRUE(s.frozen_value[10] == 1022 && s.frozen_value[2] == 4 && s.cell_value[1] == 4 && s.cell_mask[2] == 16);
    w.click(Button::Solve);
    ASSERT_TRUE(w.cell_text(9) == "2" && w.cell_color(9) == kPlacedColor && w.cell_color(0) == kGivenColor);
    const std::string difficulty = w.caption(Label::Label1);
    s.guess_mark[10] = 6;
    w.click(Button::Restart);
    EXPECT_EQ(states(), (std::array{true, true, true, true, true}));
    EXPECT_TRUE(w.cell_text(9).empty() && w.cell_color(9) == kPlacedColor);  // an emptied cell keeps its colour
    EXPECT_TRUE(s.cell_value[9] == 1023 && s.cell_mask[10] == 1022 && s.guess_mark[10] == 0 && s.pass_count == 0);
    EXPECT_EQ(w.caption(Label::Label1), difficulty);

    w.set_save_to_file(true);
    w.click_check1();
    w.click(Button::New);  // New leaves Label4 and both switches
    EXPECT_EQ(states(), (std::array{true, true, false, false, true}));
    EXPECT_TRUE(w.caption(Label::Label1).empty() && w.caption(Label::Label4) == "No");
    EXPECT_TRUE(w.check_state(CheckBox::Check2) == 1 && s.save_to_file);
    for (int i = 0; i < 81; ++i)
        EXPECT_TRUE(w.cell_text(i).empty() && w.cell_color(i) == kTypedColor && s.frozen_value[i + 1] == 1022 &&
                    s.cell_value[i] == 1023 && s.cell_mask[i + 1] == 1022 && s.guess_mark[i + 1] == 0);
}

TEST(Solve, ReportsTheFirstOutcomeThatHoldsAndRestoresTheGivensAfterAFailure) {
    const std::pair<std::string, Outcome> cases[] = {
        {kTwoHoles, Outcome::Solved},
        // Row 1 holds 1..7 and 8 stands in columns 8 and 9: both free cells of row 1 become 9.
        {"1234567.........8..................8" + std::string(45, '.'), Outcome::RepeatAfterElimination},
        {std::string(18, '.') + '7' + std::string(44, '.') + '7' + std::string(17, '.'), Outcome::RepeatInGivens},
        // No unit repeats a digit, yet there is no solution.
        {"1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.", Outcome::CannotComplete},
    };
    for (const auto& [puzzle, outcome] : cases) {
        const bool solved = outcome == Outcome::Solved, restarted = !solved && outcome != Outcome::RepeatInGivens;
        MemoryWindow w;
        test::load_puzzle(w, puzzle);
        w.click_command19();  // a known caption in Label1
        w.type(80, '9');      // not a given: Restart takes it away
        for (int round = 1; round <= 2; ++round) {  // a second Solve reports the same
            w.click(Button::Solve);
            ASSERT_EQ(w.commands().outcome(), outcome) << puzzle;
            EXPECT_EQ(w.message_count(), round);
            EXPECT_EQ(w.grid_text(), solved ? test::kSolution : puzzle.substr(0, 80) + (restarted ? '.' : '9'));
            EXPECT_EQ(w.caption(Label::Label1), solved ? "Difficulty     : 0 (Easy)" : "0    0       0");
            EXPECT_TRUE(outcome != Outcome::RepeatInGivens || w.last_message() == w.solver().message.text());
            EXPECT_TRUE(!restarted || w.solver().pass_count == 0);
        }
        EXPECT_EQ(w.caption(Label::Label4), outcome == Outcome::CannotComplete ? "Yes  259" : "No");
    }
}

TEST(Solve, ShowsEveryGivenAgainWhateverWasTypedOverIt) {
    const std::string repeat = "..55" + std::string(77, '.');
    for (const auto& [puzzle, grid_after] : {std::pair{kTwoHoles, test::kSolution}, std::pair{repeat, repeat}}) {
        MemoryWindow w;
        test::load_puzzle(w, puzzle);
        w.erase(index_of(1, 3));  // a hole and a wrong digit where givens stand
        w.erase(index_of(1, 4));
        w.type(index_of(1, 4), '9');
        w.click(Button::Solve);
        EXPECT_EQ(w.grid_text(), grid_after);
        EXPECT_TRUE(w.cell_color(index_of(1, 3)) == kGivenColor && w.cell_color(index_of(1, 4)) == kGivenColor);
    }
}

TEST(Solve, DifficultyLineAndCommand19CountGuessesAndPassesUpTo32767) {
    const std::tuple<std::int16_t, std::int16_t, std::string, std::string> cases[] = {
        // passes and guesses before the Solve of a full grid, which adds one pass
        {3, 0, "0 (Easy)", "4    0       4"}, {4, 0, "1 (Medium)", "5    0       5"},
        {9, 0, "2 (Difficult)", "10    0       10"}, {11, 1, "3 (Very Difficult)", "12    1       42"},
        {19, 30000, "30004 (Very Difficult)", "20    30000       32767"},
        {32767, 32767, "32767 (Very Difficult)", "32767    32767       32767"},
    };
    for (const auto& [passes, guesses, difficulty, counters] : cases) {
        MemoryWindow w;
        test::load_puzzle(w, test::kSolution);
        w.commands().solver().pass_count = passes;
        w.commands().solver().guess_count = guesses;
        w.click(Button::Solve);
        EXPECT_EQ(w.caption(Label::Label1), "Difficulty     : " + difficulty);
        w.click_command19();
        EXPECT_EQ(w.caption(Label::Label1), counters);
    }
}

TEST(StepFile, Check2WritesPlacementsCheck1AlsoStepFailureAndOutcomeLinesEachSolveAnew) {
    MemoryWindow w;
    test::load_puzzle(w, kTwoHoles);
    w.set_save_to_file(true);
    w.click(Button::Solve);
    EXPECT_TRUE(w.step_file_contents() == test::quoted(10, 2) + test::quoted(81, 8) && !w.step_file().is_open());
    w.click(Button::Solve);  // a solved grid places nothing
    EXPECT_TRUE(w.step_file_contents().empty() && !w.step_file().is_open());

    w.set_save_to_file(false);
    w.click(Button::Restart);
    w.click_check1();
    w.click(Button::Solve);
    EXPECT_EQ(w.step_file_contents(), "Reducing column 2 for the value 2 at position 10\r\n"
                                      "Reducing column 9 for the value 8 at position 81\r\nSudoku Solved\r\n");
    test::load_puzzle(w, "11" + std::string(79, '.'));  // both runs of attempt 1 print, then the outcome
    w.click(Button::Solve);
    const std::string line = w.solver().message.text() + "\r\n";
    EXPECT_EQ(w.step_file_contents(), line + line + line);
    w.click_check1();
    EXPECT_FALSE(w.solver().save_to_file);
}

}  // namespace
}  // namespace varendo
