// The ladders over whole puzzle sets: Sudoku Explainer's ratings reproduced, every step
// sound, and the puzzles finished by logic alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "logic/chains.h"
#include "logic/ladder.h"
#include "logic/producers.h"
#include "logic/step_text.h"
#include "test_grid.h"

namespace varendo::test {
namespace {

using logic::Ladder;
using logic::LogicalPath;

std::string ratings(const LogicalPath& p) {
    return logic::rating_text(p.er) + "/" + logic::rating_text(p.ep) + "/" + logic::rating_text(p.ed);
}

TEST(Ladder, ExplainerRatingsMatchTheOracle) {
    int puzzles = 0, er_equal = 0, all_equal = 0;
    const std::size_t stride = sanitized_stride(10);
    for (const char* name : {"se_qqwing_easy_first200.txt", "se_qqwing_expert_first200.txt"}) {
        std::ifstream in(std::string(VARENDO_LOGIC_DATA) + "/" + name);
        std::size_t line_number = 0;
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#' || line_number++ % stride != 0) continue;
            const std::string expected = line.substr(82);
            const LogicalPath path = logic::solve_logically(cells_of(line.substr(0, 81)), Ladder::Explainer);
            ++puzzles;
            const std::string got = ratings(path);
            er_equal += got.substr(0, got.find('/')) == expected.substr(0, expected.find('/'));
            all_equal += got == expected;
            EXPECT_EQ(got, expected) << line.substr(0, 81);
        }
    }
    ASSERT_GE(puzzles, 40);
    // Every ER, EP and ED agrees on all 400 puzzles; a change that costs one shows here.
    EXPECT_EQ(er_equal, puzzles);
    EXPECT_EQ(all_equal, puzzles);
}

// Every placement and elimination of both ladders agrees with the known solution.
void expect_sound(const std::string& set, std::size_t stride, int max_unfinished) {
    const auto puzzles = read_set(set), solutions = read_set(set + "_solutions");
    ASSERT_EQ(puzzles.size(), solutions.size());
    int unfinished = 0;
    for (std::size_t i = 0; i < puzzles.size(); i += stride * sanitized_stride(8)) {
        for (Ladder ladder : {Ladder::Explainer, Ladder::Human}) {
            const LogicalPath path = logic::solve_logically(cells_of(puzzles[i]), ladder);
            for (const logic::Step& step : path.steps) {
                for (const logic::Candidate& c : step.placements)
                    ASSERT_EQ(solutions[i][c.cell], '0' + c.digit) << puzzles[i] << ": " << logic::step_text(step);
                for (const logic::Candidate& c : step.eliminations)
                    ASSERT_NE(solutions[i][c.cell], '0' + c.digit) << puzzles[i] << ": " << logic::step_text(step);
            }
            unfinished += path.outcome != LogicalPath::Outcome::Solved;
        }
    }
    EXPECT_LE(unfinished, max_unfinished) << set;
}

TEST(Ladder, StepsAgreeWithTheSolutionAndFinish) {
    expect_sound("euler96_easy50", 1, 0);
    expect_sound("qqwing_simple", 40, 0);
    expect_sound("qqwing_intermediate", 40, 0);
    expect_sound("qqwing_expert", 10, 0);
    expect_sound("norvig_top95", 2, 0);
    expect_sound("magictour_top1465", 30, 0);
    expect_sound("sudokuexchange_diabolical100", 10, 0);
    // Half of these need forcing chains nested in dynamic ones (ER 10.0 and up).
    expect_sound("tdoku_test_unique", 3, 0);
}

TEST(Ladder, NestedForcingChainsFinishWhatDynamicOnesCannot) {
    const LogicalPath path = logic::solve_logically(cells_of(read_set("tdoku_test_unique")[9]), Ladder::Explainer);
    ASSERT_EQ(path.outcome, LogicalPath::Outcome::Solved);
    const auto nested = std::find_if(path.steps.begin(), path.steps.end(), [](const logic::Step& s) { return s.level >= 2; });
    ASSERT_NE(nested, path.steps.end());
    // Dynamic region forcing chains with forcing chains inside: 9.5 and a tenth per step of length.
    EXPECT_EQ(nested->rating, 103);
    EXPECT_EQ(nested->rating, 95 + logic::chain_length_bonus(nested->complexity));
    EXPECT_NE(logic::step_text(*nested).find("(+ Forcing Chains)"), std::string::npos);
    EXPECT_EQ(path.er, 103);
}

// Along the human ladder's paths, every step the patterns beyond the classic ladder find in
// each grid on the way is sound, and each of them is found somewhere (where every path is
// walked: the sanitized build samples the soundness alone).
TEST(Ladder, HumanPatternsOnTheWayAreSoundAndFound) {
    using Finder = bool (*)(const logic::CandidateGrid&, const logic::StepSink&);
    const Finder finders[] = {logic::find_multi_colors,        logic::find_remote_pairs,  logic::find_unique_rectangles,
                              logic::find_hidden_rectangles,   logic::find_avoidable_rectangles, logic::find_sue_de_coq,
                              logic::find_als_xz,              logic::find_als_xy_wings,        logic::find_death_blossoms,
                              [](const logic::CandidateGrid& g, const logic::StepSink& s) { return logic::find_dual_patterns(g, false, s); },
                              [](const logic::CandidateGrid& g, const logic::StepSink& s) { return logic::find_dual_patterns(g, true, s); },
                              [](const logic::CandidateGrid& g, const logic::StepSink& s) { return logic::find_locked_sets(g, 3, s); },
                              logic::find_als_xy_chains,
                              [](const logic::CandidateGrid& g, const logic::StepSink& s) { return logic::find_nice_loops(g, true, s, true); }};
    constexpr std::size_t long_searches = 2;  // the last ones: chains of sets and chains through sets
    std::vector<int> found(std::size(finders));
    for (const auto& [set, stride] : {std::pair{"qqwing_expert", 50}, std::pair{"magictour_top1465", 150}}) {
        const auto puzzles = read_set(set), solutions = read_set(std::string(set) + "_solutions");
        for (std::size_t i = 0; i < puzzles.size(); i += stride * sanitized_stride(16)) {
            const LogicalPath path = logic::solve_logically(cells_of(puzzles[i]), Ladder::Human);
            logic::CandidateGrid grid = logic::CandidateGrid::from_givens(cells_of(puzzles[i]));
            for (std::size_t k = 0; k < path.steps.size(); ++k) {
                // Chains of and through almost locked sets search long: every fourth grid is enough.
                const std::size_t finder_count = std::size(finders) - (k % (4 * sanitized_stride(4)) == 0 ? 0 : long_searches);
                for (std::size_t f = 0; f < finder_count; ++f) {
                    int here = 0;  // the first few in each grid
                    finders[f](grid, [&](logic::Step&& step) {
                        ++found[f];
                        for (const logic::Candidate& c : step.eliminations)
                            EXPECT_NE(solutions[i][c.cell], '0' + c.digit) << puzzles[i] << ": " << logic::step_text(step);
                        return ++here < 10;
                    });
                }
                logic::apply_step(grid, path.steps[k]);
            }
        }
    }
    if (sanitized_stride(16) == 1) {
        for (std::size_t f = 0; f < std::size(finders); ++f) EXPECT_GT(found[f], 0) << "finder " << f;
    }
}

TEST(Ladder, PearlAndDiamondAreTakenAtTheFirstPlacementAndStep) {
    // Its first step strikes candidates without placing any.
    const LogicalPath path = logic::solve_logically(
        cells_of(".2.4....94..189.......62.5......63..3..94.5.......8.1..........8.2..4...964.....7"), Ladder::Explainer);
    ASSERT_EQ(path.outcome, LogicalPath::Outcome::Solved);
    ASSERT_TRUE(path.steps.front().placements.empty());
    int hardest = 0;
    std::size_t k = 0;
    for (; path.steps[k].placements.empty(); ++k) hardest = std::max(hardest, path.steps[k].rating);
    EXPECT_EQ(path.ep, std::max(hardest, path.steps[k].rating));
    EXPECT_EQ(path.ed, path.steps.front().rating);
    EXPECT_LT(path.ed, path.ep);
}

TEST(Ladder, ChainsOfOneValueAreTakenShortestFirst) {
    const LogicalPath path = logic::solve_logically(cells_of(read_set("qqwing_expert")[4]), Ladder::Explainer);
    std::vector<int> nodes;
    for (const logic::Step& step : path.steps)
        if (!step.nodes.empty()) nodes.push_back(step.complexity);
    EXPECT_EQ(nodes, std::vector<int>({6, 8, 10, 8, 12, 12, 8, 8, 8, 8}));
}

TEST(Ladder, FinnedJellyfishIsTakenAfterTheJellyfish) {
    const LogicalPath path = logic::solve_logically(cells_of(read_set("sudokuexchange_diabolical100")[17]), Ladder::Human);
    const auto it = std::find_if(path.steps.begin(), path.steps.end(),
                                 [](const logic::Step& s) { return s.technique == logic::Technique::FinnedJellyfish; });
    ASSERT_NE(it, path.steps.end());
    EXPECT_EQ(logic::step_text(*it), "Finned Jellyfish 5 in row 2, row 3, row 7 and row 8: 5 leaves row 9, column 3");
}

TEST(Ladder, GridsWithoutOneSolutionAreSaidSo) {
    const auto none = read_set("tdoku_test_nosolution"), several = read_set("tdoku_test_multisolution");
    ASSERT_FALSE(none.empty() || several.empty());
    EXPECT_EQ(logic::solve_logically(cells_of(none[0]), Ladder::Human).outcome, LogicalPath::Outcome::NoSolution);
    const LogicalPath path = logic::solve_logically(cells_of(several[0]), Ladder::Explainer);
    EXPECT_EQ(path.outcome, LogicalPath::Outcome::SeveralSolutions);
    EXPECT_TRUE(path.steps.empty());
}

TEST(Ladder, HumanLevelRisesWithTheHardestStepAndTheScore) {
    const auto easy = read_set("qqwing_simple");
    const logic::HumanRating simple = logic::rate_human(logic::solve_logically(cells_of(easy[0]), Ladder::Human).steps);
    EXPECT_EQ(simple.level, logic::HumanLevel::Easy);
    EXPECT_GT(simple.score, 0);
    std::vector<logic::Step> steps(60);
    for (logic::Step& s : steps) s.technique = logic::Technique::HiddenSingleBox;  // 60 x 14 = 840 > 800
    EXPECT_EQ(logic::rate_human(steps).level, logic::HumanLevel::Medium);
    steps.back().technique = logic::Technique::DoubleForcingChain;
    EXPECT_EQ(logic::rate_human(steps).level, logic::HumanLevel::Extreme);
}

}  // namespace
}  // namespace varendo::test
