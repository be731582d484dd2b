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

// A band's segments as bits of one word: the line segment of line i in box k at its segment
// bit 9i + 3k, the minor segment of minor line 3k + c at bit 9c + 3k + 1.
constexpr Word kMinorSegments = kSegments << 1;

// Minor-line bits (bit 3k + c) moved to their minor-segment bits, and back.
VARENDO_INLINE Lanes to_minor_segments(const Lanes& m) {
    return ((m & 0x49) << 1) | ((m & 0x92) << 9) | ((m & 0x124) << 17);
}
VARENDO_INLINE Lanes from_minor_segments(const Lanes& x) {
    return ((x >> 1) & 0x49) | ((x >> 9) & 0x92) | ((x >> 17) & 0x124);
}

// Per digit, the segments of a band it can reach, and those it needs: the only one of its
// line, or the only one of its box on a minor line.
struct SegmentUse {
    Lanes open;
    Lanes needed;
};

// x holds three groups of three bits, `stride` apart, each starting at a bit of `lowest` and
// none of them empty: the groups holding two bits or more, as their first bit.
VARENDO_INLINE Lanes crowded_groups(const Lanes& x, Word lowest, int stride) {
    const Lanes more = x & (x - lowest);  // each group less its lowest bit
    return (more | more >> stride | more >> (2 * stride)) & lowest;
}

VARENDO_INLINE SegmentUse segment_use(const Lanes& w) {
    // Past the band patterns a digit has a cell in every line and box of the band, or none
    // at all; an empty word makes the search give up on the board anyway.
    const Lanes line = segments_of(w);
    const Lanes crowded_lines = crowded_groups(line, kMinorLine, 3);
    const Lanes minor = minor_lines_of(w);
    const Lanes crowded_stacks = crowded_groups(minor, 0x49, 1);
    const Lanes lone_minor = minor & ~((crowded_stacks << 3) - crowded_stacks);
    return {line | to_minor_segments(minor),
            (line & ~((crowded_lines << 9) - crowded_lines)) | to_minor_segments(lone_minor)};
}

// Per bit, whether at least one, two, three and four of the nine digits have it.
struct DigitCount {
    Lanes one;
    Lanes two;
    Lanes three;
    Lanes four;
};

// Digits 1..8 in the lanes of x, digit 9 in ninth; the counts end up in every lane.
VARENDO_INLINE DigitCount count_four(const Lanes& x, Word ninth) {
    const Lanes pair = swap_lanes<4>(x);
    DigitCount c{x | pair, x & pair, Lanes{}, Lanes{}};
    {
        const Lanes one = swap_lanes<2>(c.one);
        const Lanes two = swap_lanes<2>(c.two);
        c = {c.one | one, c.two | two | (c.one & one), (c.two & one) | (c.one & two), c.two & two};
    }
    {
        const DigitCount o{swap_lanes<1>(c.one), swap_lanes<1>(c.two), swap_lanes<1>(c.three),
                           swap_lanes<1>(c.four)};
        c = {c.one | o.one, c.two | o.two | (c.one & o.one),
             c.three | o.three | (c.two & o.one) | (c.one & o.two),
             c.four | o.four | (c.three & o.one) | (c.two & o.two) | (c.one & o.three)};
    }
    return {c.one | ninth, c.two | (c.one & ninth), c.three | (c.two & ninth),
            c.four | (c.three & ninth)};
}

// What the counts decide for a band: the segments exactly three digits can reach (those
// three need them) and those exactly three digits need (closed to the rest).
struct SegmentRule {
    Lanes needed_by_all;
    Lanes full;
};

// The cells of one digit's band left once it takes the segments it must and leaves those it
// cannot have.
VARENDO_INLINE Lanes apply_rule(const Lanes& w, const SegmentUse& u, const SegmentRule& r) {
    const Lanes must = u.open & r.needed_by_all & kSegments;
    Lanes lines{};
    for (int i = 0; i < 3; ++i) lines |= ~zero_mask(must & (0x49 << (9 * i))) & (kLine << (9 * i));
    const Lanes boxes = (must | must >> 9 | must >> 18) & 0x49;
    const Lanes must_cells = must | must << 1 | must << 2;
    Lanes x = w & (~(lines | on_minor_lines(boxes | boxes << 1 | boxes << 2)) | must_cells);
    const Lanes cannot = r.full & ~u.needed;
    const Lanes cannot_line = cannot & kSegments;
    x &= ~(cannot_line | cannot_line << 1 | cannot_line << 2);

    const Lanes must_minor = from_minor_segments(u.open & r.needed_by_all);
    const Lanes stacks = (must_minor | must_minor >> 1 | must_minor >> 2) & 0x49;
    x &= ~on_minor_lines((stacks | stacks << 1 | stacks << 2) & ~must_minor);
    return x & ~on_minor_lines(from_minor_segments(cannot));
}

// Applies the segment counts to every band. Changed, Stable or Dead as for a pass.
VARENDO_INLINE Pass count_segments(Board& s) {
    const SegmentUse ninth = segment_use(s.ninth);
    SegmentUse uses[3];
    SegmentRule rules[3];
    Lanes dead{};
    Lanes decided{};
    for (int b = 0; b < 3; ++b) {
        uses[b] = segment_use(s.low[b]);
        const DigitCount open = count_four(uses[b].open, ninth.open[b]);
        const DigitCount needed = count_four(uses[b].needed, ninth.needed[b]);
        dead |= ((kSegments | kMinorSegments) & ~open.three) | needed.four;
        rules[b] = {open.three & ~open.four, needed.three & ~needed.four};
        // A segment three digits reach and three need is settled already.
        decided |= rules[b].needed_by_all ^ rules[b].full;
    }
    if (any(dead)) return Pass::Dead;
    if (!any(decided)) return Pass::Stable;

    Board t;
    for (int b = 0; b < 3; ++b) t.low[b] = apply_rule(s.low[b], uses[b], rules[b]);
    const SegmentRule ninth_rule = {
        by_band(rules[0].needed_by_all, rules[1].needed_by_all, rules[2].needed_by_all),
        by_band(rules[0].full, rules[1].full, rules[2].full)};
    t.ninth = apply_rule(s.ninth, ninth, ninth_rule);
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
