// Each family on a grid built for it: the exact eliminations, and nothing where the pattern
// is one candidate short.

#include <gtest/gtest.h>

#include "logic/chains.h"
#include "logic/step_text.h"
#include "logic_grid.h"

namespace varendo::test {
namespace {

using namespace logic;
using Strings = std::vector<std::string>;

// Every cell of a row but two, as "r1c1".."r1c9".
Strings row_cells_except(int row, std::initializer_list<int> columns) {
    Strings cells;
    for (int c = 1; c <= 9; ++c)
        if (std::find(columns.begin(), columns.end(), c) == columns.end())
            cells.push_back("r" + std::to_string(row) + "c" + std::to_string(c));
    return cells;
}

// The same down a column, as "r1c4".."r9c4".
Strings column_cells_except(int column, std::initializer_list<int> rows) {
    Strings cells;
    for (const std::string& c : row_cells_except(column, rows)) cells.push_back("r" + c.substr(3) + "c" + c.substr(1, 1));
    return cells;
}

Strings struck_from(const Strings& cells, const char* digits) {
    Strings out;
    for (const std::string& c : cells)
        for (const char* d = digits; *d; ++d) out.push_back(c + "<>" + *d);
    std::sort(out.begin(), out.end());
    return out;
}

CandidateGrid without(CandidateGrid grid, const Strings& cells, const char* digits) {
    for (const std::string& c : cells)
        for (const char* d = digits; *d; ++d) grid.eliminate((c[1] - '1') * 9 + c[3] - '1', *d - '0');
    return grid;
}

TEST(Producers, SinglesNameTheirHouseAndValue) {
    Grid81 givens{1, 2, 3, 4, 5, 6, 7, 8, 0};
    auto steps = all_steps([&](auto sink) { return find_hidden_singles(CandidateGrid::from_givens(givens), sink); });
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps[0].technique, Technique::FullHouse);
    EXPECT_EQ(steps[0].rating, 10);
    EXPECT_EQ(said(steps[0].placements, "="), Strings{"r1c9=9"});
    EXPECT_EQ(all_steps([&](auto sink) { return find_naked_singles(CandidateGrid::from_givens(givens), sink); }).size(), 1u);
    // Away from the full house, a digit boxed into one cell is a hidden single of its box.
    givens = {};
    givens[9 * 3 + 1] = givens[9 * 6 + 2] = givens[1 * 9 + 4] = givens[2 * 9 + 7] = 5;
    steps = all_steps([&](auto sink) { return find_hidden_singles(CandidateGrid::from_givens(givens), sink); });
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps[0].technique, Technique::HiddenSingleBox);
    EXPECT_EQ(said(steps[0].placements, "="), Strings{"r1c1=5"});
    // Boxes are numbered down the bands of columns, as Check numbers them.
    EXPECT_EQ(house_text(kBoxHouse + 1), "box 4 (rows 1-3, columns 4-6)");
    EXPECT_EQ(step_text(steps[0]), "Hidden Single 5 in box 1 (rows 1-3, columns 1-3): 5 goes in row 1, column 1");
}

TEST(Producers, PointingStrikesTheRestOfTheLine) {
    const CandidateGrid grid = without(marks({}), {"r2c1", "r2c2", "r2c3", "r3c1", "r3c2", "r3c3"}, "3");
    const auto steps = all_steps([&](auto sink) { return find_locking(grid, false, sink); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].technique, Technique::Pointing);
    EXPECT_EQ(eliminations(steps[0]), struck_from(row_cells_except(1, {1, 2, 3}), "3"));
    EXPECT_TRUE(all_steps([&](auto sink) { return find_locking(grid, true, sink); }).empty());
}

