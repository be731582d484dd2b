#pragma once

// Bit work of the complete search. A band of three major lines is one 27-bit word per digit,
// cell 9i + j of the band at bit 9i + j: line i, minor line j, box j / 3. Words sit in the
// eight lanes of a vector: for each band, digits 1..8 in lanes 0..7 of one vector, and digit
// 9 of all three bands in lanes 0..2 of a fourth. Each step below works on every lane alone,
// so it serves both kinds of vector.
//
// Everything here is always inlined, even unoptimised, so that each build of the search made
// for a different instruction set gets its own copy.

#include <cstdint>

namespace varendo::search {

using Word = std::uint32_t;
using Lanes = Word __attribute__((vector_size(32)));
using SignedLanes = std::int32_t __attribute__((vector_size(32)));

#define VARENDO_INLINE [[gnu::always_inline]] inline

constexpr Word kBand = (Word{1} << 27) - 1;
constexpr Word kLine = 0x1FF;         // major line 0 of a band
constexpr Word kBox = 0x1C0E07;       // box 0 of a band
constexpr Word kMinorLine = 0x40201;  // minor line 0 within a band
// The first cell of each segment (the three cells a line shares with a box): bit 9i + 3k
// stands for the segment of line i in box k.
constexpr Word kSegments = 0x1249249;

// All ones in the lanes that are 0, for lanes below 2^31: taken from the sign, since a vector
// compare is lowered lane by lane where the vector is wider than the processor's.
VARENDO_INLINE Lanes zero_mask(const Lanes& v) { return (Lanes)((SignedLanes)(v - 1) >> 31); }

// Whether any lane has a bit set.
VARENDO_INLINE bool any(const Lanes& v) {
    const Lanes folded = v | __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3);
    return (folded[0] | folded[1] | folded[2] | folded[3]) != 0;
}

// Each lane swapped with lane ^ K, for folding all lanes into each in three steps.
template <int K>
VARENDO_INLINE Lanes swap_lanes(const Lanes& v) {
    return __builtin_shufflevector(v, v, 0 ^ K, 1 ^ K, 2 ^ K, 3 ^ K, 4 ^ K, 5 ^ K, 6 ^ K, 7 ^ K);
}

// In every lane, the sum of all lanes.
VARENDO_INLINE Lanes sum_all(const Lanes& v) {
    Lanes sum = v + swap_lanes<4>(v);
    sum += swap_lanes<2>(sum);
    return sum + swap_lanes<1>(sum);
}

// The segments of a band that hold at least one cell of w, as segment bits.
VARENDO_INLINE Lanes segments_of(const Lanes& w) { return (w | w >> 1 | w >> 2) & kSegments; }

// Segment bits moved so that line i shows line i + 1 or i + 2, and box k box k + 1 or k + 2.
VARENDO_INLINE Lanes next_line(const Lanes& s) { return ((s >> 9) | (s << 18)) & kSegments; }
VARENDO_INLINE Lanes line_after_next(const Lanes& s) { return ((s >> 18) | (s << 9)) & kSegments; }
VARENDO_INLINE Lanes next_box(const Lanes& s) {
    return ((s >> 3) & 0x241209) | ((s << 6) & 0x1008040);
}
VARENDO_INLINE Lanes box_after_next(const Lanes& s) {
    return ((s >> 6) & kMinorLine) | ((s << 3) & 0x1209048);
}

// A digit takes one segment in each line and each box of a band: one of six patterns. For a
// segment held, the other two lines must then take the other two boxes, in one of two
// orders; `straight` and `crossed` tell for each segment whether each order is open.
struct SegmentPairs {
    Lanes held;
    Lanes straight;
    Lanes crossed;
};

VARENDO_INLINE SegmentPairs segment_pairs(const Lanes& w) {
    const Lanes s = segments_of(w);
    const Lanes box1 = next_box(s);
    const Lanes box2 = box_after_next(s);
    return {s, next_line(box1) & line_after_next(box2), next_line(box2) & line_after_next(box1)};
}

// The cells of w that lie in a pattern of the digit open in its band; 0 when none is open.
VARENDO_INLINE Lanes close_band(const Lanes& w) {
    const SegmentPairs p = segment_pairs(w);
    const Lanes open = p.held & (p.straight | p.crossed);
    return w & (open | open << 1 | open << 2);
}

// The minor lines of a band that hold at least one cell of w, as bits 0..8.
VARENDO_INLINE Lanes minor_lines_of(const Lanes& w) { return (w | w >> 9 | w >> 18) & kLine; }

// Minor-line bits moved so that each shows the next, or the one after, of its stack.
VARENDO_INLINE Lanes next_minor(const Lanes& m) { return ((m >> 1) & 0xDB) | ((m << 2) & 0x124); }
VARENDO_INLINE Lanes minor_after_next(const Lanes& m) {
    return ((m >> 2) & 0x49) | ((m << 1) & 0x1B6);
}

// Across the three bands, a digit takes one minor line of each stack in each band. Of a
// band's minor lines, those the other two bands (minor lines m1, m2) complete in one order
// or the other.
VARENDO_INLINE Lanes stack_straight(const Lanes& m1, const Lanes& m2) {
    return next_minor(m1) & minor_after_next(m2);
}
VARENDO_INLINE Lanes stack_crossed(const Lanes& m1, const Lanes& m2) {
    return minor_after_next(m1) & next_minor(m2);
}

// The cells on the given minor lines, in every major line of a band.
VARENDO_INLINE Lanes on_minor_lines(const Lanes& m) { return m | m << 9 | m << 18; }

// The cells of w alone in the given unit of the band.
VARENDO_INLINE Lanes alone_in(const Lanes& w, Word unit) {
    const Lanes x = w & unit;
    return x & zero_mask(x & (x - 1));
}

}  // namespace varendo::search
