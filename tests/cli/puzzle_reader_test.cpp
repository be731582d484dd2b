#include "cli/puzzle_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace varendo {
namespace {

const std::string kPuzzle =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";

std::vector<PuzzleLine> read_all(const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"), &std::fclose);
    std::vector<PuzzleLine> lines;
    PuzzleReader reader(file.get());
    for (PuzzleLine line; reader.next(line);) lines.push_back(line);
    return lines;
}

TEST(PuzzleReader, SkipsBlankAndCommentLinesAndNumbersEveryLine) {
    const auto lines = read_all("\n   \t\n# a comment\n#" + kPuzzle + "\n" + kPuzzle + "\nshort\n");
    ASSERT_EQ(lines.size(), 6u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[i].kind, PuzzleLine::Kind::Skip) << i;
    EXPECT_EQ(lines[4].kind, PuzzleLine::Kind::Puzzle);
    EXPECT_EQ(lines[4].cells[2], 3);
    EXPECT_EQ(lines[5].kind, PuzzleLine::Kind::Error);
    EXPECT_EQ(lines[5].number, 6);
    EXPECT_FALSE(lines[5].error.empty());
}

TEST(PuzzleReader, EveryKindOfLineEndEndsALine) {
    // A lone CR must not hide the puzzle after it behind the white space rule.
    const auto lines = read_all(kPuzzle + "\r\n" + kPuzzle + "\r" + kPuzzle + "\n\r\n" + kPuzzle);
    ASSERT_EQ(lines.size(), 5u);
    const long numbers[] = {1, 2, 3, 5};
    int puzzles = 0;
    for (const PuzzleLine& line : lines) {
        if (line.kind != PuzzleLine::Kind::Puzzle) continue;
        EXPECT_EQ(line.number, numbers[puzzles++]);
    }
    EXPECT_EQ(puzzles, 4);
    EXPECT_EQ(lines[3].kind, PuzzleLine::Kind::Skip);
}

TEST(PuzzleReader, ReadsHugeLinesInFullWithoutKeepingThem) {
    const std::string huge(3'000'000, '1');
    const auto lines = read_all(kPuzzle + " " + huge + "\n" + huge + "\n" + kPuzzle);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].kind, PuzzleLine::Kind::Puzzle);
    EXPECT_EQ(lines[1].kind, PuzzleLine::Kind::Error);
    EXPECT_EQ(lines[1].error, "unexpected '1' at column 82: a puzzle has 81 cells, then white space");
    EXPECT_EQ(lines[2].kind, PuzzleLine::Kind::Puzzle);
    EXPECT_EQ(lines[2].number, 3);
}

}  // namespace
}  // namespace varendo