TEST(Producers, NakedAndHiddenPairs) {
    const CandidateGrid pair = marks({{"r1c2", "47"}, {"r1c5", "47"}});
    auto steps = all_steps([&](auto sink) { return find_naked_sets(pair, 2, sink); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(eliminations(steps[0]), struck_from(row_cells_except(1, {2, 5}), "47"));
    EXPECT_EQ(step_text(steps[0]).substr(0, 42), "Naked Pair 4/7 in row 1 (columns 2 and 5):");
    EXPECT_TRUE(all_steps([&](auto sink) { return find_naked_sets(marks({{"r1c2", "47"}, {"r1c5", "478"}}), 2, sink); }).empty());

    const CandidateGrid hidden = without(marks({}), row_cells_except(1, {2, 5}), "47");
    steps = all_steps([&](auto sink) { return find_hidden_sets(hidden, 2, false, sink); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].technique, Technique::HiddenPair);
    EXPECT_EQ(eliminations(steps[0]), struck_from({"r1c2", "r1c5"}, "1235689"));
}

TEST(Producers, XWingCoversTwoColumns) {
    const CandidateGrid grid = without(without(marks({}), row_cells_except(2, {3, 8}), "5"), row_cells_except(7, {3, 8}), "5");
    const auto steps = all_steps([&](auto sink) { return find_fish(grid, 2, sink); });
    ASSERT_EQ(steps.size(), 1u);
    Strings expected;
    for (int r : {1, 3, 4, 5, 6, 8, 9})
        for (int c : {3, 8}) expected.push_back("r" + std::to_string(r) + "c" + std::to_string(c) + "<>5");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(eliminations(steps[0]), expected);
    EXPECT_TRUE(all_steps([&](auto sink) { return find_fish(grid, 3, sink); }).empty());
}

TEST(Producers, FinnedJellyfishStrikesTheCoverCellsOfItsFinsBox) {
    // 5 in rows 1, 4, 6 and 8 on columns 1, 4, 7 and 9, with a fin in row 8, column 2.
    CandidateGrid grid = without(without(marks({}), row_cells_except(1, {1, 4}), "5"), row_cells_except(4, {4, 7}), "5");
    grid = without(without(grid, row_cells_except(6, {7, 9}), "5"), row_cells_except(8, {1, 2, 9}), "5");
    const auto steps = all_steps([&](auto sink) { return find_finned_fish(grid, 4, sink); });
    const auto it = std::find_if(steps.begin(), steps.end(), [](const Step& s) { return s.fins.size() == 1 && s.fins[0].cell == 64; });
    ASSERT_NE(it, steps.end());
    EXPECT_EQ(eliminations(*it), Strings({"r7c1<>5", "r9c1<>5"}));
    EXPECT_EQ(step_text(*it).substr(0, 45), "Finned Jellyfish 5 in row 1, row 4, row 6 and");
    EXPECT_EQ(it->rating, 56);
    EXPECT_EQ(rate_human({*it}).score, 250);
    // Without the fin it is a plain jellyfish.
    EXPECT_TRUE(all_steps([&](auto sink) { return find_finned_fish(without(grid, {"r8c2"}, "5"), 4, sink); }).empty());
}

TEST(Producers, XYWingAndItsAbsence) {
    const auto steps = all_steps([&](auto sink) {
        return find_xy_wings(marks({{"r1c1", "12"}, {"r1c5", "13"}, {"r5c1", "23"}}), false, sink);
    });
    ASSERT_FALSE(steps.empty());
    for (const Step& s : steps) EXPECT_EQ(eliminations(s), Strings{"r5c5<>3"});
    EXPECT_TRUE(all_steps([&](auto sink) {
                    return find_xy_wings(marks({{"r1c1", "124"}, {"r1c5", "13"}, {"r5c1", "23"}}), false, sink);
                }).empty());
}

TEST(Producers, SkyscraperOnTwoColumns) {
    Strings others;
    for (int r : {2, 3, 4, 5, 6, 8, 9}) others.push_back("r" + std::to_string(r) + "c1");
    for (int r : {1, 3, 4, 5, 6, 8, 9}) others.push_back("r" + std::to_string(r) + "c4");
    const CandidateGrid grid = without(marks({}), others, "6");
    const auto steps = all_steps([&](auto sink) { return find_single_digit_patterns(grid, sink); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].technique, Technique::Skyscraper);
    EXPECT_EQ(eliminations(steps[0]), struck_from({"r1c5", "r1c6", "r2c2", "r2c3"}, "6"));
}

TEST(Producers, UniqueRectangleTypeOne) {
    const CandidateGrid grid = marks({{"r1c1", "12"}, {"r1c4", "12"}, {"r2c1", "12"}, {"r2c4", "125"}});
    const auto steps = all_steps([&](auto sink) { return find_unique_loops(grid, sink); });
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps[0].rating, 45);
    EXPECT_EQ(eliminations(steps[0]), Strings({"r2c4<>1", "r2c4<>2"}));
    EXPECT_TRUE(all_steps([&](auto sink) {
                    return find_unique_loops(marks({{"r1c1", "12"}, {"r1c2", "12"}, {"r2c1", "12"}, {"r2c2", "125"}}), sink);
                }).empty());
}

// The eliminations of every step a producer finds.
template <typename Producer>
std::vector<Strings> strikes(const CandidateGrid& grid, Producer&& producer) {
    std::vector<Strings> all;
    for (const Step& s : all_steps([&](auto sink) { return producer(grid, sink); })) all.push_back(eliminations(s));
    return all;
}

// Corners short of a digit of the pair still make a rectangle: type 1 with r2c4 short of 2,
// type 4 with 1 in row 2 only on the corners holding more, and a hidden rectangle whose
// corner r1c4 lacks 2, once 1 is locked in its column too. With a digit of the pair placed
// in row 2 the four could never swap.
TEST(Producers, RectanglesWithCornersShortOfTheirPair) {
    const auto rectangle = [](const char* r1c4, const char* r2c1, const char* r2c4) {
        return marks({{"r1c1", "12"}, {"r1c4", r1c4}, {"r2c1", r2c1}, {"r2c4", r2c4}});
    };
    EXPECT_EQ(strikes(rectangle("12", "12", "156"), find_unique_rectangles), std::vector<Strings>({{"r2c4<>1"}}));
    const Strings row = row_cells_except(2, {1, 4});
    EXPECT_EQ(strikes(without(rectangle("12", "125", "16"), row, "1"), find_unique_rectangles),
              std::vector<Strings>({{"r2c1<>2"}}));
    CandidateGrid placed = rectangle("12", "15", "16");
    placed.place(17, 2);
    EXPECT_TRUE(strikes(placed, find_unique_rectangles).empty());

    const Strings column = column_cells_except(4, {1, 2});
    const CandidateGrid hidden = without(rectangle("13", "125", "126"), row, "1");
    EXPECT_TRUE(strikes(hidden, find_hidden_rectangles).empty());
    EXPECT_EQ(strikes(without(hidden, column, "1"), find_hidden_rectangles), std::vector<Strings>({{"r2c4<>2"}}));
    placed = rectangle("13", "25", "26");
    placed.place(17, 1);
    EXPECT_TRUE(strikes(without(placed, column, "1"), find_hidden_rectangles).empty());
}

// What each step of aligned exclusion strikes, after its base cells: "r1c1 r2c5: r1c1<>2".
Strings exclusions(const CandidateGrid& grid, int degree) {
    Strings out;
    for (const Step& s : all_steps([&](auto sink) { return find_aligned_exclusion(grid, degree, sink); })) {
        std::string line;
        for (int k = 0; k < degree; ++k) line += said({{s.cells[k], 1}}, "=")[0].substr(0, 4) + " ";
        for (const std::string& e : eliminations(s)) line += e + " ";
        out.push_back(line);
    }
    return out;
}

TEST(Producers, AlignedPairAndTripleExclusion) {
    // r1c1 = 2 leaves r2c5 only 1, which r2c2 {1,2} forbids, or 3, which r1c5 {2,3} forbids.
    const CandidateGrid pair = marks({{"r1c1", "12"}, {"r2c5", "13"}, {"r1c5", "23"}, {"r2c2", "12"}});
    const Strings found = exclusions(pair, 2);
    EXPECT_EQ(found.size(), 14u);
    for (const char* step : {"r1c1 r2c5 r1c1<>2 ", "r1c5 r2c2 r2c2<>1 ", "r2c1 r2c2 r2c1<>1 r2c1<>2 "})
        EXPECT_NE(std::find(found.begin(), found.end(), step), found.end()) << step;
    // Two bivalue cells far apart: no pair of cells sees two of them.
    EXPECT_TRUE(exclusions(marks({{"r1c1", "12"}, {"r5c5", "13"}}), 2).empty());
    // With r2c2 {1,2,4} only a triple sees it as an excluder; r1c4 = 1 leaves r1c5 nothing.
    const Strings triples = exclusions(marks({{"r1c1", "12"}, {"r2c5", "13"}, {"r1c5", "23"}, {"r2c2", "124"}}), 3);
    EXPECT_EQ(triples.size(), 9u);
    EXPECT_EQ(triples.front(), "r1c4 r1c6 r1c5 r1c4<>1 r1c6<>1 ");
    EXPECT_NE(std::find(triples.begin(), triples.end(), "r1c5 r2c1 r2c2 r2c1<>1 r2c2<>1 "), triples.end());
}

// Type 6: 1 lies in rows 1 and 2 and columns 1 and 4 only on the corners, so the corners
// holding more lose it; without the lock, nothing.
TEST(Producers, UniqueRectangleTypeSix) {
    const CandidateGrid corners = marks({{"r1c1", "12"}, {"r2c4", "12"}, {"r1c4", "123"}, {"r2c1", "124"}});
    Strings lines;
    for (int c : {2, 3, 5, 6, 7, 8, 9})
        for (const std::string row : {"r1c", "r2c"}) lines.push_back(row + std::to_string(c));
    for (int r = 3; r <= 9; ++r)
        for (const char* c : {"c1", "c4"}) lines.push_back("r" + std::to_string(r) + c);
    EXPECT_EQ(strikes(without(corners, lines, "1"), find_unique_rectangles), std::vector<Strings>({{"r1c4<>1", "r2c1<>1"}}));
    EXPECT_TRUE(strikes(corners, find_unique_rectangles).empty());
}

TEST(Producers, DoublyLinkedAlsXZInFullThenAsHoDoKuStatesIt) {
    // From HoDoKu's library: 5/6/8 in row 5, columns 1 and 2 and 1/3/5/6/7/8/9 in column 3,
    // linked by 5 and 6. Both sets are locked, so 8 leaves what sees the first set's 8s (row
    // 4, column 3 and row 5, column 6); HoDoKu strikes 8 only where it sees every 8 of both.
    const CandidateGrid grid = grid_of("....8.......4..+8.....12564.72......6..431....9......8.25.....3869...712........+6.",
                                       "767 769 495 496 497 499");
    const Strings hodoku{"r1c3<>1", "r1c3<>3", "r1c3<>7", "r1c3<>9", "r2c3<>1", "r2c3<>3",
                         "r2c3<>7", "r2c3<>9", "r3c9<>9", "r6c2<>6"};
    Strings full = hodoku;
    full.insert(full.end(), {"r4c3<>8", "r5c6<>8"});
    std::sort(full.begin(), full.end());
    const auto steps = all_steps([&](auto sink) { return find_als_xz(grid, sink); });
    const auto at = [&](const Strings& want) {
        return std::find_if(steps.begin(), steps.end(), [&](const Step& s) { return eliminations(s) == want; });
    };
    ASSERT_NE(at(hodoku), steps.end());
    EXPECT_LT(at(full), at(hodoku));
    EXPECT_EQ(at(hodoku)->sets.size(), 2u);
}

TEST(Producers, RemotePairsOfFourCellsStrikeWhatSeesBothEnds) {
    const auto steps = all_steps([&](auto sink) {
        return find_remote_pairs(marks({{"r1c1", "12"}, {"r1c5", "12"}, {"r5c5", "12"}, {"r5c9", "12"}}), sink);
    });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].cells.size(), 4u);
    EXPECT_EQ(eliminations(steps[0]), Strings({"r1c9<>1", "r1c9<>2", "r5c1<>1", "r5c1<>2"}));
    EXPECT_TRUE(all_steps([&](auto sink) {
                    return find_remote_pairs(marks({{"r1c1", "12"}, {"r1c5", "12"}, {"r5c5", "12"}}), sink);
                }).empty());
}

