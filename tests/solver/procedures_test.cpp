// The solver procedures: latest_pos, validate, the end states of main_function, and
// guess_function's choice and its record of tried guesses.

#include <gtest/gtest.h>

#include <optional>

#include "test_grid.h"

namespace varendo {
namespace {

using test::Bench;

// Rows 1-2 of columns 2 and 7 hold 8 6 / 6 8; without those four cells: two solutions, and
// a stall whose first guess is 6 in cell 10.
const std::string kRectangle =
    "4.3921.579.7345.21251876493548132976729564138136798245372689514814253769695417382";

TEST(LatestPos, IntersectsDigitBitsUsesUpBothArgumentsAndFailsOnNegatives) {
    Bench b;  // pos, num, result, pos after, num after:
    for (const auto& c : {std::array<std::int16_t, 5>{22, 12, 4, 0, 0}, {1023, 2, 2, 1, 0}, {1023, 1023, 1022, 1, 1},
                          {-2, 1022, 0, -2, 0}, {1022, -64, 0, 0, -64}}) {
        std::int16_t pos = c[0], num = c[1];
        b.s.digit_counter = 7;
        const std::array<std::int16_t, 4> got{b.s.latest_pos(pos, num), pos, num, b.s.digit_counter};
        EXPECT_EQ(got, (std::array<std::int16_t, 4>{c[2], c[3], c[4], 0})) << c[0] << " & " << c[1];
    }
}

TEST(Validate, ReportsTheFirstRepeatedPairInUnitOrderAndCountsEveryCall) {
    const std::tuple<int, std::vector<std::pair<int, int>>, std::string> cases[] = {  // unit, (cell, digit)s
        {2, {{11, 4}, {12, 6}, {14, 6}, {16, 4}}, "column 2 - The number 4 is getting repeated   11  "},
        {18, {{9, 3}, {45, 3}, {81, 3}}, "row 9 - The number 3 is getting repeated   9  45"},
        {23, {{31, 4}, {51, 4}}, "3x3 box 5 - The number 4 is getting repeated.   "},
    };
    for (const auto& [unit, cells, end] : cases) {
        Bench b;
        for (const auto& [k, d] : cells) b.s.cell_value[k - 1] = static_cast<std::int16_t>(d);
        b.s.save_to_file = unit != 18;  // printed only when asked
        b.s.validate(unit);
        const std::string text = b.s.message.text();
        EXPECT_TRUE(text.starts_with("   Validation failed for " + end) && (unit < 10 || text.ends_with(end)));
        EXPECT_TRUE(!b.s.is_valid && b.file() == (unit != 18 ? text + "\r\n" : "")) << text;  // printed bare, once
    }
    Bench b(test::kSolution);  // units without a repeat change neither flag nor message, but count
    for (int v = 1; v <= 27; ++v) b.s.validate(v);
    EXPECT_TRUE(b.s.is_valid && b.s.message.text().empty() && b.file().empty() && b.s.digit_counter == 27);
}

TEST(Driver, StopsAtARepeatedGivenSolvesContradictsOrStallsAndGuessesAfterTheStallLine) {
    for (const auto& [pos_a, pos_b, units_checked] : {std::tuple{18, 63, 1}, {60, 80, 27}}) {  // column 1, box 9
        std::string grid(81, '.');
        grid[pos_a] = grid[pos_b] = '6';
        Bench r(grid);
        r.s.cell_mask[50] = r.s.pass_count = 3;
        r.s.main_function();
        EXPECT_TRUE(r.s.solve_state == 0 && !r.s.valid_before && r.s.valid_after && !r.s.is_valid);
        EXPECT_TRUE(r.s.digit_counter == units_checked && r.s.cell_mask[50] == 3 && r.s.pass_count == 3);
        EXPECT_EQ(r.file(), r.s.message.text() + "\r\n");
    }
    // Row 1 holds 1..7 and 8 stands in columns 8 and 9: both free cells of row 1 become 9.
    Bench bad("1234567.........8..................8" + std::string(45, '.'));
    bad.s.main_function();
    EXPECT_TRUE(bad.s.solve_state == -1 && bad.s.valid_before && !bad.s.valid_after && !bad.s.is_valid);
    EXPECT_TRUE(!bad.s.is_complete && bad.s.no_progress && bad.s.guess_count == 0);
    // Every failing unit of the second sweep prints its line; message keeps the last.
    const std::string row1 = "   Validation failed for row 1 - The number 9 is getting repeated   64  73\r\n";
    const std::string box7 = "   Validation failed for 3x3 box 7 - The number 9 is getting repeated.   \r\n";
    EXPECT_TRUE(bad.file().ends_with(row1 + box7) && bad.s.message.text() + "\r\n" == box7) << bad.file();

    Bench stall(kRectangle);
    stall.s.main_function();
    EXPECT_TRUE(stall.s.solve_state == 1 && stall.s.guess_count == 1 && stall.s.digit_counter == 27);
    EXPECT_TRUE(stall.file().starts_with("Sudocu can not be completed beyond this point without guessing. Sudoku "
                                         "may or may not be solvable.\r\n" + test::quoted(10, 6)));
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
        {"nor where the other place holds it", {{3, 128}, {7, m37}, {12, 768}, {15, 768}}, {{7, 128}}, {{12, 8}}},
        {"a place already holding only the digit is passed over", {{3, 128}, {7, m37}}, {}, {{7, 7}}},
        {"two places in unit 2 before three in unit 1", {{1, 48}, {2, 48}, {3, 48}, {12, 768}, {15, 768}},
         {}, {{12, 8}}},
        {"nine places when nothing has fewer (all masks 1022)", {}, {}, {{1, 1}}},
    };
    for (const auto& [what, masks, tried, guess] : cases) {
        Bench r("123456789456789123.89123456234567891567891234891234567.45678912678912345912345678");
        r.s.cell_mask.fill(masks.empty() ? 1022 : 0);  // cells 3 and 7 are empty
        for (const auto& [k, m] : masks) r.s.cell_mask[k] = static_cast<std::int16_t>(m);
        for (const auto& [k, m] : tried) r.s.guess_mark[k] = static_cast<std::int16_t>(m);
        auto marks = r.s.guess_mark;
        if (guess) marks[guess->first] = static_cast<std::int16_t>(marks[guess->first] + (1 << guess->second));
        r.s.guess_count = 32766;  // every call counts, up to 32767
        r.s.guess_function();
        if (!guess) r.s.guess_function();  // a search that finds nothing changes nothing else
        EXPECT_TRUE(guess ? r.file().starts_with(test::quoted(guess->first, guess->second)) : r.file().empty()) << what;
        EXPECT_TRUE(r.s.guess_mark == marks && r.w.caption(Label::Label4) == "Yes  32767") << what;
    }
}

TEST(Guessing, AReloadSkipsTheTriedGuessAndTakesItsSecondPlace) {
    MemoryWindow w;
    test::load_puzzle(w, kRectangle);
    w.click(Button::Solve);  // guesses 6 in cell 10
    w.commands().solver().reload_fixed_puzzle();  // from the givens again, without Restart
    w.click(Button::Solve);
    EXPECT_TRUE(w.grid_text().starts_with("483921657") && w.solver().guess_mark[11] == 64);  // 6 in cell 11
}

}  // namespace
}  // namespace varendo
