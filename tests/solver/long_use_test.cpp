// Long use of one window: thousands of Solve commands in a row must keep giving the right
// grid, leave nothing behind from one command to the next, and keep the work counters at
// 32767 instead of letting them wrap.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_grid.h"

namespace varendo {
namespace {

constexpr int kSolves = 10000;
constexpr int kLimit = 32767;

struct Case {
    std::string puzzle;
    std::string solution;
};

std::vector<Case> cases() {
    const auto easy = test::read_set("euler96_easy50.txt");
    const auto easy_solutions = test::read_set("euler96_easy50_solutions.txt");
    const auto hard = test::read_set("norvig_top95.txt");
    const auto hard_solutions = test::read_set("norvig_top95_solutions.txt");
    if (easy.size() < 4 || hard.empty() || easy_solutions.size() < 4 || hard_solutions.empty()) return {};
    if (hard.size() < 8 || hard_solutions.size() < 8) return {};
    // The eighth norvig puzzle takes 26 guesses: guess_count moves too, and a Solve stays
    // quick enough for thousands of them under the sanitizers.
    return {{easy[0], easy_solutions[0]}, {easy[1], easy_solutions[1]}, {easy[2], easy_solutions[2]},
            {easy[3], easy_solutions[3]}, {hard[7], hard_solutions[7]}};
}

void expect_solved(const MemoryWindow& w, const Case& c, int solve) {
    ASSERT_EQ(w.last_message(), "Sudoku Solved") << "solve " << solve << " of " << c.puzzle;
    ASSERT_EQ(w.grid_text(), c.solution) << "solve " << solve;
    ASSERT_GE(w.solver().pass_count, 0);
    ASSERT_GE(w.solver().guess_count, 0);
}

TEST(LongUse, TenThousandSolvesOnOneWindowStayRight) {
    const std::vector<Case> set = cases();
    ASSERT_FALSE(set.empty()) << "puzzle sets missing under " << VARENDO_PUZZLE_DIR;
    MemoryWindow w;
    Solver& s = w.commands().solver();
    std::vector<std::string> first_steps(set.size());
    int solves = 0;
    for (int cycle = 0; solves < kSolves; ++cycle) {
        const std::size_t which = cycle % set.size();
        const Case& c = set[which];
        test::load_puzzle(w, c.puzzle);
        ASSERT_EQ(s.pass_count, 0);

        // The step file is emptied on every opening: the same Solve writes the same bytes.
        w.set_save_to_file(true);
        w.click(Button::Solve);
        w.set_save_to_file(false);
        expect_solved(w, c, ++solves);
        ASSERT_FALSE(w.step_file().is_open());
        if (first_steps[which].empty()) first_steps[which] = w.step_file_contents();
        ASSERT_EQ(w.step_file_contents(), first_steps[which]) << "solve " << solves;

        w.click(Button::Restart);
        ASSERT_EQ(w.grid_text(), c.puzzle);
        ASSERT_EQ(s.pass_count, 0);
        ASSERT_EQ(s.guess_count, 0);

        if (cycle % 50 == 49) {  // always the puzzle that guesses
            // Near the limit: the counters and everything made from them stop at 32767.
            s.pass_count = kLimit - 1;
            s.guess_count = kLimit - 1;
            w.click(Button::Solve);
            expect_solved(w, c, ++solves);
            ASSERT_EQ(s.pass_count, kLimit);
            ASSERT_EQ(s.guess_count, kLimit);
            ASSERT_EQ(w.caption(Label::Label4), "Yes  32767");
            ASSERT_EQ(w.caption(Label::Label1), "Difficulty     : 32767 (Very Difficult)");
            // A solved grid solved again only adds passes: still 32767.
            w.click(Button::Solve);
            expect_solved(w, c, ++solves);
            ASSERT_EQ(s.pass_count, kLimit);
            w.click_command19();
            ASSERT_EQ(w.caption(Label::Label1), "32767    32767       32767");
        } else {
            w.click(Button::Solve);
            expect_solved(w, c, ++solves);
        }
    }
    EXPECT_GE(solves, kSolves);
}

}  // namespace
}  // namespace varendo
