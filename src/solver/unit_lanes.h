#pragma once

#include <array>
#include <cstdint>

namespace varendo {

// The nine columns, the nine rows and the nine boxes each share no cell, so the work of
// possible on the units of one kind is done on all nine at once, one unit in each lane of
// a vector. Lane l holds the (l + 1)-th unit of its kind; lanes 9..15 hold 0, which no step
// changes.
using Lanes16 = std::array<std::int16_t, 16>;
// Per place 1..9 (index 0..8) of the units, their cells' numbers: place j of lane l is at
// lane_index(j, l).
using PlaceLanes = std::array<std::int16_t, 9 * 16>;
constexpr int lane_index(int place, int lane) { return 16 * place + lane; }

// What possible did to nine units, besides their new masks.
struct NarrowedUnits {
    Lanes16 unit_sum;        // the arithmetic sum of the own digit masks
    Lanes16 changed_places;  // the places (bit j for index j) whose mask the reduction changed
    Lanes16 placed_places;   // those of them it left with one digit, which is placed there
    Lanes16 eliminated;      // the digits the elimination method placed, as bits
    unsigned changed_units;  // the lanes (bit l for lane l) whose masks changed
    unsigned placing_units;  // the lanes where a digit was placed
    unsigned repeating_units;  // the lanes whose own digits, as they came in, repeat one
};

// Narrows the masks in place. own holds each cell's own digit mask: 2^v for a cell that
// holds digit v, 0 for an empty one.
void narrow_units(PlaceLanes& masks, const PlaceLanes& own, NarrowedUnits& out);
// The same when a mask holds a single digit exactly when its cell holds that digit.
void narrow_units(PlaceLanes& masks, NarrowedUnits& out);

// The cell masks laid out as lanes of one kind of unit at a time: 0 columns, 1 rows, 2 boxes.
class LaneGrid {
public:
    // From cell_mask, which holds cell k at index k.
    void load(const std::int16_t* cell_mask);
    void store(std::int16_t* cell_mask) const;
    // The masks laid out for the given kind, moved there from the last kind asked for.
    PlaceLanes& of_kind(int kind);

private:
    std::array<PlaceLanes, 3> kinds_{};
    int kind_ = 0;
};

}  // namespace varendo
