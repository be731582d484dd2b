// Solve's path over the public puzzle sets: its records render the very step files Solve
// writes, and the replay's snapshots show what the engine saw, down to the grid reported,
// which solves the puzzle where it has a solution.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "test_grid.h"

namespace varendo {
namespace {

// The puzzle solved with the path recorded and one of the step files.
struct RecordedSolve {
    RecordedSolve(const std::string& puzzle, bool detailed) {
        w.commands().set_path_recording(true);
        test::load_puzzle(w, puzzle);
        if (detailed) {
            w.click_check1();
        } else {
            w.set_save_to_file(true);
        }
        w.click(Button::Solve);
    }
    const SolvePath& path() const { return w.commands().path(); }
    MemoryWindow w;
};

// The sanitized build takes one puzzle in 5.
constexpr std::size_t kSparser = test::sanitized_stride(5);

TEST(SolvePath, RendersTheStepFilesAndEndsOnTheReportedGridOverEverySet) {
    const std::pair<std::string, std::size_t> sets[] = {  // name, every how many
        {"magictour_top1465", 3}, {"qqwing_easy", 10}, {"qqwing_simple", 10}, {"qqwing_intermediate", 10},
        {"qqwing_expert", 10}, {"euler96_easy50", 1}, {"norvig_top95", 1}, {"sudoku17", 250},
        {"tdoku_test_unique", 1}, {"tdoku_test_multisolution", 1}, {"tdoku_test_nosolution", 1}};
    for (const auto& [name, step] : sets) {
        const auto puzzles = test::read_set(name), solutions = test::read_set(name + "_solutions");
        ASSERT_TRUE(!puzzles.empty() && (solutions.empty() || solutions.size() == puzzles.size())) << name;
        for (std::size_t i = 0; i < puzzles.size(); i += step * kSparser) {
            SCOPED_TRACE(name + " line " + std::to_string(i + 1));
            const RecordedSolve visible(puzzles[i], false);
            const SolvePath& path = visible.path();
            const std::string puzzle = puzzle_text(test::cells_of(puzzles[i])), grid = visible.w.grid_text();
            ASSERT_EQ(quoted_step_lines(path), visible.w.step_file_contents());
            ASSERT_TRUE(path.replay_agrees());
            EXPECT_EQ(puzzle_text(path.snapshot(path.rows().size() - 1).digits), grid);
            // Solved, keeping the givens, as the known solution has it; without a solution the
            // puzzle is shown again. The step file wrote every digit the grid shows and no given.
            if (name.ends_with("nosolution")) {
                EXPECT_TRUE(visible.w.commands().outcome() != Outcome::Solved && grid == puzzle);
            } else {
                ASSERT_TRUE(visible.w.commands().outcome() == Outcome::Solved && test::solves(puzzle, grid));
                EXPECT_TRUE(solutions.empty() || grid == solutions[i]);
                std::string written(81, '.');  // the last digit written into each cell
                const std::string& steps = visible.w.step_file_contents();
                for (std::size_t start = 0, end; (end = steps.find("\r\n", start)) != std::string::npos; start = end + 2) {
                    int column = 0, row = 0, digit = 0;
                    ASSERT_EQ(std::sscanf(&steps[start], "\" Column %d row %d  :Value%d\"", &column, &row, &digit), 3);
                    written.at(9 * (row - 1) + column - 1) = static_cast<char>('0' + digit);
                }
                for (int pos = 0; pos < 81; ++pos) EXPECT_EQ(written[pos], puzzle[pos] == '.' ? grid[pos] : '.') << pos;
            }
            if (i % (5 * step * kSparser) != 0) continue;
            const RecordedSolve detailed(puzzles[i], true);
            ASSERT_EQ(detailed_step_lines(detailed.path()), detailed.w.step_file_contents());
        }
    }
}

// The shape of a path: attempts numbered from 1, each begun by a start; a reload within an
// attempt after each contradiction; the outcome last; no record while recording is off.
TEST(SolvePath, RecordsAttemptsReloadsGuessesAndTheOutcomeOnlyWhenAsked) {
    const auto puzzles = test::read_set("magictour_top1465");
    const RecordedSolve solve(puzzles[0], false);
    const auto& rows = solve.path().rows();
    ASSERT_GT(rows.size(), 2u);
    EXPECT_TRUE(rows.front().event == PathRecord::Event::Start && rows.front().attempt == 1);
    EXPECT_TRUE(rows.back().event == PathRecord::Event::Outcome && rows.back().outcome == Outcome::Solved);
    int attempt = 0;
    int reloads = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PathRecord& record = rows[i];
        if (record.event == PathRecord::Event::Start) ++attempt;
        EXPECT_EQ(record.attempt, attempt);
        if (record.event == PathRecord::Event::Reload) {
            ++reloads;
            EXPECT_EQ(rows[i - 1].event, PathRecord::Event::Repeat);
        }
        // A run that places nothing cannot make a repeat: one right after its start is in its grid.
        EXPECT_TRUE(record.event != PathRecord::Event::Repeat ||
                    record.at_start == (rows[i - 1].event == PathRecord::Event::Start ||
                                        rows[i - 1].event == PathRecord::Event::Reload));
        if (record.event == PathRecord::Event::Stall) {
            // Solve's guess follows, among the places its digit has in its unit, unless none is left.
            const Placement& guess = rows.at(i + 1).placement;
            if (rows[i + 1].event != PathRecord::Event::Placement || guess.kind == PlacementKind::Search) continue;
            EXPECT_TRUE(guess.kind == PlacementKind::Guess && guess.places >= 2 && guess.unit >= 1);
            EXPECT_EQ(unit_cells(guess.unit)[guess.place - 1], guess.cell);
            // Its places: the cells of the unit where the masks at the stall allow its digit.
            const PathSnapshot& stall = solve.path().snapshot(i);
            int places = 0;
            for (const int k : unit_cells(guess.unit)) places += (stall.candidates[row_major_index(k)] >> guess.digit) & 1;
            EXPECT_EQ(places, guess.places);
        }
        if (record.event == PathRecord::Event::Placement) {
            EXPECT_GE(record.pass, 1);
            EXPECT_LE(record.pass, solve.w.solver().pass_count);
        }
    }
    EXPECT_GT(reloads, 0);
    EXPECT_EQ(solve.w.solver().guess_count, std::count_if(rows.begin(), rows.end(), [](const PathRecord& r) {
                  return r.event == PathRecord::Event::Stall;
              }));

