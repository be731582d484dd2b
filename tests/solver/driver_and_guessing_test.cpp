// main_function's end states; guess_function's choice and its record of tried guesses.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "test_grid.h"

namespace varendo {
namespace {

using test::Bench;

TEST(Driver, RepeatInTheStartingGridEndsTheRunAtTheFirstFailingUnit) {
    const std::tuple<int, int, char, int, std::string> cases[] = {  // positions, digit, units checked
        {18, 63, '7', 1, "   Validation failed for column 1 - The number 7 is getting repeated   3  8"},
        {60, 80, '6', 27, "   Validation failed for 3x3 box 9 - The number 6 is getting repeated.   "},
    };
    for (const auto& [pos_a, pos_b, digit, units_checked, text] : cases) {
        std::string grid(81, '.');
        grid[pos_a] = grid[pos_b] = digit;
        Bench r(grid);
        r.s.cell_mask[50] = 12345;
        r.s.pass_count = 3;
        r.s.is_complete = false;
        r.s.digit_counter = 0;
        r.s.main_function();
        EXPECT_TRUE(r.s.solve_state == 0 && !r.s.valid_before && r.s.valid_after && !r.s.is_valid);
        EXPECT_EQ(r.s.digit_counter, units_checked);
        EXPECT_TRUE(r.s.cell_mask[50] == 12345 && r.s.pass_count == 3 && !r.s.is_complete);  // untouched
        EXPECT_EQ(r.file(), text + "\r\n");
    }
}

TEST(Driver, SolvedAndContradictoryRunsEndWithoutGuessing) {
    Bench full(test::kSolution);
    full.s.main_function();
    EXPECT_TRUE(full.s.solve_state == 1 && full.s.is_complete && full.s.is_valid && full.s.valid_after);
    for (int k = 1; k <= 81; ++k) EXPECT_EQ(full.s.cell_mask[k], 1 << full.s.cell_value[k - 1]);
    EXPECT_TRUE(full.s.pass_count == 1 && full.file().empty());

    Bench bad(test::kContradiction);
    bad.s.main_function();
    EXPECT_TRUE(bad.s.solve_state == -1 && bad.s.valid_before && !bad.s.valid_after && !bad.s.is_valid);
    EXPECT_TRUE(!bad.s.is_complete && bad.s.no_progress && bad.s.guess_count == 0);
    EXPECT_EQ(test::grid_of(bad.s).substr(0, 9), "123456799");
    // Every failing unit of the sweep prints its line; message keeps the last.
    const std::string row1 = "   Validation failed for row 1 - The number 9 is getting repeated   64  73\r\n";
    const std::string box7 = "   Validation failed for 3x3 box 7 - The number 9 is getting repeated.   \r\n";
    ASSERT_NE(bad.file().find(row1), std::string::npos) << bad.file();
    EXPECT_LT(bad.file().find(row1), bad.file().find(box7));
    EXPECT_TRUE(bad.file().ends_with(bad.s.message.text() + "\r\n") && bad.file().ends_with(box7));
}

TEST(Guessing, ChoosesFewestPlacesThenUnitThenDigitThenFirstUntriedCell) {
    const int m37 = 8 + 128;  // digits 3 and 7
    using Pairs = std::vector<std::pair<int, int>>;
    const std::tuple<const char*, Pairs, Pairs, std::optional<std::pair<int, int>>> cases[] = {
        // what, (cell, mask) with all other masks 0, (cell, guess_mark), the guess (cell, digit)
        {"lowest digit with two places", {{3, m37}, {7, m37}}, {}, {{3, 3}}},
        {"second place once the first was tried", {{3, m37}, {7, m37}}, {{3, 8}}, {{7, 3}}},
        {"next digit once both were tried", {{3, m37}, {7, m37}}, {{3, 8}, {7, 8}}, {{3, 7}}},
        {"nothing left to try", {{3, m37}, {7, m37}}, {{3, m37}, {7, m37}}, std::nullopt},
        {"a place already holding only the digit is passed over", {{3, 128}, {7, m37}}, {}, {{7, 7}}},
        {"two places in unit 2 before three in unit 1", {{1, 48}, {2, 48}, {3, 48}, {12, 768}, {15, 768}},
         {}, {{12, 8}}},
    };
    for (const auto& [what, masks, tried, guess] : cases) {
        Bench r(test::without(test::kSolution, {18, 54}));  // cells 3 and 7 empty
        r.s.cell_mask.fill(0);
        for (const auto& [k, m] : masks) r.s.cell_mask[k] = static_cast<std::int16_t>(m);
        for (const auto& [k, m] : tried) r.s.guess_mark[k] = static_cast<std::int16_t>(m);
        auto marks = r.s.guess_mark;
        r.s.solve_state = 1234;
        r.s.guess_count = 41;
        r.s.guess_function();
        EXPECT_EQ(r.w.caption(Label::Label4), "Yes  42") << what;
        if (guess) {
            marks[guess->first] = static_cast<std::int16_t>(marks[guess->first] + (1 << guess->second));
            EXPECT_TRUE(r.file().starts_with(test::quoted(guess->first, guess->second))) << what << r.file();
        } else {  // nothing changes but the count
            EXPECT_TRUE(r.file().empty() && r.s.solve_state == 1234);
            EXPECT_EQ(r.w.grid_text(), std::string(81, '.'));
            EXPECT_EQ(test::grid_of(r.s), test::without(test::kSolution, {18, 54}));
        }
        EXPECT_EQ(r.s.guess_mark, marks) << what;
    }
}

TEST(Guessing, TriedGuessesSurviveLaterSolvesUntilRestart) {
    MemoryWindow w;
    Solver& s = w.commands().solver();
    test::load_puzzle(w, test::kRectanglePuzzle);
    w.click(Button::Solve);
    ASSERT_EQ(w.last_message(), "Sudoku Solved");
    EXPECT_EQ(w.grid_text().substr(0, 9), "463921857");  // the guess 6 in cell 10 holds
    EXPECT_EQ(w.caption(Label::Label4), "Yes  1");

    s.reload_fixed_puzzle();  // from the givens again, without Restart
    w.click(Button::Solve);   // the tried guess is skipped: 6 goes to cell 11
    ASSERT_EQ(w.last_message(), "Sudoku Solved");
    EXPECT_EQ(w.grid_text(), test::kRectangle);
    EXPECT_EQ(s.guess_mark[10] + s.guess_mark[11], 128);
    EXPECT_EQ(w.caption(Label::Label4), "Yes  2");

    s.reload_fixed_puzzle();  // both places of 6 used up: 8 comes next
    w.click(Button::Solve);
    EXPECT_EQ(s.guess_mark[10], 64 + 256);

    w.click(Button::Restart);
    EXPECT_EQ(std::count(s.guess_mark.begin(), s.guess_mark.end(), 0), 83);
    EXPECT_EQ(s.guess_count, 0);
}

}  // namespace
}  // namespace varendo
