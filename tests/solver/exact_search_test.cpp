#include "solver/exact_search.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace varendo {
namespace {

std::vector<std::string> read_lines(const std::string& name) {
    std::ifstream in(std::string(VARENDO_PUZZLE_DIR) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

Grid81 parse(const std::string& line) {
    Grid81 grid{};
    for (int c = 0; c < 81; ++c) {
        const char ch = line.at(c);
        grid[c] = static_cast<std::uint8_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
    }
    return grid;
}

Grid81 transpose(const Grid81& grid) {
    Grid81 out{};
    for (int c = 0; c < 81; ++c) out[9 * (c % 9) + c / 9] = grid[c];
    return out;
}

// Every line, column and box holds each digit once, and the givens are kept.
void expect_solves(const Grid81& givens, const Grid81& grid) {
    for (int c = 0; c < 81; ++c) {
        if (givens[c] != 0) {
            ASSERT_EQ(grid[c], givens[c]) << "cell " << c;
        }
    }
    for (int i = 0; i < 9; ++i) {
        unsigned line = 0, column = 0, box = 0;
        for (int j = 0; j < 9; ++j) {
            line |= 1u << grid[9 * i + j];
            column |= 1u << grid[9 * j + i];
            box |= 1u << grid[27 * (i / 3) + 3 * (i % 3) + 9 * (j / 3) + j % 3];
        }
        ASSERT_EQ(line, 0x3FEu) << "line " << i;
        ASSERT_EQ(column, 0x3FEu) << "column " << i;
        ASSERT_EQ(box, 0x3FEu) << "box " << i;
    }
}

// Solves every step-th puzzle of name; the solution must be valid and, when the set comes
// with a solutions file, equal to its line.
void check_unique_set(const std::string& name, std::size_t step, bool has_solutions) {
    const auto puzzles = read_lines(name + ".txt");
    const auto solutions = has_solutions ? read_lines(name + "_solutions.txt") : puzzles;
    ASSERT_FALSE(puzzles.empty()) << name;
    ASSERT_EQ(puzzles.size(), solutions.size()) << name;
    for (std::size_t i = 0; i < puzzles.size(); i += step) {
        const Grid81 givens = parse(puzzles[i]);
        const SearchResult r = find_solutions(givens, 2);
        ASSERT_EQ(r.count, 1) << name << " line " << i + 1;
        expect_solves(givens, r.solution);
        if (has_solutions) {
            ASSERT_EQ(r.solution, parse(solutions[i])) << name << " line " << i + 1;
        }
    }
}

TEST(ExactSearch, UniquePuzzlesMatchTheirSolutions) {
    check_unique_set("tdoku_test_unique", 1, true);
    check_unique_set("sudoku17", 50, false);  // ships without a solutions file
    check_unique_set("magictour_top1465", 50, true);
}

TEST(ExactSearch, NoSolutionPuzzlesGiveZero) {
    const auto puzzles = read_lines("tdoku_test_nosolution.txt");
    ASSERT_FALSE(puzzles.empty());
    for (const auto& p : puzzles) EXPECT_EQ(find_solutions(parse(p), 2).count, 0) << p;
}

TEST(ExactSearch, MultiSolutionCountsAreExact) {
    const auto puzzles = read_lines("tdoku_test_multisolution.txt");
    const auto counts = read_lines("tdoku_test_multisolution_counts.txt");
    ASSERT_FALSE(puzzles.empty());
    ASSERT_EQ(puzzles.size(), counts.size());
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const Grid81 givens = parse(puzzles[i]);
        const SearchResult all = find_solutions(givens, 100000);
        EXPECT_EQ(all.count, std::stoi(counts[i])) << puzzles[i];
        expect_solves(givens, all.solution);
        EXPECT_EQ(find_solutions(givens, 2).count, 2) << puzzles[i];
    }
}

TEST(ExactSearch, RepeatedGivenGivesZero) {
    Grid81 grid{};
    grid[0] = grid[8] = 5;  // same major line
    EXPECT_EQ(find_solutions(grid, 2).count, 0);
    grid[8] = 0;
    grid[72] = 5;  // same minor line
    EXPECT_EQ(find_solutions(grid, 2).count, 0);
    grid[72] = 0;
    grid[20] = 5;  // same box
    EXPECT_EQ(find_solutions(grid, 2).count, 0);
}

TEST(ExactSearch, EmptyGridReachesTheLimit) {
    const Grid81 empty{};
    for (const int limit : {1, 2, 7, 100}) {
        const SearchResult r = find_solutions(empty, limit);
        EXPECT_EQ(r.count, limit);
        expect_solves(empty, r.solution);
    }
}

TEST(ExactSearch, TransposedInputGivesTransposedSolution) {
    const auto puzzles = read_lines("tdoku_test_unique.txt");
    const auto solutions = read_lines("tdoku_test_unique_solutions.txt");
    ASSERT_FALSE(puzzles.empty());
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const SearchResult r = find_solutions(transpose(parse(puzzles[i])), 2);
        ASSERT_EQ(r.count, 1);
        EXPECT_EQ(r.solution, transpose(parse(solutions[i])));
    }
}

}  // namespace
}  // namespace varendo
