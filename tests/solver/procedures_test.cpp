// The solver procedures on their own: latest_pos, write_pos, validate, possible, complete.

#include <gtest/gtest.h>

#include "test_grid.h"

namespace varendo {
namespace {

using test::Bench;

TEST(LatestPos, IntersectsDigitBitsAndUsesUpBothArguments) {
    const std::int16_t cases[][5] = {  // pos, num, result, pos after, num after
        {22, 12, 4, 0, 0},  {1022, 32, 32, 0, 0},  {1023, 2, 2, 1, 0},      {1023, 1023, 1022, 1, 1},
        {0, 1022, 0, 0, 0}, {-2, 1022, 0, -2, 0}, {1022, -64, 0, 0, -64},  // negative: no test passes
    };
    Bench b;
    for (const auto& c : cases) {
        std::int16_t pos = c[0], num = c[1];
        b.s.digit_counter = 7;
        const std::array<std::int16_t, 4> got{b.s.latest_pos(pos, num), pos, num, b.s.digit_counter};
        EXPECT_EQ(got, (std::array<std::int16_t, 4>{c[2], c[3], c[4], 0})) << c[0] << " & " << c[1];
    }
}

TEST(WritePos, PlacesOnlySingleDigitMasksAndWritesAQuotedLineWhenCheck2IsTicked) {
    Bench b;
    b.s.written_value = 7;
    for (const std::int16_t value : {0, 1, 6, 1022, 1023}) b.s.write_pos(40, value);
    EXPECT_TRUE(b.s.cell_value[40] == 1023 && b.w.cell_text(40).empty() && b.w.cell_color(40) == kTypedColor);
    EXPECT_TRUE(b.s.written_value == 7 && b.file().empty());

    std::string expected;
    for (const auto& [k, d] : {std::pair{1, 1}, {23, 4}, {81, 9}, {81, 9}}) {  // placed again: line again
        b.s.write_pos(k - 1, static_cast<std::int16_t>(1 << d));
        EXPECT_TRUE(b.w.cell_text(k - 1) == std::to_string(d) && b.w.cell_color(k - 1) == kPlacedColor);
        EXPECT_TRUE(b.s.cell_value[k - 1] == d && b.s.written_value == d);
        expected += test::quoted(k, d);
    }
    EXPECT_EQ(b.file(), expected);
}

TEST(Validate, FailureTextNamesTheFirstRepeatedPair) {
    const std::tuple<int, std::vector<std::pair<int, int>>, std::string> cases[] = {  // unit, (cell, digit)s
        {1, {{3, 7}, {8, 7}}, "column 1 - The number 7 is getting repeated   3  8"},
        {9, {{73, 2}, {81, 2}}, "column 9 - The number 2 is getting repeated   73  81"},
        {2, {{11, 4}, {12, 6}, {14, 6}, {16, 4}}, "column 2 - The number 4 is getting repeated   11  16"},
        {11, {{2, 5}, {29, 5}}, "row 2 - The number 5 is getting repeated   2  29"},
        {18, {{9, 3}, {45, 3}, {81, 3}}, "row 9 - The number 3 is getting repeated   9  45"},
        {23, {{31, 4}, {51, 4}}, "3x3 box 5 - The number 4 is getting repeated.   "},
        {27, {{61, 6}, {81, 6}}, "3x3 box 9 - The number 6 is getting repeated.   "},
    };
    for (const bool save : {true, false}) {
        for (const auto& [unit, cells, end] : cases) {
            Bench b;
            for (const auto& [k, d] : cells) b.s.cell_value[k - 1] = static_cast<std::int16_t>(d);
            b.s.save_to_file = save;
            b.s.digit_counter = 0;
            b.s.validate(unit);
            const std::string text = "   Validation failed for " + end;
            EXPECT_TRUE(!b.s.is_valid && b.s.digit_counter == 1) << text;
            EXPECT_EQ(b.s.message.text(), text);
            EXPECT_EQ(b.file(), save ? text + "\r\n" : "");  // printed bare, once
        }
    }
    Bench b(test::kSolution);  // units without a repeat change neither flag nor message
    for (int v = 1; v <= 27; ++v) b.s.validate(v);
    EXPECT_TRUE(b.s.is_valid && b.s.message == Bench::kOld && b.file().empty());
}

TEST(Possible, PlacesDecidedCellsWithTheirStepLines) {
    const std::tuple<int, int, int, bool, std::string> cases[] = {  // unit, cell, digit, by elimination
        {3, 22, 4, false, "Reducing column 3 for the value 4 at position 22"},
        {13, 40, 6, false, "Reducing row 4 for the value 6 at position 40"},
        {23, 41, 9, false, "Reducing 3x3 box 5 for the value 9 at position 5"},  // centre
        {27, 81, 8, false, "Reducing 3x3 box 9 for the value 8 at position 9"},  // bottom right
        {1, 4, 5, true, "THIS IS TRICKY : Reducing column 1 for the value 5 by elimination method. at position 4"},
        {12, 30, 2, true, "Reducing row 3 for the value 2 at position 30"},
        {22, 47, 9, true, "Reducing 3x3 box 4 for the value 9 at position 8"},  // place in the box
    };
    for (const auto& [unit, cell, digit, by_elimination, line] : cases) {
        // Mask reduction: the solved grid lacks only the cell. Elimination: an empty unit in
        // which only the cell keeps the digit as a candidate.
        Bench b(by_elimination ? std::string(81, '.') : test::without(test::kSolution, {test::pos_of_cell(cell)}));
        const auto without = static_cast<std::int16_t>(1022 - (1 << digit));
        if (by_elimination)
            for (const int k : unit_cells(unit)) b.s.cell_mask[k] = k == cell ? 1022 : without;
        b.s.no_progress = true;
        b.s.possible(unit);
        EXPECT_TRUE(b.s.cell_value[cell - 1] == digit && b.s.cell_mask[cell] == 1 << digit && !b.s.no_progress);
        EXPECT_EQ(b.s.message.text(), line);
        EXPECT_EQ(b.file(), test::quoted(cell, digit) + line + "\r\n");  // write_pos's line first
        for (const int k : unit_cells(unit))
            EXPECT_TRUE(!by_elimination || k == cell || b.s.cell_mask[k] == without) << line << " cell " << k;
    }
}

TEST(Possible, AllowedMasksComeFromAnArithmeticSumWorkedOutBeforeThePlacements) {
    Bench b("1........2........3........4........5........6........7..........................");
    b.w.set_save_to_file(false);
    b.s.cell_mask[8] = 1022 - 512;  // cell 8 can only take 8; cell 9 may take 8 or 9
    b.s.possible(1);
    // Cell 9 keeps 8 after the reduction; the elimination method then sees cell 8 as 8 alone.
    EXPECT_EQ(b.file(), "Reducing column 1 for the value 8 at position 8\r\n"
                        "THIS IS TRICKY : Reducing column 1 for the value 9 by elimination method. at position 9\r\n");
    EXPECT_EQ(b.s.unit_sum, 254);

    Bench same;  // two digits with the same only place: the lower is placed
    for (const int k : unit_cells(1)) same.s.cell_mask[k] = k == 6 ? 1022 : 1022 - 8 - 64;
    same.s.possible(1);
    EXPECT_EQ(same.s.cell_value[5], 3);
    EXPECT_EQ(same.s.message.text(),
              "THIS IS TRICKY : Reducing column 1 for the value 3 by elimination method. at position 6");
    Bench lower;  // 5 placed in cell 2 leaves 2 only cell 1, but 2 has had its turn
    for (const int k : unit_cells(1)) lower.s.cell_mask[k] = k == 1 ? 1022 - 32 : k == 2 ? 1022 : 1022 - 4 - 32;
    lower.s.possible(1);
    EXPECT_TRUE(lower.s.cell_value[1] == 5 && lower.s.cell_value[0] == 1023);

    Bench fives("55" + std::string(79, '.'));
    fives.s.no_progress = true;
    fives.s.possible(10);  // 32 + 32 = 64: the empty cells of row 1 lose 6, not 5
    EXPECT_TRUE(fives.s.unit_sum == 64 && fives.s.cell_mask[19] == 958);
    EXPECT_TRUE(!fives.s.no_progress && fives.s.message == Bench::kOld);

    Bench nines(".99" + std::string(78, '.'));
    nines.s.possible(10);  // 1024: a negative allowed mask empties every empty cell for good
    EXPECT_TRUE(nines.s.cell_mask[1] == 0 && nines.s.cell_mask[28] == 0 && nines.s.cell_mask[73] == 0);
    nines.s.no_progress = true;
    nines.s.possible(10);
    EXPECT_TRUE(nines.s.no_progress && nines.file().empty());
}

TEST(Complete, UnitSumMustBeExactly1022) {
    std::string repeated = test::kSolution;
    repeated[27] = '1';  // column 1: 1 twice, no 2
    const std::string empty(81, '.');
    const std::tuple<std::int16_t, std::string, int> cases[] = {  // unit, grid, unit_sum
        {1, test::kSolution, 1022}, {10, test::without(test::kSolution, {4}), 1022 - 32}, {1, repeated, 1020},
        {19, test::without(test::kSolution, {0}), 1022 - 2 + 1}, {5, empty, 0}, {25, empty, 9},  // box: +1
    };
    for (const bool before : {true, false}) {  // never set back to True
        for (const auto& [unit, grid, sum] : cases) {
            Bench b(grid);
            b.s.is_complete = before;
            b.s.complete(unit);
            EXPECT_EQ(b.s.unit_sum, sum) << "unit " << unit;
            EXPECT_EQ(b.s.is_complete, before && sum == 1022) << "unit " << unit;
        }
    }
}

}  // namespace
}  // namespace varendo
