// main_function's end states; guess_function's choice and its record of tried guesses.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "test_grid.h"

namespace varendo {
namespace {

using test::kContradiction;
using test::kRectangle;

struct Grid {
    explicit Grid(std::string_view grid) {
        w.click(Button::New);
        test::set_grid(s, grid);
        s.save_to_file = true;
        w.step_file().open();
    }
    MemoryWindow w;
    Solver& s = w.commands().solver();
};

TEST(Driver, RepeatInTheStartingGridEndsTheRunAtTheFirstFailingUnit) {
    const struct {
        int pos_a, pos_b;
        char digit;
        int units_checked;
        std::string text;
    } cases[] = {
        {18, 63, '7', 1, "   Validation failed for column 1 - The number 7 is getting repeated   3  8"},
        {60, 80, '6', 27, "   Validation failed for 3x3 box 9 - The number 6 is getting repeated.   "},
    };
    for (const auto& c : cases) {
        std::string grid(81, '.');
        grid[c.pos_a] = grid[c.pos_b] = c.digit;
        Grid r(grid);
        r.s.cell_mask[50] = 12345;
        r.s.pass_count = 3;
        r.s.is_complete = false;
        r.s.digit_counter = 0;
        r.s.main_function();
        EXPECT_TRUE(r.s.solve_state == 0 && !r.s.valid_before && r.s.valid_after && !r.s.is_valid);
        EXPECT_EQ(r.s.digit_counter, c.units_checked);
        EXPECT_TRUE(r.s.cell_mask[50] == 12345 && r.s.pass_count == 3 && !r.s.is_complete);  // untouched
        EXPECT_EQ(r.w.step_file_contents(), c.text + "\r\n");
    }
}

TEST(Driver, SolvedAndContradictoryRunsEndWithoutGuessing) {
    Grid full(test::kSolution);
    full.s.main_function();
    EXPECT_TRUE(full.s.solve_state == 1 && full.s.is_complete && full.s.is_valid && full.s.valid_after);
    for (int k = 1; k <= 81; ++k) EXPECT_EQ(full.s.cell_mask[k], 1 << full.s.cell_value[k - 1]);
    EXPECT_TRUE(full.s.pass_count == 1 && full.w.step_file_contents().empty());

    Grid bad(kContradiction);
    bad.s.main_function();
    EXPECT_TRUE(bad.s.solve_state == -1 && bad.s.valid_before && !bad.s.valid_after && !bad.s.is_valid);
    EXPECT_TRUE(!bad.s.is_complete && bad.s.no_progress && bad.s.guess_count == 0);
    EXPECT_EQ(test::grid_of(bad.s).substr(0, 9), "123456799");
    // Every failing unit of the sweep prints its line; message keeps the last.
    const std::string& file = bad.w.step_file_contents();
    const std::string row1 = "   Validation failed for row 1 - The number 9 is getting repeated   64  73\r\n";
    const std::string box7 = "   Validation failed for 3x3 box 7 - The number 9 is getting repeated.   \r\n";
    ASSERT_NE(file.find(row1), std::string::npos) << file;
    EXPECT_LT(file.find(row1), file.find(box7));
    EXPECT_EQ(bad.s.message.text() + "\r\n", file.substr(file.size() - box7.size()));
}

TEST(Guessing, ChoosesFewestPlacesThenUnitThenDigitThenFirstUntriedCell) {
    const int m37 = 8 + 128;  // digits 3 and 7
    const struct {
        const char* what;
        std::vector<std::pair<int, int>> masks;  // (cell, mask); all other masks 0
        std::vector<std::pair<int, int>> tried;  // (cell, guess_mark)
        std::optional<std::pair<int, int>> guess;
    } cases[] = {
        {"lowest digit with two places", {{3, m37}, {7, m37}}, {}, {{3, 3}}},
        {"second place once the first was tried", {{3, m37}, {7, m37}}, {{3, 8}}, {{7, 3}}},
        {"next digit once both were tried", {{3, m37}, {7, m37}}, {{3, 8}, {7, 8}}, {{3, 7}}},
        {"nothing left to try", {{3, m37}, {7, m37}}, {{3, m37}, {7, m37}}, std::nullopt},
        {"a place already holding only the digit is passed over", {{3, 128}, {7, m37}}, {}, {{7, 7}}},
        {"two places in unit 2 before three in unit 1", {{1, 48}, {2, 48}, {3, 48}, {12, 768}, {15, 768}},
         {}, {{12, 8}}},
    };
    for (const auto& c : cases) {
        Grid r(test::without(test::kSolution, {18, 54}));  // cells 3 and 7 empty
        r.w.set_save_to_file(true);
        r.s.cell_mask.fill(0);
        for (const auto& [k, m] : c.masks) r.s.cell_mask[k] = static_cast<std::int16_t>(m);
        for (const auto& [k, m] : c.tried) r.s.guess_mark[k] = static_cast<std::int16_t>(m);
        auto marks = r.s.guess_mark;
        r.s.solve_state = 1234;
        r.s.guess_count = 41;
        r.s.guess_function();
        EXPECT_EQ(r.w.caption(Label::Label4), "Yes  42") << c.what;
        if (c.guess) {
            const auto [k, d] = *c.guess;
            marks[k] = static_cast<std::int16_t>(marks[k] + (1 << d));
            EXPECT_EQ(r.w.step_file_contents().substr(0, test::quoted(k, d).size()), test::quoted(k, d)) << c.what;
        } else {  // nothing changes but the count
            EXPECT_TRUE(r.w.step_file_contents().empty() && r.s.solve_state == 1234);
            EXPECT_EQ(r.w.grid_text(), std::string(81, '.'));
            EXPECT_EQ(test::grid_of(r.s), test::without(test::kSolution, {18, 54}));
        }
        EXPECT_EQ(r.s.guess_mark, marks) << c.what;
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
    EXPECT_EQ(w.grid_text(), kRectangle);
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
