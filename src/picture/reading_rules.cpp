#include "picture/reading_rules.h"

#include <algorithm>

#include "solver/exact_search.h"

namespace varendo {
namespace {

bool repeats(const PictureReading& reading, int cell, int digit) {
    for (int other = 0; other < 81; ++other)
        if (other != cell && reading.digits[other] == digit && same_unit(cell, other)) return true;
    return false;
}

// The likeliest digit other than the cell's own that repeats none in its units; 0 for none.
int next_likeliest(const PictureReading& reading, const DigitScores& scores, int cell) {
    int best = 0;
    for (int digit = 1; digit <= 9; ++digit)
        if (digit != reading.digits[cell] && !repeats(reading, cell, digit) &&
            (best == 0 || scores[cell][digit] > scores[cell][best]))
            best = digit;
    return best;
}

bool solvable(const PictureReading& reading) { return find_solutions(reading.digits, 1).count > 0; }

}  // namespace

bool same_unit(int a, int b) {
    return a / 9 == b / 9 || a % 9 == b % 9 || (a / 27 == b / 27 && a % 9 / 3 == b % 9 / 3);
}

void settle_by_rules(PictureReading& reading, const DigitScores& scores) {
    const auto own_score = [&](int cell) { return scores[cell][reading.digits[cell]]; };
    for (int round = 0; round < 81; ++round) {
        int weaker = -1;
        for (int a = 0; a < 81 && weaker < 0; ++a)
            for (int b = a + 1; b < 81 && weaker < 0; ++b)
                if (reading.digits[a] != 0 && reading.digits[a] == reading.digits[b] && same_unit(a, b))
                    weaker = own_score(a) < own_score(b) ? a : b;
        if (weaker < 0) break;
        reading.digits[weaker] = static_cast<std::uint8_t>(next_likeliest(reading, scores, weaker));
        reading.uncertain[weaker] = true;
    }
    if (solvable(reading)) return;
    for (int cell = 0; cell < 81; ++cell) {
        if (!reading.uncertain[cell] || reading.digits[cell] == 0) continue;
        const std::uint8_t was = reading.digits[cell];
        reading.digits[cell] = static_cast<std::uint8_t>(next_likeliest(reading, scores, cell));
        if (reading.digits[cell] != 0 && solvable(reading)) return;
        reading.digits[cell] = was;
    }
}

}  // namespace varendo
