// The generator: every level and symmetry over many seeds, judged by the real commands and
// the complete search; the same seed gives the same puzzle; a request can be given up.

#include <gtest/gtest.h>

#include "commands/generator.h"
#include "commands/puzzle_run.h"
#include "test_grid.h"

namespace varendo {
namespace {

constexpr int kSeeds = 40;
// The sanitized build takes every fourth seed.
constexpr std::uint64_t kSeedStep = test::sanitized_stride(4);

int solutions_without(Grid81 puzzle, int a, int b) {
    puzzle[a] = puzzle[b] = 0;
    return find_solutions(puzzle, 2).count;
}

TEST(Generator, MakesUniquePuzzlesOfTheLevelMinimalAndSymmetricAsAsked) {
    MemoryWindow window;
    for (const Symmetry symmetry : {Symmetry::None, Symmetry::Rotate180}) {
        const int pair_end = symmetry == Symmetry::Rotate180 ? 41 : 81;
        for (const Level level : {Level::Easy, Level::Medium, Level::Difficult, Level::VeryDifficult}) {
            for (std::uint64_t seed = 0; seed < kSeeds; seed += kSeedStep) {
                const std::optional<GeneratedPuzzle> made = generate(level, seed, symmetry);
                ASSERT_TRUE(made) << static_cast<int>(level) << " " << seed;
                const Grid81& p = made->puzzle;
                SCOPED_TRACE(puzzle_text(p));
                const SearchResult search = find_solutions(p, 2);
                ASSERT_EQ(search.count, 1);
                EXPECT_EQ(search.solution, made->solution);
                run_puzzle(window, p);
                EXPECT_EQ(solved_difficulty(window), made->difficulty);
                EXPECT_EQ(level_of(made->difficulty), level);
                for (int i = 0; i < pair_end; ++i) {
                    const int partner = symmetry == Symmetry::Rotate180 ? 80 - i : i;
                    EXPECT_EQ(p[i] != 0, p[partner] != 0) << i;
                    if (p[i] == 0) continue;
                    EXPECT_EQ(p[i], made->solution[i]);
                    // No given (or pair) can go: it would open a second solution, or make
                    // an Easy puzzle harder.
                    Grid81 fewer = p;
                    fewer[i] = fewer[partner] = 0;
                    run_puzzle(window, fewer);
                    const bool harder = level == Level::Easy && solved_difficulty(window) != 0;
                    EXPECT_TRUE(solutions_without(p, i, partner) == 2 || harder) << i;
                }
            }
        }
    }
}

TEST(Generator, RepeatsForASeedAndGivesUpWhenCancelledOrOutOfTries) {
    const std::optional<GeneratedPuzzle> first = generate(Level::Difficult, 7, Symmetry::Rotate180);
    ASSERT_TRUE(first);
    EXPECT_EQ(generate(Level::Difficult, 7, Symmetry::Rotate180)->puzzle, first->puzzle);
    EXPECT_NE(generate(Level::Difficult, 8, Symmetry::Rotate180)->puzzle, first->puzzle);
    // The same on every machine and library: these are the puzzles of seed 1.
    EXPECT_EQ(puzzle_text(generate(Level::Medium, 1, Symmetry::None)->puzzle),
              "..2.6......12.8.9.....39.41......1.4.75.1.3....8..2.5....89.73.5.3.....8......4..");
    EXPECT_EQ(puzzle_text(generate(Level::VeryDifficult, 1, Symmetry::Rotate180)->puzzle),
              ".65.42......93....4....8.1.1.7....4.2..497..1.4....7.5.1.8....9....53......21.43.");

    // The last check before a puzzle leaves: its one solution, that made, and no other.
    EXPECT_EQ(&confirmed_unique(*first), &*first);
    GeneratedPuzzle wrong = *first;
    wrong.solution[0] = static_cast<std::uint8_t>(wrong.solution[0] % 9 + 1);
    EXPECT_THROW(confirmed_unique(wrong), GeneratorFault);
    wrong = {Grid81{}, find_solutions(Grid81{}, 1).solution, 0};
    EXPECT_THROW(confirmed_unique(wrong), GeneratorFault);

    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(generate(Level::Easy, 7, Symmetry::None, &cancel));
    EXPECT_FALSE(generate(Level::Easy, 7, Symmetry::None, nullptr, 0));
}

}  // namespace
}  // namespace varendo
