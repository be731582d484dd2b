// Hint by technique in the core: the candidate grid of a person's marks, a step's pattern in
// the window's numbering, its eliminations struck, and the logical report of a puzzle.

#include <gtest/gtest.h>

#include "commands/technique_hint.h"
#include "test_grid.h"

namespace varendo {
namespace {

constexpr char kPairPuzzle[] = "63..1.9.....95.......4..7...8.3.......4..58..56...94.......7.94..3.6....75.....1.";

TEST(TechniqueHint, TheMarksStruckLeaveTheGridShownOrNot) {
    const Grid81 grid = test::cells_of(kPairPuzzle);
    PencilMarks marks;
    marks.struck[2] = digit_bit(2) | digit_bit(7);
    marks.own[3] = digit_bit(2);  // own marks strike nothing
    const logic::CandidateGrid mine = grid_of_marks(grid, marks);
    const logic::CandidateGrid all = logic::CandidateGrid::from_givens(grid);
    EXPECT_EQ(mine.candidates(2), all.candidates(2) & ~logic::digit_bit(2) & ~logic::digit_bit(7));
    EXPECT_EQ(mine.candidates(3), all.candidates(3));
}

TEST(TechniqueHint, APatternInTheWindowsUnitsAndItsEliminationsStruck) {
    const logic::CandidateGrid grid = logic::CandidateGrid::from_givens(test::cells_of(kPairPuzzle));
    logic::Step step;
    step.cells = {3, 22};
    step.digits = logic::digit_bit(2) | logic::digit_bit(8);
    step.eliminations = {{14, 2}, {23, 8}};
    step.placements = {{40, 3}};
    // Engine houses: box 1 (rows 1-3, columns 4-6), row 3, column 5, as the window's units.
    for (const auto& [house, unit] : {std::pair{1, 22}, {11, 12}, {22, 5}, {8, 27}}) {
        step.houses = {static_cast<std::uint8_t>(house)};
        EXPECT_EQ(step_pattern(grid, step).unit, unit) << house;
    }
    const StepPattern pattern = step_pattern(grid, step);
    EXPECT_TRUE(pattern.cells[3] && pattern.cells[22] && pattern.cells[40] && !pattern.cells[14]);
    // Only the pattern's digits of a cell that holds more.
    EXPECT_EQ(pattern.candidates[3], (grid.candidates(3) << 1) & (digit_bit(2) | digit_bit(8)));
    EXPECT_NE(pattern.candidates[3], grid.candidates(3) << 1);
    EXPECT_EQ(pattern.candidates[40], digit_bit(3));
    EXPECT_EQ(pattern.eliminated[14], digit_bit(2));

    PencilMarks marks;
    marks.own[14] = digit_bit(2) | digit_bit(5);
    strike_eliminations(marks, step);
    EXPECT_EQ(marks.own[14], digit_bit(5));
    EXPECT_EQ(marks.struck[14], digit_bit(2));
    EXPECT_EQ(marks.struck[23], digit_bit(8));
}

TEST(TechniqueHint, AChainColoursItsNodesGroupsIncludedAndNoMore) {
    const logic::CandidateGrid grid = logic::CandidateGrid::from_givens({});
    logic::Step step;
    step.cells = {0, 7, 9};
    step.digits = logic::digit_bit(5) | logic::digit_bit(6);
    step.nodes = {{{0, 5}, true, {7, 255}}, {{9, 6}, false}};
    const StepPattern pattern = step_pattern(grid, step);
    EXPECT_EQ(pattern.candidates[0], digit_bit(5));
    EXPECT_EQ(pattern.candidates[7], digit_bit(5));
    EXPECT_EQ(pattern.candidates[9], digit_bit(6));
}

TEST(TechniqueHint, TheReportKeepsTheGridBeforeEachStepAndCountsTheTechniques) {
    const Grid81 givens = test::cells_of(kPairPuzzle);
    const LogicalReport report = logical_report(givens);
    ASSERT_EQ(report.human.outcome, logic::LogicalPath::Outcome::Solved);
    ASSERT_EQ(report.before.size(), report.human.steps.size());
    EXPECT_EQ(report.before.front(), logic::CandidateGrid::from_givens(givens));
    logic::CandidateGrid grid = report.before[3];
    logic::apply_step(grid, report.human.steps[3]);
    EXPECT_EQ(grid, report.before[4]);
    int counted = 0;
    for (const auto& [technique, count] : report.techniques) counted += count;
    EXPECT_EQ(counted, static_cast<int>(report.human.steps.size()));
    EXPECT_EQ(report.techniques.front().first, report.human.steps.front().technique);
    EXPECT_GT(report.explainer.er, 0);
}

}  // namespace
}  // namespace varendo
