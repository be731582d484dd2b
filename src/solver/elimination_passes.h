#pragma once

#include <cstdint>

#include "solver/unit_lanes.h"

namespace varendo {

class Solver;

// The elimination passes of one driver run, up to the first pass that changes nothing: the
// calls of possible on units 1..27, worked out nine units of a kind at a time in vector
// lanes, with the placements, step lines and fields they leave made as the unit-by-unit
// calls would make them.
class EliminationPasses {
public:
    explicit EliminationPasses(Solver& solver) : s_(solver) {}

    // Runs the passes; returns the units (bit u) that repeat a digit in the grid they leave.
    std::uint32_t until_stable();

private:
    // After the masks of the units from first_unit on were narrowed, one in each lane: the
    // placements, unit by unit, and the fields the changes leave.
    void take_effect(int first_unit, const PlaceLanes& masks, const NarrowedUnits& narrowed);
    // The placements in unit u, in the order possible makes them.
    void place_in_unit(int u, int lane, const PlaceLanes& masks, const NarrowedUnits& narrowed);

    Solver& s_;
    LaneGrid lanes_;
};

}  // namespace varendo
