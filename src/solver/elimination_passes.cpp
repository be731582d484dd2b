#include "solver/elimination_passes.h"

#include <bit>

#include "solver/solver.h"
#include "solver/units.h"

namespace varendo {

std::uint32_t EliminationPasses::until_stable() {
    // Each pass calls possible on the columns, then the rows, then the boxes. The units of
    // one kind share no cell, so their calls are worked out together; the placements are
    // then made unit by unit, in the order the calls would make them.
    //
    // From the rebuilt masks on, a cell's mask is its digit alone exactly when it holds one:
    // every mask that comes down to one digit is placed at once, and a placement sets the
    // mask to its digit. So the passes read the cells' digits off their masks.
    //
    // A call that places no digit leaves its unit where calling it again changes nothing,
    // until one of its cells changes: a kind whose calls placed nothing is skipped until
    // another kind changes a mask. Of the calls' scratch, only digit_counter is read later,
    // and every call leaves it at 0.
    //
    // The last pass changes nothing, so the calls of each kind last made saw the grid the
    // passes leave, and tell which of its units repeat a digit.
    lanes_.load(s_.cell_mask.data());
    std::uint32_t repeating = 0;
    unsigned due_kinds = 0b111;
    while (!s_.no_progress) {
        s_.pass_count = saturating_increment(s_.pass_count);
        s_.no_progress = true;
        for (int kind = 0; kind < 3; ++kind) {
            if ((due_kinds >> kind & 1) == 0) continue;
            PlaceLanes& masks = lanes_.of_kind(kind);
            NarrowedUnits narrowed;
            narrow_units(masks, narrowed);
            const int first_unit = 9 * kind + 1;
            take_effect(first_unit, masks, narrowed);
            repeating = (repeating & ~(0x1FFu << first_unit)) | narrowed.repeating_units << first_unit;
            if (narrowed.changed_units != 0) due_kinds = 0b111;
            if (narrowed.placing_units == 0) due_kinds &= ~(1u << kind);
        }
    }
    lanes_.store(s_.cell_mask.data());
    s_.digit_counter = 0;
    return repeating;
}

void EliminationPasses::take_effect(int first_unit, const PlaceLanes& masks,
                                    const NarrowedUnits& narrowed) {
    const unsigned changed_lanes = narrowed.changed_units;
    if (changed_lanes == 0) return;
    s_.no_progress = false;
    for (unsigned lanes = narrowed.placing_units; lanes != 0; lanes &= lanes - 1) {
        const int lane = std::countr_zero(lanes);
        place_in_unit(first_unit + lane, lane, masks, narrowed);
    }

    // Every change first clears written_value and a placement then sets it, so the last
    // change of the last unit that changed decides what is left.
    const int last = std::bit_width(changed_lanes) - 1;
    if (const auto eliminated = static_cast<unsigned>(narrowed.eliminated[last]); eliminated != 0) {
        s_.written_value = static_cast<std::int16_t>(std::bit_width(eliminated) - 1);
    } else {
        const int j = std::bit_width(static_cast<unsigned>(narrowed.changed_places[last])) - 1;
        const bool placed = (narrowed.placed_places[last] >> j & 1) != 0;
        const auto mask = static_cast<unsigned>(masks[lane_index(j, last)]);
        s_.written_value = placed ? static_cast<std::int16_t>(std::countr_zero(mask)) : 0;
    }
}

void EliminationPasses::place_in_unit(int u, int lane, const PlaceLanes& masks,
                                      const NarrowedUnits& narrowed) {
    const UnitCells& cells = unit_cells(u);
    // First the cells the mask reduction left with one digit, in unit order.
    for (auto places = static_cast<unsigned>(narrowed.placed_places[lane]); places != 0;
         places &= places - 1) {
        const int j = std::countr_zero(places);
        const int k = cells[j];
        s_.written_value = 0;
        s_.write_pos(k - 1, masks[lane_index(j, lane)]);
        if (s_.written_value != 0) s_.report_placement(u, k, j + 1, false);
    }
    // Then the elimination method's, digit by digit; each digit's only cell holds it alone.
    for (auto digits = static_cast<unsigned>(narrowed.eliminated[lane]); digits != 0; digits &= digits - 1) {
        const auto bit = static_cast<std::int16_t>(digits & (~digits + 1));
        int j = 0;
        while ((masks[lane_index(j, lane)] & bit) == 0) ++j;
        const int k = cells[j];
        s_.written_value = 0;
        s_.write_pos(k - 1, bit);
        if (s_.written_value != 0) s_.report_placement(u, k, j + 1, true);
    }
}

}  // namespace varendo
