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
const std::string kPuzzleDots =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

std::vector<PuzzleLine> read_all(const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"), &std::fclose);
    std::vector<PuzzleLine> lines;
    PuzzleReader reader(file.get());
    for (PuzzleLine line; reader.next(line);) lines.push_back(line);
    return lines;
}

TEST(PuzzleReader, AcceptsZerosDotsAndIgnoresWhatFollowsWhiteSpace) {
    const auto lines = read_all(kPuzzle + "\n" + kPuzzleDots + "\tfrom the paper, 2 stars\n" +
                                kPuzzle + " \n");
    ASSERT_EQ(lines.size(), 3u);
    for (const PuzzleLine& line : lines) {
        EXPECT_EQ(line.kind, PuzzleLine::Kind::Puzzle);
        EXPECT_EQ(line.text, kPuzzleDots);
    }
}

TEST(PuzzleReader, SkipsBlankAndCommentLines) {
    const auto lines = read_all("\n   \t\n# a comment\n#" + kPuzzle + "\n" + kPuzzle);
    ASSERT_EQ(lines.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[i].kind, PuzzleLine::Kind::Skip) << i;
    EXPECT_EQ(lines[4].kind, PuzzleLine::Kind::Puzzle);
    EXPECT_EQ(lines[4].number, 5);
}

TEST(PuzzleReader, NamesWhatIsWrongWithALine) {
    struct Case {
        std::string line;
        std::string error;
    };
    const Case cases[] = {
        {kPuzzle.substr(0, 80), "line too short: 80 characters where a puzzle needs 81"},
        {kPuzzle.substr(0, 10) + "x" + kPuzzle.substr(11),
         "unexpected 'x' at column 11: a cell is 1-9, 0 or ."},
        {kPuzzle.substr(0, 4) + " " + kPuzzle.substr(5),
         "unexpected ' ' at column 5: a cell is 1-9, 0 or ."},
        {std::string(1, '\0') + kPuzzle.substr(1),
         "unexpected byte 0x00 at column 1: a cell is 1-9, 0 or ."},
        {"\xC3\xA9" + kPuzzle.substr(2), "unexpected byte 0xC3 at column 1: a cell is 1-9, 0 or ."},
        {kPuzzle + "7", "unexpected '7' at column 82: a puzzle has 81 cells, then white space"},
    };
    for (const Case& c : cases) {
        const auto lines = read_all(c.line + "\n");
        ASSERT_EQ(lines.size(), 1u) << c.error;
        EXPECT_EQ(lines[0].kind, PuzzleLine::Kind::Error) << c.error;
        EXPECT_EQ(lines[0].text, c.error);
    }
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
    EXPECT_EQ(lines[1].text, "unexpected '1' at column 82: a puzzle has 81 cells, then white space");
    EXPECT_EQ(lines[2].kind, PuzzleLine::Kind::Puzzle);
    EXPECT_EQ(lines[2].number, 3);
}

}  // namespace
}  // namespace varendo
