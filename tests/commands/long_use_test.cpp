// Long use of one window: 10,000 Solve commands in a row must keep giving the right grid and
// the same step file, leave nothing behind from one command to the next, and keep the work
// counters at 32767 instead of letting them wrap.

#include <gtest/gtest.h>

#include "test_grid.h"

namespace varendo {
namespace {

constexpr int kSolves = 10000;

TEST(LongUse, TenThousandSolvesOnOneWindowStayRight) {
    const auto easy = test::read_set("euler96_easy50.txt"), easy_end = test::read_set("euler96_easy50_solutions.txt");
    const auto hard = test::read_set("norvig_top95.txt"), hard_end = test::read_set("norvig_top95_solutions.txt");
    ASSERT_TRUE(easy.size() >= 4 && easy_end.size() >= 4 && hard.size() >= 8 && hard_end.size() >= 8);
    // Puzzle and solution. The eighth norvig puzzle takes 26 guesses: guess_count moves too,
    // and a Solve stays quick enough for thousands of them under the sanitizers.
    const std::pair<std::string, std::string> set[] = {
        {easy[0], easy_end[0]}, {easy[1], easy_end[1]}, {easy[2], easy_end[2]}, {easy[3], easy_end[3]}, {hard[7], hard_end[7]}};
    MemoryWindow w;
    Solver& s = w.commands().solver();
    std::vector<std::string> first_steps(std::size(set));
    int solves = 0;
    const auto solve = [&](const std::string& solution) {
        w.click(Button::Solve);
        ++solves;
        return w.last_message() == "Sudoku Solved" && w.grid_text() == solution && s.pass_count >= 0 &&
               s.guess_count >= 0;
    };
    for (int cycle = 0; solves < kSolves; ++cycle) {
        const std::size_t which = cycle % std::size(set);
        const auto& [puzzle, solution] = set[which];
        test::load_puzzle(w, puzzle);
        ASSERT_EQ(s.pass_count, 0);

        // The step file is emptied on every opening: the same Solve writes the same bytes.
        w.set_save_to_file(true);
        ASSERT_TRUE(solve(solution)) << "solve " << solves << ": " << w.last_message();
        w.set_save_to_file(false);
        ASSERT_FALSE(w.step_file().is_open());
        if (first_steps[which].empty()) first_steps[which] = w.step_file_contents();
        ASSERT_EQ(w.step_file_contents(), first_steps[which]) << "solve " << solves;

        w.click(Button::Restart);
        ASSERT_TRUE(w.grid_text() == puzzle && s.pass_count == 0 && s.guess_count == 0) << "solve " << solves;
        if (cycle % 50 == 49) {  // always the puzzle that guesses
            // Near the limit: the counters and everything made from them stop at 32767.
            s.pass_count = s.guess_count = 32766;
            ASSERT_TRUE(solve(solution)) << "solve " << solves;
            ASSERT_TRUE(s.pass_count == 32767 && s.guess_count == 32767);
            ASSERT_EQ(w.caption(Label::Label4), "Yes  32767");
            ASSERT_EQ(w.caption(Label::Label1), "Difficulty     : 32767 (Very Difficult)");
            ASSERT_TRUE(solve(solution)) << "solve " << solves;  // a solved grid solved again only adds passes
            ASSERT_EQ(s.pass_count, 32767);
            w.click_command19();
            ASSERT_EQ(w.caption(Label::Label1), "32767    32767       32767");
        } else {
            ASSERT_TRUE(solve(solution)) << "solve " << solves;
        }
    }
}

}  // namespace
}  // namespace varendo