// Four bivalue cells tied by 2, 3 and 4: were 1 false in row 1, column 1, it would be true in
// row 5, column 9, so it leaves what sees both; with 5 in place of 1 at the end, nothing.
TEST(Producers, AlsXYChainStrikesWhatSeesBothEnds) {
    const auto chains = [](const char* last) {
        return all_steps([&](auto sink) {
            return find_als_xy_chains(marks({{"r1c1", "12"}, {"r1c5", "23"}, {"r5c5", "34"}, {"r5c9", last}}), sink);
        });
    };
    const auto steps = chains("14");
    ASSERT_EQ(steps.size(), 1u);  // one chain for each set of eliminations, the smallest
    EXPECT_EQ(eliminations(steps[0]), Strings({"r1c9<>1", "r5c1<>1"}));
    EXPECT_EQ(step_text(steps[0]), "ALS-XY-Chain 2/3/4 with the sets (1/2 in row 1, column 1) -2- (2/3 in row 1, column 5) -3- "
                                   "(3/4 in row 5, column 5) -4- (1/4 in row 5, column 9): 1 leaves row 1, column 9; row 5, column 1");
    EXPECT_TRUE(chains("45").empty());
}

// Whichever of 1, 2 and 4 the stem holds, its petal keeps 3; so 3 leaves row 1, column 1,
// which sees every 3 of the petals. A petal for 4 without 3 strikes nothing.
TEST(Producers, DeathBlossomStrikesWhatSeesEveryPetal) {
    const auto blossoms = [](const char* petal) {
        return all_steps([&](auto sink) {
            return find_death_blossoms(marks({{"r5c5", "124"}, {"r1c5", "13"}, {"r5c1", "23"}, {"r2c2", petal}, {"r2c5", "45"}}), sink);
        });
    };
    const auto steps = blossoms("35");
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(eliminations(steps[0]), Strings{"r1c1<>3"});
    EXPECT_EQ(step_text(steps[0]), "Death Blossom 1/2/4 (row 5, column 5) with the petals (1/3 in row 1, column 5) for 1, "
                                   "(2/3 in row 5, column 1) for 2 and (3/4/5 in row 2, columns 2 and 5) for 4: 3 leaves row 1, column 1");
    EXPECT_TRUE(blossoms("56").empty());
}

