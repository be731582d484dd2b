#include "commands/marks_text.h"

#include <gtest/gtest.h>

#include "commands/puzzle_text.h"

#include <bit>
#include <string>

namespace varendo {
namespace {

const std::string kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

Grid81 grid_of(const std::string& text) {
    std::string error;
    return *read_puzzle_text(text, error);
}

Digits digits(std::initializer_list<int> list) {
    Digits set = 0;
    for (const int d : list) set |= digit_bit(d);
    return set;
}

TEST(PencilMarks, CandidatesAreWhatNoDigitOfTheCellsUnitsRulesOut) {
    const GridDigits candidates = grid_candidates(grid_of(kPuzzle));
    EXPECT_EQ(candidates[0], digits({4, 5}));  // row 1: 3 2 6, column 1: 9 7 8, box: 3 9
    EXPECT_EQ(candidates[2], 0);               // a given
    EXPECT_EQ(grid_candidates(Grid81{})[40], kNineDigits);
}

TEST(PencilMarks, TogglesOwnMarksOrStrikesCandidatesAndKeepsBothSets) {
    const Grid81 grid = grid_of(kPuzzle);
    PencilMarks marks;
    EXPECT_TRUE(toggle_mark(marks, grid, false, 0, 1));
    EXPECT_TRUE(toggle_mark(marks, grid, false, 0, 5));
    EXPECT_FALSE(toggle_mark(marks, grid, false, 2, 5));  // a given takes no mark
    EXPECT_EQ(shown_marks(marks, grid, false)[0], digits({1, 5}));
    // With the candidates shown: 4 and 5, less what is struck; 7 is no candidate.
    EXPECT_TRUE(toggle_mark(marks, grid, true, 0, 5));
    EXPECT_FALSE(toggle_mark(marks, grid, true, 0, 7));
    EXPECT_EQ(shown_marks(marks, grid, true)[0], digits({4}));
    EXPECT_EQ(shown_marks(marks, grid, false)[0], digits({1, 5}));
    EXPECT_TRUE(toggle_mark(marks, grid, true, 0, 5));
    EXPECT_EQ(shown_marks(marks, grid, true)[0], digits({4, 5}));
    EXPECT_TRUE(clear_cell_marks(marks, grid, true, 0));
    EXPECT_EQ(shown_marks(marks, grid, true)[0], 0);
    EXPECT_FALSE(clear_cell_marks(marks, grid, true, 0));
    EXPECT_TRUE(clear_cell_marks(marks, grid, false, 0));
    EXPECT_EQ(marks.own[0], 0);
    // Marks a text brings show alike with the candidates and without.
    GridDigits brought{};
    brought[0] = digits({4});
    brought[1] = digits({1, 7});
    const PencilMarks loaded = marks_showing(brought, grid);
    EXPECT_EQ(shown_marks(loaded, grid, false), brought);
    EXPECT_EQ(shown_marks(loaded, grid, true)[0], digits({4}));
    EXPECT_EQ(shown_marks(loaded, grid, true)[3], 0);
}

TEST(PencilMarks, PlacementCleansItsDigitFromTheCellsThatSeeItUnlessItRepeats) {
    Grid81 grid{};
    PencilMarks marks;
    for (const int cell : {1, 9, 10, 80, 72}) marks.own[cell] = digits({4, 7});
    grid[0] = 4;
    EXPECT_TRUE(clean_after_placement(marks, grid, 0));
    EXPECT_EQ(marks.own[1], digits({7}));   // row
    EXPECT_EQ(marks.own[9], digits({7}));   // column
    EXPECT_EQ(marks.own[10], digits({7}));  // box
    EXPECT_EQ(marks.own[80], digits({4, 7}));
    EXPECT_EQ(marks.own[72], digits({7}));
    // A second 4 in the row contradicts the first: nothing is cleaned.
    marks.own[80] = digits({4});
    grid[8] = 4;
    const PencilMarks before = marks;
    EXPECT_FALSE(clean_after_placement(marks, grid, 8));
    EXPECT_EQ(marks, before);
}

TEST(PencilMarks, MarksThatLeaveOutTheSolutionsDigitAreFound) {
    const Grid81 puzzle = grid_of(kPuzzle);
    const std::optional<Grid81> solution = only_solution(puzzle);
    ASSERT_TRUE(solution);
    PencilMarks marks;
    EXPECT_FALSE(first_missing_solution(marks, puzzle, true, *solution));
    const int needed = (*solution)[0];
    toggle_mark(marks, puzzle, true, 0, needed);
    EXPECT_EQ(first_missing_solution(marks, puzzle, true, *solution), 0);
    marks.own[1] = digit_bit((*solution)[1] == 1 ? 2 : 1);
    EXPECT_EQ(first_missing_solution(marks, puzzle, false, *solution), 1);
    EXPECT_FALSE(only_solution(Grid81{}));
}

TEST(MarksText, WritesAlignedColumnsAndReadsItBack) {
    const Grid81 grid = grid_of(kPuzzle);
    GridDigits marks = grid_candidates(grid);
    marks[1] = 0;
    const std::string text = marks_grid_text(grid, marks);
    EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1) + 1),
              "+------------------+-----------------+------------------+\n"
              "| 45    .       3  | 49   2      147 | 6   5789   57    |\n");
    std::string error;
    const std::optional<MarkedGrid> read = read_marked_puzzle(text, error);
    ASSERT_TRUE(read) << error;
    // As the peers read it, a cell with one candidate holds that digit.
    for (int cell = 0; cell < 81; ++cell) {
        const bool single = marks[cell] != 0 && (marks[cell] & (marks[cell] - 1)) == 0;
        EXPECT_EQ(read->cells[cell], single ? std::countr_zero(marks[cell]) : grid[cell]) << cell;
        EXPECT_EQ(read->marks[cell], single ? 0 : marks[cell]) << cell;
    }
}

