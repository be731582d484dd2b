#pragma once

// The candidates of the complete search and the cheap rules that narrow them, all digits at
// once.

#include "solver/search_lanes.h"

namespace varendo::search {

// For band b, lane d of low[b] holds the cells that may still hold digit d + 1; lane b of
// ninth those that may hold 9 (its lanes 3..7 stay 0). A cell known to hold a digit keeps
// only that digit.
struct Board {
    Lanes low[3];
    Lanes ninth;
};

constexpr Lanes kBandLanes = {~Word{0}, ~Word{0}, ~Word{0}, 0, 0, 0, 0, 0};

VARENDO_INLINE Word get(const Board& s, int band, int digit) {
    return digit < 8 ? s.low[band][digit] : s.ninth[band];
}
VARENDO_INLINE void set(Board& s, int band, int digit, Word w) {
    if (digit < 8) {
        s.low[band][digit] = w;
    } else {
        s.ninth[band] = w;
    }
}

// Digit 9's lanes moved so that band b's lane shows band b + 1, or b + 2.
VARENDO_INLINE Lanes next_band(const Lanes& v) {
    return __builtin_shufflevector(v, v, 1, 2, 0, 3, 4, 5, 6, 7);
}
VARENDO_INLINE Lanes band_after_next(const Lanes& v) {
    return __builtin_shufflevector(v, v, 2, 0, 1, 3, 4, 5, 6, 7);
}

// Lane b of each of a, b, c: the per-band values of digits 1..8 (the same in every lane)
// gathered for digit 9. Lanes 3..7 are left undefined; digit 9 has no cells there.
VARENDO_INLINE Lanes by_band(const Lanes& a, const Lanes& b, const Lanes& c) {
    const Lanes ab = __builtin_shufflevector(a, b, 0, 9, 2, 3, 4, 5, 6, 7);
    return __builtin_shufflevector(ab, c, 0, 1, 10, 3, 4, 5, 6, 7);
}

// Each digit's cells narrowed to the patterns still open in its stacks, given its minor
// lines in the other two bands.
VARENDO_INLINE Lanes close_stack(const Lanes& w, const Lanes& m1, const Lanes& m2) {
    return w & on_minor_lines(stack_straight(m1, m2) | stack_crossed(m1, m2));
}

VARENDO_INLINE void close_stacks(Board& s) {
    const Lanes m0 = minor_lines_of(s.low[0]);
    const Lanes m1 = minor_lines_of(s.low[1]);
    const Lanes m2 = minor_lines_of(s.low[2]);
    s.low[0] = close_stack(s.low[0], m1, m2);
    s.low[1] = close_stack(s.low[1], m2, m0);
    s.low[2] = close_stack(s.low[2], m0, m1);
    const Lanes m = minor_lines_of(s.ninth);
    s.ninth = close_stack(s.ninth, next_band(m), band_after_next(m));
}

// Per minor line, whether a digit has at least one and at least two cells on it.
struct MinorCount {
    Lanes once;
    Lanes twice;
};

VARENDO_INLINE MinorCount count_in_band(const Lanes& w) {
    const Lanes l0 = w & kLine;
    const Lanes l1 = (w >> 9) & kLine;
    const Lanes l2 = w >> 18;
    return {l0 | l1 | l2, (l0 & l1) | (l2 & (l0 | l1))};
}

VARENDO_INLINE MinorCount add(const MinorCount& a, const MinorCount& b) {
    return {a.once | b.once, a.twice | b.twice | (a.once & b.once)};
}

// Over the whole grid: for digits 1..8 from the three vectors, for digit 9 across its lanes.
VARENDO_INLINE MinorCount count_minor_lines(const Lanes (&low)[3]) {
    return add(add(count_in_band(low[0]), count_in_band(low[1])), count_in_band(low[2]));
}
VARENDO_INLINE MinorCount count_minor_lines(const Lanes& ninth) {
    const MinorCount c = count_in_band(ninth);
    return add(add(c, {next_band(c.once), next_band(c.twice)}),
               {band_after_next(c.once), band_after_next(c.twice)});
}

// The cells of w with no other place for their digit in their line or minor line (lone: the
// cells on minor lines where the digit has one cell left). A cell alone in its box needs no
// test of its own: the band patterns that ran before left it alone in its line.
VARENDO_INLINE Lanes alone_cells(const Lanes& w, const Lanes& lone) {
    Lanes a = w & lone;
    for (int i = 0; i < 3; ++i) a |= alone_in(w, kLine << (9 * i));
    return a;
}

VARENDO_INLINE Lanes lone_cells(const MinorCount& c) { return on_minor_lines(c.once & ~c.twice); }

// Whether a digit's cells in `own` (its givens) share a line, box or minor line. The search
// would find out too, but on a nearly empty grid only after a long time.
VARENDO_INLINE bool repeats(const Board& own) {
    Lanes bad = count_minor_lines(own.low).twice | count_minor_lines(own.ninth).twice;
    const Lanes* const words[] = {&own.low[0], &own.low[1], &own.low[2], &own.ninth};
    for (const Lanes* w : words) {
        for (int i = 0; i < 3; ++i) {
            const Lanes line = *w & (kLine << (9 * i));
            const Lanes box = *w & (kBox << (3 * i));
            bad |= (line & (line - 1)) | (box & (box - 1));
        }
    }
    return any(bad);
}

// Per cell, whether at least one and at least two digits have it, in every lane.
struct CellCount {
    Lanes once;
    Lanes twice;
};

template <int K>
VARENDO_INLINE void fold(CellCount& c) {
    const Lanes other = swap_lanes<K>(c.once);
    c.twice |= swap_lanes<K>(c.twice) | (c.once & other);
    c.once |= other;
}

// In every lane: the OR of all lanes and of word.
VARENDO_INLINE Lanes or_all(const Lanes& v, Word word) {
    const Lanes x = v | swap_lanes<4>(v);
    const Lanes y = x | swap_lanes<2>(x);
    return y | swap_lanes<1>(y) | word;
}

// Digits 1..8 in the lanes of low, digit 9 in ninth.
VARENDO_INLINE CellCount count_digits(const Lanes& low, Word ninth) {
    CellCount c{low, Lanes{}};
    fold<4>(c);
    fold<2>(c);
    fold<1>(c);
    c.twice |= c.once & ninth;
    c.once |= ninth;
    return c;
}

// A band's candidates once the placed cells hold their digits: other digits leave the cells
// a digit was found alone in (taken), and each placed cell's line loses the digit elsewhere.
// The patterns of the next pass clear its box and minor line.
VARENDO_INLINE Lanes settle(const Lanes& w, const Lanes& alone, const Lanes& placed,
                            const Lanes& taken) {
    Lanes x = w & (~taken | alone);
    for (int i = 0; i < 3; ++i) {
        const Word line = kLine << (9 * i);
        x &= ~line | zero_mask(placed & line) | placed;
    }
    return x;
}

enum class Pass { Changed, Stable, Dead };

// One round of the cheap rules on every digit.
VARENDO_INLINE Pass run_pass(Board& s) {
    Board t = {{close_band(s.low[0]), close_band(s.low[1]), close_band(s.low[2])},
               close_band(s.ninth)};
    // Band patterns give the same result when applied twice, so if nothing after them changes
    // a cell, the next pass would change nothing either.
    const Board banded = t;
    close_stacks(t);
    Lanes dead = zero_mask(t.low[0]) | zero_mask(t.low[1]) | zero_mask(t.low[2]) |
                 (zero_mask(t.ninth) & kBandLanes);

    const Lanes lone = lone_cells(count_minor_lines(t.low));
    const Lanes alone_ninth = alone_cells(t.ninth, lone_cells(count_minor_lines(t.ninth)));
    CellCount candidates[3];
    Lanes taken[3];
    for (int b = 0; b < 3; ++b) {
        const Lanes alone = alone_cells(t.low[b], lone);
        // Per cell, over all digits: its candidates, and whether a digit was found alone there.
        candidates[b] = count_digits(t.low[b], t.ninth[b]);
        taken[b] = or_all(alone, alone_ninth[b]);
        dead |= candidates[b].once ^ kBand;
        const Lanes placed = alone | (t.low[b] & ~candidates[b].twice);
        t.low[b] = settle(t.low[b], alone, placed, taken[b]);
    }
    const Lanes twice_ninth =
        by_band(candidates[0].twice, candidates[1].twice, candidates[2].twice);
    const Lanes placed_ninth = alone_ninth | (t.ninth & ~twice_ninth);
    const Lanes taken_ninth = by_band(taken[0], taken[1], taken[2]);
    t.ninth = settle(t.ninth, alone_ninth, placed_ninth, taken_ninth);
    if (any(dead)) return Pass::Dead;

    Lanes change = t.ninth ^ banded.ninth;
    for (int b = 0; b < 3; ++b) change |= t.low[b] ^ banded.low[b];
    s = t;
    return any(change) ? Pass::Changed : Pass::Stable;
}

}  // namespace varendo::search
