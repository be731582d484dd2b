#include <algorithm>
#include <bit>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

constexpr int kRatings[5] = {0, 0, 32, 38, 52};
constexpr int kFinnedRatings[5] = {0, 0, 43, 47, 56};
constexpr Technique kBasicFish[5] = {Technique::XWing, Technique::XWing, Technique::XWing, Technique::Swordfish,
                                     Technique::Jellyfish};
constexpr Technique kFinnedFish[5] = {Technique::FinnedXWing, Technique::FinnedXWing, Technique::FinnedXWing,
                                      Technique::FinnedSwordfish, Technique::FinnedJellyfish};

// Records the base and cover lines and the fish's cells; the digit leaves the cover cells
// outside the base lines, or only those in `fin_box` when it is a box (0..8).
void lay_out(const CandidateGrid& grid, Step& step, int base_kind, unsigned bases, int cover_kind, unsigned covers,
             int digit, int fin_box) {
    for (int i = 0; i < 9; ++i) {
        if (bases & (1u << i)) step.base.push_back(static_cast<std::uint8_t>(base_kind + i));
        if (!(covers & (1u << i))) continue;
        step.cover.push_back(static_cast<std::uint8_t>(cover_kind + i));
        for (int j = 0; j < 9; ++j) {
            const int cell = house_cells(cover_kind + i)[j];
            if (!grid.has(cell, digit)) continue;
            if (bases & (1u << j))
                step.cells.push_back(static_cast<std::uint8_t>(cell));
            else if (fin_box < 0 || box_index_of(cell) == fin_box)
                step.eliminations.push_back(candidate(cell, digit));
        }
    }
    step.houses = step.base;
}

// The box of a line's position (0..8) on a line of kind `kind` (rows or columns).
constexpr int box_on_line(int kind, int line, int position) {
    return kind == kRowHouse ? line / 3 * 3 + position / 3 : position / 3 * 3 + line / 3;
}

// Whether the digit has a place on the cover lines outside the base lines (only in `fin_box`
// when it is a box): the test lay_out makes, from the masks alone.
bool strikes(const CandidateGrid& grid, int cover_kind, unsigned covers, unsigned bases, int digit, int fin_box) {
    for (unsigned rest = covers; rest != 0; rest &= rest - 1) {
        const int line = std::countr_zero(rest);
        for (unsigned off = grid.positions(cover_kind + line, digit) & ~bases; off != 0; off &= off - 1)
            if (fin_box < 0 || box_on_line(cover_kind, line, std::countr_zero(off)) == fin_box) return true;
    }
    return false;
}

// Each digit's places on the lines of one kind, and the lines where it has at least
// `least` places, worked out once for the scan of every set of base lines.
struct LinePlaces {
    unsigned places[10][9];
    unsigned lines[10] = {};
    unsigned any_lines = 0;  // the lines that suit some digit

    LinePlaces(const CandidateGrid& grid, int kind, int least) {
        for (int digit = 1; digit <= 9; ++digit)
            for (int i = 0; i < 9; ++i) {
                places[digit][i] = grid.positions(kind + i, digit);
                if (mask_count(places[digit][i]) >= least) lines[digit] |= 1u << i;
            }
        for (int digit = 1; digit <= 9; ++digit) any_lines |= lines[digit];
    }
};

bool scan(const CandidateGrid& grid, int degree, int base_kind, int cover_kind, const StepSink& sink) {
    const LinePlaces table(grid, base_kind, 2);
    return for_each_combination_in(degree, table.any_lines, [&](unsigned bases) {
        for (int digit = 1; digit <= 9; ++digit) {
            if ((bases & ~table.lines[digit]) != 0) continue;
            unsigned covers = 0;
            for (unsigned rest = bases; rest != 0; rest &= rest - 1)
                covers |= table.places[digit][std::countr_zero(rest)];
            if (mask_count(covers) != degree || !strikes(grid, cover_kind, covers, bases, digit, -1)) continue;
            Step step;
            step.technique = kBasicFish[degree];
            step.rating = kRatings[degree];
            step.digits = digit_bit(digit);
            step.size = degree;
            lay_out(grid, step, base_kind, bases, cover_kind, covers, digit, -1);
            if (!step.eliminations.empty() && !sink(std::move(step))) return false;
        }
        return true;
    });
}