    // A repeated given: each of the two runs of the first attempt stops at it, and Solve stops.
    std::string repeated = std::string(81, '.');
    repeated[0] = repeated[1] = '5';
    const RecordedSolve failed(repeated, true);
    const auto& failing = failed.path().rows();
    ASSERT_EQ(failing.size(), 5u);
    EXPECT_TRUE(failing[1].event == PathRecord::Event::Repeat && failing[1].at_start && failing[1].units == 1u << 10);
    EXPECT_EQ(failing[2].event, PathRecord::Event::Reload);
    EXPECT_EQ(failing[4].outcome, Outcome::RepeatInGivens);

    MemoryWindow w;
    w.commands().set_path_recording(true);
    test::load_puzzle(w, puzzles[0]);
    w.click(Button::Solve);
    EXPECT_FALSE(w.commands().path().empty());
    w.click(Button::Freeze);  // Freeze and New clear the path, as does turning it off
    EXPECT_TRUE(w.commands().path().empty());
    w.commands().set_path_recording(false);
    w.click(Button::Solve);
    EXPECT_TRUE(w.commands().path().empty() && w.solver().recorder == nullptr);

    // The path starts from the frozen givens, not the grid as shown: a first and a second
    // Solve, and one after a given was erased, record the givens and replay from them.
    w.commands().set_path_recording(true);
    test::load_puzzle(w, puzzles[0]);
    const Grid81 givens = test::cells_of(puzzles[0]);
    const auto first_given = std::find_if(givens.begin(), givens.end(), [](int d) { return d != 0; }) - givens.begin();
    for (const bool erase : {false, false, true}) {
        if (erase) {
            EXPECT_TRUE(w.erase(index_of(static_cast<int>(first_given) / 9 + 1, first_given % 9 + 1)));
        }
        w.click(Button::Solve);
        EXPECT_TRUE(w.commands().path().givens() == givens && w.commands().path().snapshot(0).digits == givens);
    }
}

// After a placement its cell is new and its unit named; a mask-reduction placement leaves its
// cell the one candidate, an elimination one its digit in no other cell of the unit; givens
// keep their origin, and empty cells show candidates only.
TEST(SolvePath, SnapshotsShowTheGridAndTheEngineMasksAfterEachRow) {
    const auto puzzles = test::read_set("norvig_top95");
    const RecordedSolve solve(puzzles[1], false);
    const SolvePath& path = solve.path();
    const Grid81& givens = path.givens();
    int checked = 0;
    for (std::size_t i = 1; i < path.rows().size(); ++i) {
        const PathRecord& record = path.rows()[i];
        const PathSnapshot& before = path.snapshot(i - 1);
        const PathSnapshot& after = path.snapshot(i);
        for (int c = 0; c < 81; ++c) {
            if (givens[c] != 0) {
                EXPECT_TRUE(after.origins[c] == PathSnapshot::Origin::Given && after.digits[c] == givens[c]);
            }
            EXPECT_TRUE(after.digits[c] == 0 ? after.origins[c] == PathSnapshot::Origin::Empty : after.candidates[c] == 0);
        }
        if (record.event != PathRecord::Event::Placement || record.placement.kind == PlacementKind::Search) continue;
        const int cell = row_major_index(record.placement.cell);
        const unsigned bit = 1u << record.placement.digit;
        EXPECT_TRUE(after.new_cell == cell && after.unit == record.placement.unit &&
                    after.digits[cell] == record.placement.digit && after.origins[cell] == PathSnapshot::Origin::Placed);
        // Within a run the masks only shrink (a guess starts a run on masks rebuilt from scratch).
        const PathRecord& last = path.rows()[i - 1];
        const bool same_run = last.event == PathRecord::Event::Placement && last.placement.kind != PlacementKind::Guess;
        EXPECT_TRUE(!same_run || (before.candidates[cell] & bit) != 0);
        if (record.placement.kind == PlacementKind::Unit) {
            for (const int k : unit_cells(record.placement.unit)) {
                EXPECT_TRUE(row_major_index(k) == cell || (after.candidates[row_major_index(k)] & bit) == 0);
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

}  // namespace
}  // namespace varendo
