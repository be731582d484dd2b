// Solve over the public puzzle sets: every puzzle with a solution is solved, keeping its
// givens, with a step file that wrote every digit the grid shows and no given; every puzzle
// without one shows the puzzle again.

#include <gtest/gtest.h>

#include <cstdio>

#include "test_grid.h"

namespace varendo {
namespace {

TEST(SharedSets, PuzzlesWithASolutionAreSolvedAndOthersRestoreThePuzzle) {
    const std::tuple<std::string, std::size_t, bool> sets[] = {  // name, every how many, has a solutions file
        {"qqwing_expert", 20, true}, {"norvig_top95", 3, true}, {"magictour_top1465", 25, true},
        {"tdoku_test_unique", 1, true}, {"tdoku_test_multisolution", 1, false}, {"tdoku_test_nosolution", 1, false}};
    for (const auto& [name, step, unique] : sets) {
        const auto puzzles = test::read_set(name), solutions = unique ? test::read_set(name + "_solutions") : puzzles;
        ASSERT_TRUE(!puzzles.empty() && puzzles.size() == solutions.size()) << name;
        for (std::size_t i = 0; i < puzzles.size(); i += step) {
            SCOPED_TRACE(name + " line " + std::to_string(i + 1));
            MemoryWindow w;
            test::load_puzzle(w, puzzles[i]);
            const std::string puzzle = w.grid_text();
            w.set_save_to_file(true);
            w.click(Button::Solve);
            const std::string grid = w.grid_text();
            if (name.ends_with("nosolution")) {
                EXPECT_TRUE(w.commands().outcome() != Outcome::Solved && grid == puzzle);
                continue;
            }
            ASSERT_TRUE(w.commands().outcome() == Outcome::Solved && test::solves(puzzle, grid));
            EXPECT_TRUE(!unique || grid == solutions[i]);
            std::string written = std::string(81, '.');  // the last digit written into each cell
            const std::string& steps = w.step_file_contents();
            for (std::size_t start = 0, end; (end = steps.find("\r\n", start)) != std::string::npos; start = end + 2) {
                int column = 0, row = 0, digit = 0;
                ASSERT_EQ(std::sscanf(&steps[start], "\" Column %d row %d  :Value%d\"", &column, &row, &digit), 3);
                written.at(9 * (row - 1) + column - 1) = static_cast<char>('0' + digit);
            }
            for (int pos = 0; pos < 81; ++pos) EXPECT_EQ(written[pos], puzzle[pos] == '.' ? grid[pos] : '.') << pos;
        }
    }
}

}  // namespace
}  // namespace varendo
