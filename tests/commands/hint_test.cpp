// Hint: a repeat as Check reports it, then a typed digit off the only solution, then the
// first placement Solve's own passes make, or the guess Solve makes when they stall.

#include <gtest/gtest.h>

#include "commands/hint.h"
#include "test_grid.h"

namespace varendo {
namespace {

// The first placement of Solve's path for a puzzle.
PathRecord first_placement(const std::string& puzzle) {
    MemoryWindow w;
    w.commands().set_path_recording(true);
    test::load_puzzle(w, puzzle);
    w.click(Button::Solve);
    for (const PathRecord& record : w.commands().path().rows())
        if (record.event == PathRecord::Event::Placement) return record;
    return {};
}

TEST(Hint, NamesTheFirstPlacementOfSolvesPathOrItsGuessWhenThePassesStall) {
    int stalls = 0;
    const auto puzzles = test::read_set("magictour_top1465");
    for (std::size_t i = 0; i < puzzles.size(); i += 4 * test::sanitized_stride(4)) {
        const std::string& puzzle = puzzles[i];
        const Grid81 grid = test::cells_of(puzzle);
        const Hint hint = find_hint(grid, grid);
        const PathRecord first = first_placement(puzzle);
        SCOPED_TRACE(puzzle);
        ASSERT_EQ(hint.kind, first.placement.kind == PlacementKind::Guess ? Hint::Kind::Stall : Hint::Kind::Placement);
        EXPECT_TRUE(hint.row == first.row() && hint.column == first.column() && hint.digit == first.placement.digit &&
                    hint.how == first.placement.kind && hint.unit == first.placement.unit &&
                    hint.places == first.placement.places);
        stalls += hint.kind == Hint::Kind::Stall;
    }
    EXPECT_GT(stalls, 0);
}

TEST(Hint, ARepeatComesFirstThenAWrongDigitThenNothingWhenTheGridIsFull) {
    const std::string puzzle = test::read_set("norvig_top95")[0];
    const Grid81 givens = test::cells_of(puzzle);
    const SearchResult solved = find_solutions(givens, 2);
    ASSERT_EQ(solved.count, 1);
    // Typed into the first two empty cells: the right digit, then a wrong one that repeats nothing.
    Grid81 shown = givens;
    const auto empty_after = [&](int i) { while (givens[++i] != 0) {} return i; };
    const int right = empty_after(-1), wrong = empty_after(right);
    shown[right] = solved.solution[right];
    for (shown[wrong] = 1; shown[wrong] == solved.solution[wrong] || check_puzzle(shown).verdict == PuzzleCheck::Verdict::Repeat;)
        ASSERT_LT(++shown[wrong], 10);
    Hint hint = find_hint(shown, givens);
    EXPECT_TRUE(hint.kind == Hint::Kind::WrongDigit && hint.row == wrong / 9 + 1 && hint.column == wrong % 9 + 1 &&
                hint.digit == shown[wrong]);
    // Before Freeze there is no puzzle to hold the digits against, nor in one of several solutions.
    EXPECT_NE(find_hint(shown, std::nullopt).kind, Hint::Kind::WrongDigit);
    Grid81 open{};
    open[0] = static_cast<std::uint8_t>(find_solutions(open, 1).solution[0] % 9 + 1);
    EXPECT_NE(find_hint(open, Grid81{}).kind, Hint::Kind::WrongDigit);

    // The right digit typed again beside it (the same row): a repeat, reported before the wrong digit.
    shown[wrong] = shown[right];
    hint = find_hint(shown, givens);
    const PuzzleCheck repeat = check_puzzle(shown);
    EXPECT_TRUE(hint.kind == Hint::Kind::Repeat && hint.repeat.digit == repeat.digit && hint.repeat.row == repeat.row &&
                hint.repeat.column == repeat.column && hint.repeat.unit == repeat.unit);

    EXPECT_EQ(find_hint(solved.solution, givens).kind, Hint::Kind::Solved);
}

}  // namespace
}  // namespace varendo
