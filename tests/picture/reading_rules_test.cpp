#include "picture/reading_rules.h"

#include <gtest/gtest.h>

namespace varendo {
namespace {

// A newspaper's puzzle, which misty photos of it misread.
constexpr std::array<std::uint8_t, 81> kPrinted = {
    0, 0, 1, 0, 3, 0, 0, 0, 8, 0, 0, 4, 0, 6, 0, 5, 0, 0, 9, 0, 0, 0, 0, 0, 2, 7, 0,
    8, 3, 0, 0, 5, 0, 0, 1, 0, 6, 0, 5, 0, 9, 3, 0, 4, 0, 0, 0, 0, 7, 0, 0, 8, 0, 5,
    0, 0, 0, 0, 0, 4, 9, 0, 0, 7, 0, 3, 0, 0, 5, 0, 0, 6, 0, 2, 0, 0, 0, 0, 3, 8, 0};
constexpr int kR6C4 = 5 * 9 + 3;
constexpr int kR8C1 = 7 * 9;

// Every cell plainly like its printed digit and no other.
DigitScores plain_scores() {
    DigitScores scores{};
    for (int cell = 0; cell < 81; ++cell) {
        scores[cell].fill(0.5f);
        scores[cell][kPrinted[cell]] = 0.9f;
    }
    return scores;
}

// The puzzle as one misty photo of it was read: its 7s at r6c4 and r8c1 as 1s, each
// barely more like a 1 than a 7; its 2 at r3c7 is nearly as like a 1, and that one change
// would also leave the reading one solution.
TEST(ReadingRules, MakesTwoCheapChangesBeforeOneDearOne) {
    constexpr int kR3C7 = 2 * 9 + 6;
    PictureReading reading;
    reading.digits = kPrinted;
    DigitScores scores = plain_scores();
    for (const int seven : {kR6C4, kR8C1}) {
        reading.digits[seven] = 1;
        reading.uncertain[seven] = true;
        scores[seven][1] = 0.95f;
        scores[seven][7] = 0.948f;
    }
    reading.uncertain[kR3C7] = true;
    scores[kR3C7][2] = 0.95f;
    scores[kR3C7][1] = 0.93f;
    EXPECT_FALSE(settle_by_rules(reading, scores, {}, {}));
    EXPECT_EQ(reading.digits, kPrinted);
}

// The same puzzle's three 7s, printed alike, read as a 7 and two plain 1s: as one digit, they
// are all 7s, the one reading of the three that leaves the puzzle exactly one solution.
TEST(ReadingRules, ReadsCellsPrintedAlikeAsOneDigit) {
    constexpr int kR3C8 = 2 * 9 + 7;
    PictureReading reading;
    reading.digits = kPrinted;
    DigitScores scores = plain_scores();
    PrintTwins twins{};
    for (const int seven : {kR3C8, kR6C4, kR8C1}) twins[seven] = 1;
    for (const int seven : {kR6C4, kR8C1}) {
        reading.digits[seven] = 1;
        scores[seven][1] = 0.95f;
    }
    EXPECT_FALSE(settle_by_rules(reading, scores, {}, twins));
    EXPECT_EQ(reading.digits, kPrinted);
    EXPECT_TRUE(reading.uncertain[kR6C4] && reading.uncertain[kR8C1]);
}

}  // namespace
}  // namespace varendo
