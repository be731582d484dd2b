#include <bit>

#include "logic/producers.h"

namespace varendo::logic {

namespace {

Candidate candidate(int cell, int digit) {
    return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)};
}

}  // namespace

// Unique rectangles (4.5): four cells on two rows, two columns and two boxes that all hold
// the pair a/b would allow the two digits to swap. Type 1: one corner holds more, so a and b
// leave it. Type 2: two corners hold one extra digit x, which then leaves what sees both.
bool find_unique_loops(const CandidateGrid& grid, const StepSink& sink) {
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;
                    const int corners[4] = {9 * r1 + c1, 9 * r1 + c2, 9 * r2 + c1, 9 * r2 + c2};
                    unsigned common = kAllDigits;
                    for (int c : corners) common &= grid.candidates(c);
                    for (int a = 1; a <= 9; ++a)
                        for (int b = a + 1; b <= 9; ++b) {
                            const unsigned pair = digit_bit(a) | digit_bit(b);
                            if ((common & pair) != pair) continue;
                            int extra[4], extras = 0;
                            unsigned extra_digits = 0;
                            for (int c : corners)
                                if (grid.candidates(c) != pair) {
                                    extra[extras++] = c;
                                    extra_digits |= grid.candidates(c) & ~pair;
                                }
                            Step step;
                            step.technique = Technique::UniqueRectangle;
                            step.rating = 45;
                            step.size = 4;
                            step.digits = static_cast<std::uint16_t>(pair);
                            for (int c : corners) step.cells.push_back(static_cast<std::uint8_t>(c));
                            if (extras == 1) {
                                step.eliminations = {candidate(extra[0], a), candidate(extra[0], b)};
                            } else if (extras == 2 && std::popcount(extra_digits) == 1) {
                                const int x = std::countr_zero(extra_digits) + 1;
                                for (std::uint8_t v : peers(extra[0]))
                                    if (v != extra[1] && sees(v, extra[1]) && grid.has(v, x))
                                        step.eliminations.push_back(candidate(v, x));
                            }
                            if (!step.eliminations.empty() && !sink(std::move(step))) return false;
                        }
                }
    return true;
}

// BUG type 1 (5.6): every empty cell holds two candidates but one, which holds three; the one
// of its digits seen three times in its houses must go there, or the grid would have two
// solutions.
bool find_bivalue_grave(const CandidateGrid& grid, const StepSink& sink) {
    int odd = -1;
    for (int c = 0; c < 81; ++c) {
        const int n = std::popcount(grid.candidates(c));
        if (grid.digit(c) != 0 || n == 2) continue;
        if (n != 3 || odd >= 0) return true;
        odd = c;
    }
    if (odd < 0) return true;
    for (int d = 1; d <= 9; ++d) {
        if (!grid.has(odd, d)) continue;
        for (int house : houses_of(odd)) {
            if (std::popcount(grid.positions(house, d)) != 3) continue;
            Step step;
            step.technique = Technique::BivalueGrave;
            step.rating = 56;
            step.cells.push_back(static_cast<std::uint8_t>(odd));
            step.digits = digit_bit(d);
            step.placements.push_back(candidate(odd, d));
            for (int v = 1; v <= 9; ++v)
                if (v != d && grid.has(odd, v)) step.eliminations.push_back(candidate(odd, v));
            return sink(std::move(step));
        }
    }
    return true;
}

}  // namespace varendo::logic
