#include "commands/puzzle_text.h"

#include <gtest/gtest.h>

#include <string>

namespace varendo {
namespace {

const std::string kZeros =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
const std::string kDots =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

TEST(PuzzleText, ReadsZerosAndDotsRowByRowAndIgnoresWhatFollowsWhiteSpace) {
    for (const std::string& line : {kZeros, kDots + "\tfrom the paper, 2 stars", kZeros + " "}) {
        std::string error;
        const auto cells = read_puzzle_text(line, error);
        ASSERT_TRUE(cells) << error;
        EXPECT_EQ((*cells)[2], 3);
        EXPECT_EQ((*cells)[9], 9);
        EXPECT_EQ((*cells)[80], 0);
        EXPECT_EQ(puzzle_text(*cells), kDots);
    }
}

TEST(PuzzleText, NamesWhatIsWrongAndWhere) {
    const std::pair<std::string, std::string> cases[] = {
        {kZeros.substr(0, 80), "line too short: 80 characters where a puzzle needs 81"},
        {kZeros.substr(0, 10) + "x" + kZeros.substr(11), "unexpected 'x' at column 11: a cell is 1-9, 0 or ."},
        {std::string(1, '\0') + kZeros.substr(1), "unexpected byte 0x00 at column 1: a cell is 1-9, 0 or ."},
        {"\xC3\xA9" + kZeros.substr(2), "unexpected byte 0xC3 at column 1: a cell is 1-9, 0 or ."},
        {kZeros + "7", "unexpected '7' at column 82: a puzzle has 81 cells, then white space"},
    };
    for (const auto& [line, expected] : cases) {
        std::string error;
        EXPECT_FALSE(read_puzzle_text(line, error));
        EXPECT_EQ(error, expected);
    }
}

// kDots on nine lines, in the given line end, with separators between the boxes.
std::string drawn(const std::string& end) {
    std::string text = "+-------+-------+-------+" + end;
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column)
            text += std::string(column % 3 == 0 ? "| " : "") + kDots[9 * row + column] + ' ';
        text += "|" + end + (row % 3 == 2 ? "+-------+-------+-------+" + end : "");
    }
    return text;
}

TEST(PuzzleText, ReadsTheFirstPuzzleOfATextInEitherForm) {
    std::string rows;  // nine bare rows, ended by lone CRs
    for (int row = 0; row < 9; ++row) rows += kZeros.substr(9 * row, 9) + "\r";
    for (const std::string& text : {"# a set\n\n" + kDots + " 2 stars\n" + kZeros, "\xEF\xBB\xBF  " + kZeros,
                                    drawn("\n") + "\n" + kZeros, drawn("\r\n"), rows + "\r" + rows}) {
        std::string error;
        const auto cells = read_puzzle(text, error);
        ASSERT_TRUE(cells) << error << "\n" << text;
        EXPECT_EQ(puzzle_text(*cells), kDots);
    }
}

TEST(PuzzleText, NamesTheLineAndColumnOfWhatIsNoPuzzle) {
    const std::string grid = drawn("\n");
    const std::pair<std::string, std::string> cases[] = {
        {"\n\n" + kZeros.substr(0, 80), "line 3: line too short: 80 characters where a puzzle needs 81"},
        {"  " + kZeros.substr(0, 10) + "x" + kZeros.substr(11), "line 1: unexpected 'x' at column 13: a cell is 1-9, 0 or ."},
        {std::string(grid).replace(grid.find('6'), 1, "x"), "line 2: unexpected 'x' at column 19: a cell is 1-9, 0 or ."},
        {std::string(grid).erase(grid.find('6'), 1), "line 2: 8 cells where a row of the grid has 9"},
        {grid.substr(0, grid.find("| 7")), "line 6: the text ends after 4 of the grid's 9 rows"},
        {"# nothing here\n \n", "no cells at all"},
        {"", "no cells at all"},
    };
    for (const auto& [text, expected] : cases) {
        std::string error;
        EXPECT_FALSE(read_puzzle(text, error)) << text;
        EXPECT_EQ(error, expected);
    }
}

}  // namespace
}  // namespace varendo