TEST(MarksText, ReadsThePeersFormsAndPlainPuzzles) {
    // Sudoku Explainer's frame and HoDoKu's, with a naked single read as a placed digit.
    const std::string rows =
        "| 5 3 12 | 6 7 8 | 9 1 2 |\n| 6 7 2 | 1 9 5 | 3 4 8 |\n| 1 9 8 | 3 4 2 | 5 6 7 |\n"
        "| 8 5 9 | 7 6 1 | 4 2 3 |\n| 4 2 6 | 8 5 3 | 7 9 1 |\n| 7 1 3 | 9 2 4 | 8 5 6 |\n"
        "| 9 6 1 | 5 3 7 | 2 8 4 |\n| 2 8 7 | 4 1 9 | 6 3 5 |\n| 3 4 5 | 2 8 6 | 1 7 9 |\n";
    for (const std::string& frame : {std::string(" *-----------*\n"), std::string(".-----.-----.\n:---+---:\n")}) {
        std::string error;
        const std::optional<MarkedGrid> read = read_marked_puzzle(frame + rows + "'-----'\n", error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(read->cells[0], 5);
        EXPECT_EQ(read->cells[2], 0);
        EXPECT_EQ(read->marks[2], digits({1, 2}));
    }
    std::string error;
    const std::optional<MarkedGrid> plain = read_marked_puzzle(kPuzzle, error);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->marks, GridDigits{});
}

TEST(MarksText, NamesTheLineAndColumnOfBadInput) {
    const std::string row = "| 12 3 4 | 5 6 7 | 8 9 1 |\n";
    std::string grid;
    for (int i = 0; i < 9; ++i) grid += row;
    const std::pair<std::string, std::string> cases[] = {
        {"+---+\n| 12 3 4x | 5 6 7 | 8 9 1 |\n", "line 2, column 9: unexpected 'x': a cell is its digits 1-9, or ."},
        {"| 122 3 4 | 5 6 7 | 8 9 1 |\n", "line 1, column 5: digit 2 twice in one cell"},
        {"| 12 3 4\xC3 | 5 6 7 | 8 9 1 |\n", "line 1, column 9: unexpected byte 0xC3: a cell is its digits 1-9, or ."},
        {"| 12 3 4 | 5 6 7 | 8 9 |\n", "line 1, column 25: 8 cells where a row of the grid has 9"},
        {"| 12 3 4 | 5 6 7 | 8 9 1 2 |\n", "line 1, column 26: a tenth cell where a row of the grid has 9"},
        {row + row, "line 2: the text ends after 2 of the grid's 9 rows"},
    };
    for (const auto& [text, expected] : cases) {
        std::string error;
        EXPECT_FALSE(read_marked_puzzle(text, error));
        EXPECT_EQ(error, expected);
    }
    std::string error;
    EXPECT_TRUE(read_marked_puzzle(grid, error)) << error;
    // Without a cell of several digits the plain reader's error stands.
    EXPECT_FALSE(read_marked_puzzle("1 2 3\n", error));
    EXPECT_EQ(error, "line 1: 3 cells where a row of the grid has 9");
}

}  // namespace
}  // namespace varendo
