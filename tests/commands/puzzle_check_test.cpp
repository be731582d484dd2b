#include "commands/puzzle_check.h"

#include <gtest/gtest.h>

#include "test_grid.h"

namespace varendo {
namespace {

TEST(PuzzleCheck, FirstRepeatInReadingOrderElseTheNumberOfSolutions) {
    // Box 1 holds 5 and 7 twice each, in other rows and columns: read row by row, the
    // second 5 comes first.
    Grid81 box{};
    box[1] = box[11] = 5;
    box[9] = box[19] = 7;
    const PuzzleCheck found = check_puzzle(box);
    EXPECT_TRUE(found.verdict == PuzzleCheck::Verdict::Repeat && found.digit == 5 && found.unit == UnitKind::Box);
    EXPECT_TRUE(found.number == 1 && found.row == 2 && found.column == 3);

    Grid81 row = box;
    row[13] = 7;  // a 7 again in the first 7's row: the rows are looked at first
    EXPECT_TRUE(check_puzzle(row).unit == UnitKind::Row && check_puzzle(row).digit == 7);

    const auto verdict = [](const std::string& grid) { return check_puzzle(test::cells_of(grid)).verdict; };
    EXPECT_EQ(verdict(test::kSolution), PuzzleCheck::Verdict::OneSolution);
    EXPECT_EQ(verdict(std::string(81, '.')), PuzzleCheck::Verdict::SeveralSolutions);
    EXPECT_EQ(verdict(test::read_set("tdoku_test_nosolution").front()), PuzzleCheck::Verdict::NoSolution);
}

}  // namespace
}  // namespace varendo
