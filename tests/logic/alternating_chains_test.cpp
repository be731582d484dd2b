// Alternating chains and loops on grids built for them: the exact eliminations and the words.

#include <gtest/gtest.h>

#include "logic/inference_graph.h"
#include "logic/ladder.h"
#include "logic/step_text.h"
#include "logic_grid.h"

namespace varendo::test {
namespace {

using namespace logic;
using Strings = std::vector<std::string>;

// A grid with every candidate but `digit`, which is left only in the listed cells of each
// listed house ("r1" row, "c1" column, "b3" box, numbered as Check numbers them).
CandidateGrid keep_only(int digit, std::initializer_list<std::pair<const char*, Strings>> houses) {
    CandidateGrid grid = marks({});
    for (const auto& [house, keep] : houses) {
        const int i = house[1] - '1';
        for (int c = 0; c < 81; ++c) {
            const bool inside = house[0] == 'r' ? row_of(c) == i : house[0] == 'c' ? column_of(c) == i
                                                                                     : box_index_of(c) == (i % 3) * 3 + i / 3;
            const std::string name = "r" + std::to_string(row_of(c) + 1) + "c" + std::to_string(column_of(c) + 1);
            if (inside && std::find(keep.begin(), keep.end(), name) == keep.end()) grid.eliminate(c, digit);
        }
    }
    return grid;
}

// The steps of one technique.
template <typename Producer>
std::vector<Step> steps_of(Technique technique, Producer&& producer) {
    std::vector<Step> steps = all_steps(producer);
    std::erase_if(steps, [&](const Step& s) { return s.technique != technique; });
    return steps;
}

TEST(AlternatingChains, XChainOfThreeStrongLinks) {
    const CandidateGrid grid = keep_only(4, {{"r1", {"r1c1", "r1c5"}}, {"r4", {"r4c5", "r4c8"}}, {"r7", {"r7c8", "r7c2"}}});
    const auto steps = all_steps([&](auto sink) { return find_x_chains(grid, sink); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(step_text(steps[0]),
              "X-Chain on 4 (6 nodes): row 1, column 1 = row 1, column 5 - row 4, column 5 = row 4, column 8 - "
              "row 7, column 8 = row 7, column 2: 4 leaves row 2, column 2; row 3, column 2; row 8, column 1; row 9, column 1");
    EXPECT_EQ(steps[0].rating, 66);
    // One strong link short, nothing.
    EXPECT_TRUE(all_steps([&](auto sink) {
                    return find_x_chains(keep_only(4, {{"r1", {"r1c1", "r1c5"}}, {"r4", {"r4c5", "r4c8"}}}), sink);
                }).empty());
}

TEST(AlternatingChains, XYChainAndItsContinuousLoop) {
    const CandidateGrid chain = marks({{"r1c1", "12"}, {"r1c5", "23"}, {"r5c5", "34"}, {"r5c9", "41"}});
    const auto steps = all_steps([&](auto sink) { return find_xy_chains(chain, sink); });
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(eliminations(steps[0]), Strings({"r1c9<>1", "r5c1<>1"}));
    EXPECT_EQ(steps[0].nodes.size(), 8u);
    // The human ladder takes it on its own rung, before the loops that hold the same chain.
    EXPECT_EQ(next_step(chain, Ladder::Human, false)->technique, Technique::XYChain);
    // Closed into a loop of four cells, every weak link becomes strong: the loop's digits
    // leave the rest of each house it crosses.
    const CandidateGrid loop = marks({{"r1c1", "12"}, {"r1c5", "23"}, {"r5c5", "34"}, {"r5c1", "41"}});
    const auto all = all_steps([&](auto sink) { return find_nice_loops(loop, false, sink); });
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](auto& a, auto& b) { return a.links.size() < b.links.size(); }));
    const auto loops = steps_of(Technique::ContinuousNiceLoop, [&](auto sink) { return find_nice_loops(loop, false, sink); });
    ASSERT_FALSE(loops.empty());
    EXPECT_EQ(loops[0].eliminations.size(), 28u);
    EXPECT_EQ(loops[0].links.size(), loops[0].nodes.size());
}

TEST(AlternatingChains, LoopsAsHoDoKuStatesThemComeAfterTheShortestInFull) {
    // From HoDoKu's library: its loop of 12 nodes leaves the digits of its own cells alone and
    // avoids row 8, column 3, where the shortest loop through the same nodes passes.
    const CandidateGrid grid = grid_of(
        "..4........2.486..1.+3...8+49..1....5.235..748.64.....72..+67...9.3..6..5......83.+6.",
        "214 215 216 317 319 329 944 945 946 964 965 966 782 791 792");
    const auto loops = steps_of(Technique::ContinuousNiceLoop, [&](auto sink) { return find_nice_loops(grid, false, sink); });
    const Strings hodoku{"r4c4<>3", "r4c5<>3", "r7c9<>1", "r7c9<>4", "r8c3<>9", "r8c9<>1", "r8c9<>4"};
    const auto it = std::find_if(loops.begin(), loops.end(), [&](const Step& s) { return eliminations(s) == hodoku; });
    ASSERT_NE(it, loops.end());
    EXPECT_EQ(it->nodes.size(), 12u);
    // The shortest loops, in full, come first.
    EXPECT_EQ(eliminations(loops[0]), Strings({"r4c4<>2", "r4c4<>3", "r7c6<>4", "r8c3<>9", "r8c9<>1", "r8c9<>8"}));
}

TEST(AlternatingChains, DiscontinuousLoopStrikesItsStart) {
    // 2 in r1c1 makes r1c5 3, r5c5 4 and r5c1 2, which sees it: 2 leaves r1c1.
    const CandidateGrid grid = marks({{"r1c1", "12"}, {"r1c5", "23"}, {"r5c5", "34"}, {"r5c1", "42"}});
    const auto steps = steps_of(Technique::DiscontinuousNiceLoop, [&](auto sink) { return find_nice_loops(grid, false, sink); });
    const bool strikes_two =
        std::any_of(steps.begin(), steps.end(), [](const Step& s) { return eliminations(s) == Strings{"r1c1<>2"}; });
    EXPECT_TRUE(strikes_two);
}

TEST(AlternatingChains, GroupNodesJoinALineAndABox) {
    const CandidateGrid grid =
        keep_only(5, {{"r1", {"r1c1", "r1c7", "r1c8"}}, {"c1", {"r1c1", "r7c1"}}, {"b7", {"r1c7", "r1c8", "r3c9"}}});
    const auto grouped = steps_of(Technique::GroupedAic, [&](auto sink) { return find_nice_loops(grid, true, sink); });
    const auto it = std::find_if(grouped.begin(), grouped.end(), [](const Step& s) { return eliminations(s) == Strings{"r7c9<>5"}; });
    ASSERT_NE(it, grouped.end());
    EXPECT_EQ(step_text(*it), "Grouped AIC on 5 (4 nodes): row 3, column 9 = row 1, columns 7 and 8 - row 1, column 1 = "
                              "row 7, column 1: 5 leaves row 7, column 9");
    // Without group nodes there is no such chain.
    for (const Step& s : all_steps([&](auto sink) { return find_nice_loops(grid, false, sink); }))
        EXPECT_NE(eliminations(s), Strings{"r7c9<>5"}) << step_text(s);
}

// 4 off in row 1, column 5 puts 3 there, which leaves the set of row 1, columns 1 and 2 and
// row 2, column 3 (1/2/3/4); the set is then locked on 1, 2 and 4, with 4 in its one place:
// 4 leaves what sees both ends. Only through the set: plain grouped chains do not see it.
TEST(AlternatingChains, GroupedChainThroughAnAlmostLockedSet) {
    const auto found = [](const char* set_cell, bool through_sets) {
        const CandidateGrid grid = marks({{"r1c1", "123"}, {"r1c2", set_cell}, {"r2c3", "14"}, {"r1c5", "34"}});
        std::vector<std::pair<Strings, std::string>> all;
        for (const Step& s : all_steps([&](auto sink) { return find_nice_loops(grid, true, sink, through_sets); }))
            all.push_back({eliminations(s), step_text(s)});
        return all;
    };
    const auto through = found("123", true);
    const std::pair<Strings, std::string> chain{
        {"r1c3<>4", "r2c4<>4", "r2c5<>4", "r2c6<>4"},
        "Grouped AIC (4 nodes): 4 in row 1, column 5 = 3 in row 1, column 5 - 3 in the set (1/2/3/4 in row 1, column 1; "
        "row 1, column 2 and row 2, column 3) = 4 in row 2, column 3: 4 leaves row 1, column 3; row 2, column 4; row 2, "
        "column 5; row 2, column 6"};
    EXPECT_NE(std::find(through.begin(), through.end(), chain), through.end());
    EXPECT_TRUE(found("123", false).empty());
    EXPECT_TRUE(found("1236", true).empty());
}


// 4 out of the set of row 1, columns 1 and 2 and row 2, column 3 (1/2/3/4) locks 2 and 3 in
// it, which leaves row 1, column 5 only 4: 4 is in one of the two cells. A box with 7 in row 8
// and column 3 only, not where they cross, has it in one of those two groups. Only chains
// through sets take either link.
TEST(AlternatingChains, ASetForcesACellAndABoxLinksItsRowGroupToItsColumnGroup) {
    const auto texts = [](const CandidateGrid& grid, bool through_sets, const Strings& gone) {
        Strings found;
        for (const Step& s : all_steps([&](auto sink) { return find_nice_loops(grid, true, sink, through_sets); }))
            if (eliminations(s) == gone) found.push_back(step_text(s));
        return found;
    };
    const CandidateGrid forced = marks({{"r1c1", "12"}, {"r1c2", "13"}, {"r1c5", "234"}, {"r2c3", "14"}});
    EXPECT_EQ(texts(forced, true, {"r2c5<>4"}),
              Strings{"Grouped Discontinuous Nice Loop on 4 (4 nodes): row 2, column 5 - row 1, column 5 = through the set "
                      "(1/2/3/4 in row 1, column 1; row 1, column 2 and row 2, column 3) = row 2, column 3 - row 2, column 5: "
                      "4 leaves row 2, column 5"});
    EXPECT_TRUE(texts(forced, false, {"r2c5<>4"}).empty());
    // In a loop through that link the set lacks 4 or the cell's 2 or 3: 1 is locked in the set,
    // and 2 is in the set or in the cell, so it goes only from what sees both.
    const InferenceGraph graph(forced, LinkSet::GroupedWithSets);
    const CandidateSet locked = graph.locked_between(graph.single(1 * 9 + 2, 4), graph.single(4, 4));
    EXPECT_TRUE(locked[candidate_index(2 * 9 + 2, 1)]);
    EXPECT_TRUE(locked[candidate_index(8, 2)]);
    EXPECT_FALSE(locked[candidate_index(1 * 9 + 0, 2)]);
    EXPECT_FALSE(locked[candidate_index(2 * 9 + 2, 4)]);
    // 2 out of the set leaves the cell 2 or 4: no link.
    const auto& from_two = graph.strong(graph.single(0, 2));
    EXPECT_EQ(std::find(from_two.begin(), from_two.end(), graph.single(4, 4)), from_two.end());
    const CandidateGrid crossing =
        keep_only(7, {{"b3", {"r8c1", "r8c2", "r7c3", "r9c3"}}, {"r8", {"r8c1", "r8c2", "r8c9"}}, {"c9", {"r5c9", "r8c9"}}});
    const Strings through = texts(crossing, true, {"r5c3<>7"});
    ASSERT_FALSE(through.empty());
    EXPECT_EQ(through.front(),
              "Grouped AIC on 7 (4 nodes): row 5, column 9 = row 8, column 9 - row 8, columns 1 and 2 = rows 7 and 9, "
              "column 3: 7 leaves row 5, column 3");
    EXPECT_TRUE(texts(crossing, false, {"r5c3<>7"}).empty());
}

}  // namespace
}  // namespace varendo::test
