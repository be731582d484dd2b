#pragma once

// Where the complete search branches: on the patterns one digit has left in one band or
// stack. The band or stack with the fewest patterns over all digits is the most constrained,
// and in it a digit with the fewest patterns (at least two) splits the search least.

#include <algorithm>

#include "solver/search_segments.h"

namespace varendo::search {

// The six ways to give each of three lines its own box (or each band its own minor line of
// a stack): line i takes box kPatterns[p][i].
constexpr int kPatterns[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

struct Branch {
    bool stack;    // a stack (minor lines) rather than a band
    int index;     // of the band or stack
    int digit;     // 0..8
    int patterns;  // bit p: pattern p is open
};

// Of segment bits x, the number in line 0 (bits 0, 3, 6).
VARENDO_INLINE Lanes in_line0(const Lanes& x) { return (((x & 0x49) * 0x49) >> 6) & 3; }

// The number of patterns open to each digit in a band.
VARENDO_INLINE Lanes band_patterns(const Lanes& w) {
    const SegmentPairs p = segment_pairs(w);
    return in_line0(p.held & p.straight) + in_line0(p.held & p.crossed);
}

// Of minor-line bits x, the number in each stack, in bits 3k..3k+2.
VARENDO_INLINE Lanes per_stack(const Lanes& x) {
    return (x & 0x49) + ((x >> 1) & 0x49) + ((x >> 2) & 0x49);
}

// The number of patterns open to each digit per stack, in bits 8k..8k+7, from band b's minor
// lines m and the others' m1, m2 (any band gives the count).
VARENDO_INLINE Lanes stack_patterns(const Lanes& m, const Lanes& m1, const Lanes& m2) {
    const Lanes n = per_stack(m & stack_straight(m1, m2)) + per_stack(m & stack_crossed(m1, m2));
    return (n & 7) | ((n & 0x38) << 5) | ((n & 0x1C0) << 10);
}

// The segments of a band that hold at least one cell of one digit's word w.
VARENDO_INLINE Word segments_of(Word w) { return (w | w >> 1 | w >> 2) & kSegments; }

// The segment bits pattern p holds (line i in box kPatterns[p][i]).
constexpr Word pattern_segments(int p) {
    return Word{1} << (3 * kPatterns[p][0]) | Word{1} << (9 + 3 * kPatterns[p][1]) |
           Word{1} << (18 + 3 * kPatterns[p][2]);
}

// The patterns whose segments all lie in `segments`, as bits.
VARENDO_INLINE int open_patterns(Word segments) {
    int open = 0;
    for (int p = 0; p < 6; ++p) {
        if ((segments & pattern_segments(p)) == pattern_segments(p)) open |= 1 << p;
    }
    return open;
}

// A digit's minor lines in one stack, laid out as segment bits: band b taking minor line c
// of the stack shows as line b taking box c.
VARENDO_INLINE Word stack_segments(const Board& s, int stack, int digit) {
    Word m = 0;
    for (int b = 0; b < 3; ++b) {
        const Word w = get(s, b, digit);
        const Word c = ((w | w >> 9 | w >> 18) >> (3 * stack)) & 7;
        m |= ((c & 1) | (c & 2) << 2 | (c & 4) << 4) << (9 * b);
    }
    return m;
}

constexpr Lanes kLaneIndex = {0, 1, 2, 3, 4, 5, 6, 7};

// Lane by lane, the smaller of a and b (lanes below 2^31).
VARENDO_INLINE Lanes min(const Lanes& a, const Lanes& b) {
    const Lanes less = (Lanes)((SignedLanes)a < (SignedLanes)b);
    return (a & less) | (b & ~less);
}

// The smallest of the lanes, in every lane.
VARENDO_INLINE Lanes min_all(const Lanes& v) {
    const Lanes m = min(v, swap_lanes<4>(v));
    const Lanes n = min(m, swap_lanes<2>(m));
    return min(n, swap_lanes<1>(n));
}

// False when every digit has one pattern left everywhere: the board is then solved.
VARENDO_INLINE bool choose_branch(const Board& s, Branch& out) {
    // Per digit, the patterns open in band b (bits 8b..8b+7) and in stack k (likewise).
    const Lanes per_band =
        band_patterns(s.low[0]) | band_patterns(s.low[1]) << 8 | band_patterns(s.low[2]) << 16;
    const Lanes per_stack = stack_patterns(minor_lines_of(s.low[0]), minor_lines_of(s.low[1]),
                                           minor_lines_of(s.low[2]));
    const Lanes ninth_bands = band_patterns(s.ninth) << Lanes{0, 8, 16, 0, 0, 0, 0, 0};
    const Word band_ninth = ninth_bands[0] | ninth_bands[1] | ninth_bands[2];
    const Lanes m = minor_lines_of(s.ninth);
    const Word stack_ninth = stack_patterns(m, next_band(m), band_after_next(m))[0];
    const Word band_totals = sum_all(per_band)[0] + band_ninth;
    const Word stack_totals = sum_all(per_stack)[0] + stack_ninth;

    // Nine patterns in all means one per digit.
    int best = -1;
    Word best_total = 0;
    for (int i = 0; i < 6; ++i) {
        const Word total = ((i < 3 ? band_totals : stack_totals) >> (8 * (i % 3))) & 0xFF;
        if (total > 9 && (best < 0 || total < best_total)) {
            best = i;
            best_total = total;
        }
    }
    if (best < 0) return false;
    out.stack = best >= 3;
    out.index = best % 3;
    // The digit with the fewest patterns, at least two, the lowest on ties: the smallest key.
    const int shift = 8 * out.index;
    const Lanes n = ((out.stack ? per_stack : per_band) >> shift) & 0xFF;
    const Lanes keys = (n << 4 | kLaneIndex) | (zero_mask(n >> 1) & 0xFFFF);
    const Word n9 = ((out.stack ? stack_ninth : band_ninth) >> shift) & 0xFF;
    const Word key9 = n9 >= 2 ? n9 << 4 | 8 : 0xFFFF;
    out.digit = static_cast<int>(std::min(Word{min_all(keys)[0]}, key9) & 15);
    out.patterns = open_patterns(out.stack ? stack_segments(s, out.index, out.digit)
                                           : segments_of(get(s, out.index, out.digit)));
    return true;
}

// Keeps only pattern p of the branch's digit in its band or stack.
VARENDO_INLINE void take_pattern(Board& s, const Branch& br, int p) {
    if (!br.stack) {
        Word keep = 0;
        for (int i = 0; i < 3; ++i) keep |= Word{7} << (9 * i + 3 * kPatterns[p][i]);
        set(s, br.index, br.digit, get(s, br.index, br.digit) & keep);
        return;
    }
    for (int b = 0; b < 3; ++b) {
        const Word drop =
            (Word{7} << (3 * br.index)) & ~(Word{1} << (3 * br.index + kPatterns[p][b]));
        set(s, b, br.digit, get(s, b, br.digit) & ~(drop | drop << 9 | drop << 18));
    }
}

}  // namespace varendo::search