bool scan_finned(const CandidateGrid& grid, int degree, int base_kind, int cover_kind, const StepSink& sink) {
    const LinePlaces table(grid, base_kind, 1);
    return for_each_combination_in(degree, table.any_lines, [&](unsigned bases) {
        for (int digit = 1; digit <= 9; ++digit) {
            if ((bases & ~table.lines[digit]) != 0) continue;
            unsigned places[9] = {};
            unsigned all = 0;
            for (unsigned rest = bases; rest != 0; rest &= rest - 1) {
                const int i = std::countr_zero(rest);
                places[i] = table.places[digit][i];
                all |= places[i];
            }
            if (mask_count(all) <= degree) continue;
            // The covers hold every place outside the fins' third of the lines: only those sets of
            // covers are tried, in increasing order as the full enumeration meets them.
            unsigned cover_sets[3 * 84];
            int cover_count = 0;
            for (unsigned third : {0x7u, 0x38u, 0x1C0u}) {
                const unsigned needed = all & ~third;
                const int more = degree - mask_count(needed);
                if (more < 0) continue;
                if (more == 0) {
                    cover_sets[cover_count++] = needed;
                    continue;
                }
                const unsigned spare = 0x1FFu & ~needed;
                for_each_combination(more, mask_count(spare), [&](unsigned picks) {
                    unsigned covers = needed;
                    int k = 0;
                    for (unsigned rest = spare; rest != 0; rest &= rest - 1, ++k)
                        if (picks & (1u << k)) covers |= rest & -rest;
                    cover_sets[cover_count++] = covers;
                    return true;
                });
            }
            std::sort(cover_sets, cover_sets + cover_count);
            cover_count = static_cast<int>(std::unique(cover_sets, cover_sets + cover_count) - cover_sets);
            const bool go_on = std::all_of(cover_sets, cover_sets + cover_count, [&](unsigned covers) {
                const unsigned fin_places = all & ~covers;
                if (fin_places == 0 || (all & covers) == 0) return true;
                // The covers hold every place outside one third of the lines, so the fins lie in it.
                const int third = (fin_places & 0x7) == fin_places ? 0 : (fin_places & 0x38) == fin_places ? 1 : 2;
                // The fins, all in one box: found from the masks before any step is made.
                unsigned boxes = 0;
                for (unsigned rest = bases; rest != 0; rest &= rest - 1) {
                    const int i = std::countr_zero(rest);
                    if (places[i] & fin_places) boxes |= 1u << box_on_line(base_kind, i, 3 * third);
                }
                if (mask_count(boxes) != 1) return true;
                const int fin_box = std::countr_zero(boxes);
                if (!strikes(grid, cover_kind, covers, bases, digit, fin_box)) return true;
                Step step;
                lay_out(grid, step, base_kind, bases, cover_kind, covers, digit, fin_box);
                for (int i = 0; i < 9; ++i)
                    for (int j = 0; j < 9; ++j)
                        if (places[i] & fin_places & (1u << j))
                            step.fins.push_back({house_cells(base_kind + i)[j], static_cast<std::uint8_t>(digit)});
                step.technique = kFinnedFish[degree];
                step.rating = kFinnedRatings[degree];
                step.digits = digit_bit(digit);
                step.size = degree;
                return sink(std::move(step));
            });
            if (!go_on) return false;
        }
        return true;
    });
}

}  // namespace

bool find_finned_fish(const CandidateGrid& grid, int degree, const StepSink& sink) {
    return scan_finned(grid, degree, kRowHouse, kColumnHouse, sink) &&
           scan_finned(grid, degree, kColumnHouse, kRowHouse, sink);
}

bool find_fish(const CandidateGrid& grid, int degree, const StepSink& sink) {
    return scan(grid, degree, kColumnHouse, kRowHouse, sink) && scan(grid, degree, kRowHouse, kColumnHouse, sink);
}

StepSink explainer_fish(const CandidateGrid& grid, int degree, const StepSink& sink) {
    return [&grid, degree, &sink](Step&& step) {
        int placed = 0;
        for (int c = 0; c < 81; ++c) placed += grid.digit(c) != 0 && (digit_bit(grid.digit(c)) & step.digits) != 0;
        return placed + 2 * degree > 9 || sink(std::move(step));
    };
}

}  // namespace varendo::logic