// 5 in row 1 only in columns 4 and 5, and in box 5 only in those columns too: the two columns
// hold both, and lose 5 elsewhere. A third place in box 5 spoils it; a fin at r1c6 leaves
// only the cells of box 2 that see it.
TEST(Producers, FrankenXWingOnARowAndABox) {
    const CandidateGrid grid = without(without(marks({}), row_cells_except(1, {4, 5}), "5"), {"r4c6", "r6c6"}, "5");
    const auto franken = [](const CandidateGrid& g, bool finned) {
        return all_steps([&](auto sink) { return find_franken_fish(g, 2, finned, sink); });
    };
    auto steps = franken(without(grid, {"r5c6"}, "5"), false);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].rating, 52);
    EXPECT_EQ(eliminations(steps[0]), struck_from(Strings{"r2c4", "r2c5", "r3c4", "r3c5", "r7c4", "r7c5", "r8c4", "r8c5", "r9c4", "r9c5"}, "5"));
    EXPECT_EQ(step_text(steps[0]).substr(0, 136), "Franken X-Wing 5 in row 1 and box 5 (rows 4-6, columns 4-6), covered by column 4 and column 5: "
                                                  "5 leaves row 2, column 4; row 2, column 5");
    EXPECT_TRUE(franken(grid, false).empty());
    const CandidateGrid finned = without(without(marks({}), row_cells_except(1, {4, 5, 6}), "5"), {"r4c6", "r5c6", "r6c6"}, "5");
    steps = franken(finned, true);
    const auto fin = std::find_if(steps.begin(), steps.end(), [](const Step& s) { return said(s.fins, "=") == Strings{"r1c6=5"}; });
    ASSERT_NE(fin, steps.end());
    EXPECT_EQ(fin->technique, Technique::FinnedFrankenXWing);
    EXPECT_EQ(eliminations(*fin), struck_from(Strings{"r2c4", "r2c5", "r3c4", "r3c5"}, "5"));
    EXPECT_NE(step_text(*fin).find(", with the fin in row 1, column 6: "), std::string::npos);
}

