// Solve over the public puzzle sets: every reported solution is a valid grid keeping the
// givens, with a consistent report and step file; any other outcome restores the puzzle; a
// repeated given is reported with the validation text of the first failing unit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "test_grid.h"

namespace varendo {
namespace {

using test::digit_at;

void check_set(const std::string& name, std::size_t step, bool all_solved, bool none_solved, bool unique) {
    const auto puzzles = test::read_set(name + ".txt");
    const auto solutions = unique ? test::read_set(name + "_solutions.txt") : puzzles;
    ASSERT_FALSE(puzzles.empty());
    ASSERT_EQ(puzzles.size(), solutions.size());
    for (std::size_t i = 0; i < puzzles.size(); i += step) {
        std::string puzzle = puzzles[i];
        std::replace(puzzle.begin(), puzzle.end(), '0', '.');
        const std::string where = name + " line " + std::to_string(i + 1);
        MemoryWindow w;
        const Solver& s = w.solver();
        test::load_puzzle(w, puzzle);
        w.set_save_to_file(true);
        w.click(Button::Solve);
        const std::string grid = w.grid_text();
        if (w.last_message() != "Sudoku Solved") {
            EXPECT_FALSE(all_solved) << where;
            EXPECT_TRUE(w.last_message().starts_with("The sudoku is not solvable")) << where << w.last_message();
            EXPECT_EQ(grid, puzzle) << where;
            EXPECT_EQ(w.caption(Label::Label1), "") << where;
            continue;
        }
        EXPECT_FALSE(none_solved) << where;
        ASSERT_TRUE(test::solves(puzzle, grid)) << where;
        EXPECT_EQ(grid, unique ? solutions[i] : grid) << where;
        EXPECT_EQ(w.caption(Label::Label4), s.guess_count == 0 ? "No" : "Yes  " + std::to_string(s.guess_count));
        EXPECT_EQ(w.caption(Label::Label1), difficulty_line(std::min(32767, s.guess_count + s.pass_count / 5)));

        // Guesses go only to cells the puzzle leaves empty; the step file writes every empty
        // cell, no given, and last the digit shown.
        std::array<int, 81> last{};
        for (int k = 1; k <= 81; ++k)
            EXPECT_TRUE(puzzle[test::pos_of_cell(k)] == '.' || s.guess_mark[k] == 0) << where;
        for (const std::string& line : test::step_lines(w.step_file_contents())) {
            int column = 0, row = 0, digit = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "\" Column %d row %d  :Value%d\"", &column, &row, &digit), 3) << line;
            last.at(9 * (row - 1) + column - 1) = digit;
        }
        for (int pos = 0; pos < 81; ++pos) {
            EXPECT_EQ(last[pos], puzzle[pos] == '.' ? digit_at(grid, pos) : 0) << where << " at " << pos;
            EXPECT_EQ(w.cell_color(test::box_of(pos)), puzzle[pos] == '.' ? kPlacedColor : kGivenColor) << where;
        }
    }
}

TEST(SharedSets, SolvedPuzzlesAreValidAndOthersRestoreThePuzzle) {
    check_set("euler96_easy50", 1, true, false, true);  // the easy sets: every one solved
    check_set("qqwing_easy", 1, true, false, true);
    check_set("qqwing_simple", 40, true, false, true);
    check_set("qqwing_intermediate", 40, false, false, true);
    check_set("qqwing_expert", 40, false, false, true);
    check_set("norvig_top95", 3, false, false, true);
    check_set("magictour_top1465", 25, false, false, true);
    check_set("tdoku_test_unique", 1, false, false, true);
    check_set("tdoku_test_multisolution", 1, false, false, false);
    check_set("sudoku17", 2000, false, false, false);
    check_set("tdoku_test_nosolution", 1, false, true, false);  // never reported solved
}

// The failure text of the first unit, in unit order, that repeats a digit.
std::string first_failure(std::string_view grid) {
    for (int u = 1; u <= 27; ++u) {
        const UnitCells& cells = unit_cells(u);
        for (int a = 0; a < 9; ++a) {
            const int d = digit_at(grid, test::pos_of_cell(cells[a]));
            for (int b = a + 1; b < 9 && d != 0; ++b) {
                if (digit_at(grid, test::pos_of_cell(cells[b])) != d) continue;
                const std::string text = std::string("   Validation failed for ") +
                                         (u < 10 ? "column " : u < 19 ? "row " : "3x3 box ") +
                                         std::to_string(unit_number(u)) + " - The number " + std::to_string(d);
                return u >= 19 ? text + " is getting repeated.   "
                               : text + " is getting repeated   " + std::to_string(cells[a]) + "  " +
                                     std::to_string(cells[b]);
            }
        }
    }
    return "";
}

TEST(SharedSets, RepeatedGivenIsReportedByTheFirstFailingUnit) {
    const auto puzzles = test::read_set("euler96_easy50.txt");
    ASSERT_GE(puzzles.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i) {
        // The first given copied into the first empty cell of its row, its column, its box.
        const int given = static_cast<int>(puzzles[i].find_first_of("123456789"));
        const int row = given / 9, column = given % 9, box = 27 * (row / 3) + 3 * (column / 3);
        for (int kind = 0; kind < 3; ++kind) {
            std::string variant = puzzles[i];
            std::replace(variant.begin(), variant.end(), '0', '.');
            for (int j = 0; j < 9; ++j) {
                const int pos = kind == 0 ? 9 * row + j : kind == 1 ? 9 * j + column : box + 9 * (j / 3) + j % 3;
                if (variant[pos] == '.') {
                    variant[pos] = puzzles[i][given];
                    break;
                }
            }
            MemoryWindow w;
            test::load_puzzle(w, variant);
            w.click(Button::Solve);
            ASSERT_FALSE(first_failure(variant).empty()) << variant;
            EXPECT_EQ(w.last_message(), first_failure(variant)) << "line " << i + 1 << " kind " << kind;
            EXPECT_EQ(w.grid_text(), variant);
        }
    }
}

}  // namespace
}  // namespace varendo
