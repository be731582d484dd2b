#pragma once

// The segments of a band: the three cells a line shares with a box ("line segments") and
// the three a minor line shares with a box ("minor segments"). Each holds exactly three
// digits. A segment fewer than three digits can reach, or more than three digits need, leaves
// no solution; one exactly three can reach needs those three, and one three need is closed
// to the rest. The search counts segments once the cheaper rules come to rest: patterns alone
// would let it give four digits the same three cells, and on a nearly empty grid it would
// take very long to find out.

#include "solver/search_board.h"

namespace varendo::search {

// Of x, the bits alone in their group (groups: `group`, shifted by `step` and 2 * `step`).
VARENDO_INLINE Lanes lone_bits(const Lanes& x, Word group, int step) {
    Lanes lone{};
    for (int i = 0; i < 3; ++i) {
        const Lanes y = x & (group << (step * i));
        lone |= y & zero_mask(y & (y - 1));
    }
    return lone;
}

// The segments of one band per digit: line segments as segment bits, minor segments as
// minor-line bits; those a digit can reach and those it needs (the only one of its line,
// or of its box).
struct SegmentUse {
    Lanes line_open;
    Lanes line_needed;
    Lanes minor_open;
    Lanes minor_needed;
};

VARENDO_INLINE SegmentUse segment_use(const Lanes& w) {
    const Lanes s = segments_of(w);
    const Lanes m = minor_lines_of(w);
    return {s, lone_bits(s, 0x49, 9), m, lone_bits(m, 7, 3)};
}

// Bits 0, 3, 6 (a line's segments) or 0, 1, 2 (a stack's minor lines) moved to bits 0, 4, 8,
// so that sums over the digits (up to nine) get four bits each.
VARENDO_INLINE Lanes spread_line(const Lanes& x) { return ((x & 0x49) * 7) & 0x111; }
VARENDO_INLINE Lanes spread_stack(const Lanes& x) { return ((x & 7) * 0x49) & 0x111; }
VARENDO_INLINE Word gather_line(Word y) { return (y & 1) | ((y >> 1) & 8) | ((y >> 2) & 64); }
VARENDO_INLINE Word gather_stack(Word y) { return (y & 1) | ((y >> 3) & 2) | ((y >> 6) & 4); }

// The 18 segments of a band as 4-bit fields in three words.
struct Packed {
    Lanes part[3];
};

VARENDO_INLINE Packed pack(const Lanes& line, const Lanes& minor) {
    return {{spread_line(line) | spread_line(line >> 9) << 12,
             spread_line(line >> 18) | spread_stack(minor) << 12,
             spread_stack(minor >> 3) | spread_stack(minor >> 6) << 12}};
}

// Segments of one band, as segment bits and minor-line bits.
struct SegmentSet {
    Word line = 0;
    Word minor = 0;
};

VARENDO_INLINE SegmentSet unpack(const Word (&flags)[3]) {
    const auto line = [](Word y) { return gather_line(y & 0x111); };
    const auto minor = [](Word y) { return gather_stack(y & 0x111); };
    return {line(flags[0]) | line(flags[0] >> 12) << 9 | line(flags[1]) << 18,
            minor(flags[1] >> 12) | minor(flags[2]) << 3 | minor(flags[2] >> 12) << 6};
}

// What the counts of one band decide: segments three digits can reach (they need it) and
// segments three digits need (closed to the rest).
struct SegmentRule {
    SegmentSet needed_by_all;
    SegmentSet full;
};

// The cells of one digit's band left once it takes the segments it must and leaves those
// it cannot have. Each Lanes argument but w and u holds the set of the lane's band.
VARENDO_INLINE Lanes apply_rule(const Lanes& w, const SegmentUse& u, const Lanes& all_line,
                                const Lanes& all_minor, const Lanes& full_line,
                                const Lanes& full_minor) {
    const Lanes must = u.line_open & all_line;
    Lanes lines{};
    for (int i = 0; i < 3; ++i) lines |= ~zero_mask(must & (0x49 << (9 * i))) & (kLine << (9 * i));
    const Lanes boxes = (must | must >> 9 | must >> 18) & 0x49;
    const Lanes must_cells = must | must << 1 | must << 2;
    Lanes x = w & (~(lines | on_minor_lines(boxes | boxes << 1 | boxes << 2)) | must_cells);
    const Lanes cannot = full_line & ~u.line_needed;
    x &= ~(cannot | cannot << 1 | cannot << 2);

    const Lanes must_minor = u.minor_open & all_minor;
    const Lanes stacks = (must_minor | must_minor >> 1 | must_minor >> 2) & 0x49;
    x &= ~on_minor_lines((stacks | stacks << 1 | stacks << 2) & ~must_minor);
    return x & ~on_minor_lines(full_minor & ~u.minor_needed);
}

// Applies the segment counts to every band. Changed, Stable or Dead as for a pass.
VARENDO_INLINE Pass count_segments(Board& s) {
    const SegmentUse ninth = segment_use(s.ninth);
    const Packed ninth_open = pack(ninth.line_open, ninth.minor_open);
    const Packed ninth_needed = pack(ninth.line_needed, ninth.minor_needed);
    SegmentUse uses[3];
    SegmentRule rules[3];
    Word dead = 0;
    Word decided = 0;
    for (int b = 0; b < 3; ++b) {
        uses[b] = segment_use(s.low[b]);
        const Packed open = pack(uses[b].line_open, uses[b].minor_open);
        const Packed needed = pack(uses[b].line_needed, uses[b].minor_needed);
        Word three_open[3];
        Word three_needed[3];
        for (int k = 0; k < 3; ++k) {
            const Word reach = sum_all(open.part[k])[0] + ninth_open.part[k][b];
            const Word need = sum_all(needed.part[k])[0] + ninth_needed.part[k][b];
            // Field by field: bit 3 of v + 5 tells v >= 3, of v + 4 tells v >= 4 (v <= 9).
            const Word reach3 = (reach + 0x555555) >> 3;
            const Word reach4 = (reach + 0x444444) >> 3;
            const Word need3 = (need + 0x555555) >> 3;
            const Word need4 = (need + 0x444444) >> 3;
            dead |= (~reach3 | need4) & 0x111111;
            three_open[k] = reach3 & ~reach4;
            three_needed[k] = need3 & ~need4;
        }
        rules[b] = {unpack(three_open), unpack(three_needed)};
        decided |= rules[b].needed_by_all.line | rules[b].needed_by_all.minor | rules[b].full.line |
                   rules[b].full.minor;
    }
    if (dead != 0) return Pass::Dead;
    if (decided == 0) return Pass::Stable;

    Board t;
    Lanes all_line{};
    Lanes all_minor{};
    Lanes full_line{};
    Lanes full_minor{};
    for (int b = 0; b < 3; ++b) {
        const SegmentRule& r = rules[b];
        t.low[b] = apply_rule(s.low[b], uses[b], Lanes{} + r.needed_by_all.line,
                              Lanes{} + r.needed_by_all.minor, Lanes{} + r.full.line,
                              Lanes{} + r.full.minor);
        all_line[b] = r.needed_by_all.line;
        all_minor[b] = r.needed_by_all.minor;
        full_line[b] = r.full.line;
        full_minor[b] = r.full.minor;
    }
    t.ninth = apply_rule(s.ninth, ninth, all_line, all_minor, full_line, full_minor);
    Lanes change = t.ninth ^ s.ninth;
    for (int b = 0; b < 3; ++b) change |= t.low[b] ^ s.low[b];
    s = t;
    return any(change) ? Pass::Changed : Pass::Stable;
}

// Runs passes until nothing changes, then the segment counts, until neither changes anything.
// False when the board has no solution.
VARENDO_INLINE bool propagate(Board& s) {
    for (;;) {
        Pass p = run_pass(s);
        if (p == Pass::Stable) p = count_segments(s);
        if (p != Pass::Changed) return p == Pass::Stable;
    }
}

}  // namespace varendo::search