// The eliminations of the step whose text begins so, or none.
Strings struck_by(const std::vector<Step>& steps, const std::string& begins) {
    for (const Step& s : steps)
        if (step_text(s).starts_with(begins)) return eliminations(s);
    return {};
}

// Row 1 holds 5 in box 1 or at r1c9, row 2 only in box 1: both cannot be in box 1, so r1c9 is
// the fin that must hold; r1c1, in box 1 and column 1 both, sees it.
TEST(Producers, FinnedFrankenFishStrikesAPlaceTwoCoversShare) {
    const CandidateGrid grid = without(without(marks({}), row_cells_except(1, {1, 2, 9}), "5"), row_cells_except(2, {1, 3}), "5");
    const auto steps = all_steps([&](auto sink) { return find_franken_fish(grid, 2, true, sink); });
    EXPECT_EQ(struck_by(steps, "Finned Franken X-Wing 5 in row 1 and row 2, covered by column 1 and box 1 (rows 1-3, "
                               "columns 1-3), with the fin in row 1, column 9:"),
              Strings{"r1c1<>5"});
}

// 5 in row 1 only in box 1, and in column 1 only in boxes 1 and 7: the two boxes hold both
// and lose 5 elsewhere. With 5 left at r5c1 as well, column 1 escapes them.
TEST(Producers, MutantXWingOnARowAndAColumn) {
    const CandidateGrid grid = without(without(marks({}), row_cells_except(1, {2, 3}), "5"), {"r4c1", "r6c1"}, "5");
    const auto found = [](const CandidateGrid& g) {
        return struck_by(all_steps([&](auto sink) { return find_mutant_fish(g, 2, false, sink); }),
                         "Mutant Fish 5 in row 1 and column 1, covered by box 1 (rows 1-3, columns 1-3) and box 3 "
                         "(rows 7-9, columns 1-3): ");
    };
    EXPECT_EQ(found(without(grid, {"r5c1"}, "5")), struck_from(Strings{"r2c2", "r2c3", "r3c2", "r3c3", "r7c2", "r7c3", "r8c2", "r8c3", "r9c2", "r9c3"}, "5"));
    EXPECT_TRUE(found(grid).empty());
}

TEST(Producers, ChainBonusGrowsByTheRatersSteps) {
    // Nodes beyond 2 + 4, 6, 8, 12, 16, 24 each add a tenth.
    const int expected[][2] = {{6, 0}, {7, 1}, {8, 1}, {9, 2}, {10, 2}, {11, 3}, {14, 3}, {15, 4}, {18, 4}, {19, 5}, {26, 5}, {27, 6}};
    for (const auto& [nodes, bonus] : expected) EXPECT_EQ(chain_length_bonus(nodes), bonus) << nodes;
}

}  // namespace
}  // namespace varendo::test
