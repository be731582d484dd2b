// The complete search on the shared sets: the one solution where there is one, none where
// there is none, and the exact count where there are several.

#include "solver/exact_search.h"

#include <gtest/gtest.h>

#include "test_grid.h"

namespace varendo {
namespace {

TEST(ExactSearch, FindsTheOneSolutionNoneOrCountsUpToTheLimit) {
    const auto unique = test::read_set("tdoku_test_unique"), solutions = test::read_set("tdoku_test_unique_solutions");
    ASSERT_TRUE(!unique.empty() && unique.size() == solutions.size());
    for (std::size_t i = 0; i < unique.size(); ++i) {
        const SearchResult r = find_solutions(test::cells_of(unique[i]), 2);  // row by row, as the search allows
        EXPECT_TRUE(r.count == 1 && puzzle_text(r.solution) == solutions[i]) << unique[i];
    }
    auto impossible = test::read_set("tdoku_test_nosolution");
    for (const auto& p : impossible) EXPECT_EQ(find_solutions(test::cells_of(p), 2).count, 0) << p;

    const auto several = test::read_set("tdoku_test_multisolution");
    std::ifstream counts(std::string(VARENDO_PUZZLE_DIR) + "/tdoku_test_multisolution_counts.txt");
    ASSERT_TRUE(!several.empty() && impossible.size() > 3);
    for (const auto& p : several) {
        int count = 0;
        ASSERT_TRUE(counts >> count) << "no count for " << p;
        const SearchResult all = find_solutions(test::cells_of(p), 100000);
        EXPECT_EQ(all.count, count) << p;
        EXPECT_TRUE(test::solves(p, puzzle_text(all.solution)));
        EXPECT_EQ(find_solutions(test::cells_of(p), 2).count, 2) << p;
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
        EXPECT_TRUE(test::solves(std::string(81, '.'), puzzle_text(r.solution)));
    }
}

}  // namespace
}  // namespace varendo
