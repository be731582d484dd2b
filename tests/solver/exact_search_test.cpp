// The complete search on the shared sets: one solution where there is one, none where there is
// none, and exact counts where there are several.

#include "solver/exact_search.h"

#include <gtest/gtest.h>

#include "test_grid.h"

namespace varendo {
namespace {

Grid81 to_grid(std::string_view text) {  // row by row, as the search allows
    Grid81 grid{};
    for (int pos = 0; pos < 81; ++pos) grid[pos] = static_cast<std::uint8_t>(test::digit_at(text, pos));
    return grid;
}
std::string to_text(const Grid81& grid) {
    std::string text(81, '.');
    for (int pos = 0; pos < 81; ++pos) text[pos] = static_cast<char>('0' + grid[pos]);
    return text;
}

TEST(ExactSearch, UniquePuzzlesGiveTheirOneSolution) {
    const struct {
        const char* set;
        std::size_t step;
        bool has_solutions;
    } sets[] = {{"tdoku_test_unique", 1, true}, {"magictour_top1465", 50, true}, {"sudoku17", 50, false}};
    for (const auto& [set, step, has_solutions] : sets) {
        const auto puzzles = test::read_set(std::string(set) + ".txt");
        const auto solutions = has_solutions ? test::read_set(std::string(set) + "_solutions.txt") : puzzles;
        ASSERT_TRUE(!puzzles.empty() && puzzles.size() == solutions.size()) << set;
        for (std::size_t i = 0; i < puzzles.size(); i += step) {
            const SearchResult r = find_solutions(to_grid(puzzles[i]), 2);
            ASSERT_EQ(r.count, 1) << set << " line " << i + 1;
            ASSERT_TRUE(test::solves(puzzles[i], to_text(r.solution))) << set << " line " << i + 1;
            ASSERT_TRUE(!has_solutions || to_text(r.solution) == solutions[i]) << set << " line " << i + 1;
        }
    }
}

TEST(ExactSearch, NoSolutionPuzzlesAndRepeatedGivensGiveZero) {
    auto puzzles = test::read_set("tdoku_test_nosolution.txt");
    ASSERT_FALSE(puzzles.empty());
    std::string repeats(81, '.');
    repeats[0] = '5';
    for (const int pos : {8, 72, 20}) {  // the same row, column, box
        puzzles.push_back(repeats);
        puzzles.back()[pos] = '5';
    }
    for (const auto& p : puzzles) EXPECT_EQ(find_solutions(to_grid(p), 2).count, 0) << p;
}

TEST(ExactSearch, CountsStopAtTheLimitAndAgreeWithTheCountsFile) {
    const auto puzzles = test::read_set("tdoku_test_multisolution.txt");
    std::ifstream counts(std::string(VARENDO_PUZZLE_DIR) + "/tdoku_test_multisolution_counts.txt");
    ASSERT_FALSE(puzzles.empty());
    for (const auto& p : puzzles) {
        int count = 0;
        ASSERT_TRUE(counts >> count) << "no count for " << p;
        const SearchResult all = find_solutions(to_grid(p), 100000);
        EXPECT_EQ(all.count, count) << p;
        EXPECT_TRUE(test::solves(p, to_text(all.solution)));
        EXPECT_EQ(find_solutions(to_grid(p), 2).count, 2) << p;
        // Digit 9 and the minor lines take their own paths in the search: the same puzzle
        // transposed, with 1 and 9 swapped, has as many solutions.
        Grid81 mirrored{};
        for (int pos = 0; pos < 81; ++pos) {
            const int d = test::digit_at(p, pos);
            mirrored[pos % 9 * 9 + pos / 9] = static_cast<std::uint8_t>(d == 1 ? 9 : d == 9 ? 1 : d);
        }
        EXPECT_EQ(find_solutions(mirrored, 100000).count, count) << p;
    }
    for (const int limit : {1, 7}) {  // the empty grid: as many as asked for
        const SearchResult r = find_solutions(Grid81{}, limit);
        EXPECT_EQ(r.count, limit);
        EXPECT_TRUE(test::solves(std::string(81, '.'), to_text(r.solution)));
    }
}

}  // namespace
}  // namespace varendo
