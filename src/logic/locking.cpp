#include <array>
#include <bit>

#include "logic/producers.h"

namespace varendo::logic {

namespace {

// The positions in `house` of the cells it shares with `other`.
constexpr auto kShared = [] {
    std::array<std::array<std::uint16_t, 27>, 27> table{};
    for (int h = 0; h < 27; ++h)
        for (int o = 0; o < 27; ++o)
            for (int j = 0; j < 9; ++j)
                for (std::uint8_t c : house_cells(o))
                    if (c == house_cells(h)[j]) table[h][o] |= static_cast<std::uint16_t>(1u << j);
    return table;
}();

unsigned cells_mask_in(int house, int other) { return kShared[house][other]; }

bool crosses(int a, int b) { return a != b && cells_mask_in(a, b) != 0; }

// The step that takes `digit` out of `cover` outside `base`; `single` is the cell the
// direct form places the digit in (or -1).
Step locking_step(const CandidateGrid& grid, int base, int cover, int digit, int single) {
    Step step;
    const bool pointing = base < kRowHouse;
    if (single >= 0) {
        step.technique = pointing ? Technique::DirectPointing : Technique::DirectClaiming;
        step.rating = pointing ? 17 : 19;
        step.placements.push_back({static_cast<std::uint8_t>(single), static_cast<std::uint8_t>(digit)});
    } else {
        step.technique = pointing ? Technique::Pointing : Technique::Claiming;
        step.rating = pointing ? 26 : 28;
    }
    const unsigned in_base = cells_mask_in(cover, base);
    for (int j = 0; j < 9; ++j) {
        const int cell = house_cells(cover)[j];
        if (!grid.has(cell, digit)) continue;
        if (in_base & (1u << j))
            step.cells.push_back(static_cast<std::uint8_t>(cell));
        else
            step.eliminations.push_back(candidate(cell, digit));
    }
    step.houses = {static_cast<std::uint8_t>(base), static_cast<std::uint8_t>(cover)};
    step.digits = digit_bit(digit);
    return step;
}

bool scan_pairs(const CandidateGrid& grid, int base_kind, int cover_kind, bool direct, const StepSink& sink) {
    for (int base = base_kind; base < base_kind + 9; ++base) {
        for (int cover = cover_kind; cover < cover_kind + 9; ++cover) {
            if (!crosses(base, cover)) continue;
            const unsigned shared = cells_mask_in(base, cover);
            for (int digit = 1; digit <= 9; ++digit) {
                const unsigned places = grid.positions(base, digit);
                if (mask_count(places) <= 1 || (places & ~shared) != 0) continue;
                if (!direct) {
                    Step step = locking_step(grid, base, cover, digit, -1);
                    if (!step.eliminations.empty() && !sink(std::move(step))) return false;
                    continue;
                }
                // A house parallel to the base that the cover leaves with one place.
                for (int other = base_kind; other < base_kind + 9; ++other) {
                    if (other == base || !crosses(other, cover)) continue;
                    const unsigned other_places = grid.positions(other, digit);
                    if (mask_count(other_places) <= 1) continue;
                    const unsigned left = other_places & ~cells_mask_in(other, cover);
                    if (mask_count(left) != 1) continue;
                    Step step = locking_step(grid, base, cover, digit, house_cells(other)[std::countr_zero(left)]);
                    if (!step.eliminations.empty() && !sink(std::move(step))) return false;
                }
            }
        }
    }
    return true;
}

}  // namespace

bool find_locking(const CandidateGrid& grid, bool direct, const StepSink& sink) {
    return scan_pairs(grid, kBoxHouse, kColumnHouse, direct, sink) &&
           scan_pairs(grid, kBoxHouse, kRowHouse, direct, sink) &&
           scan_pairs(grid, kColumnHouse, kBoxHouse, direct, sink) &&
           scan_pairs(grid, kRowHouse, kBoxHouse, direct, sink);
}

}  // namespace varendo::logic
