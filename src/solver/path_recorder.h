#pragma once

#include <cstdint>

namespace varendo {

// How a digit came to be placed.
enum class PlacementKind : std::uint8_t {
    Cell,    // the cell's mask came down to one digit while its unit was reduced
    Unit,    // the digit had one place left in the unit
    Guess,   // a guess, among the places the digit had in the unit
    Search,  // the complete search's solution, filled in after the attempts
};

// One placed digit, as the engine saw it. Cells and units are the engine's: cell k = 1..81
// down the columns, units 1..27 (columns, rows, boxes).
struct Placement {
    PlacementKind kind = PlacementKind::Cell;
    std::uint8_t cell = 0;
    std::uint8_t digit = 0;
    std::uint8_t unit = 0;    // the unit that decided it; 0 for Search
    std::uint8_t place = 0;   // the cell's place 1..9 in that unit's order; 0 for Search
    std::uint8_t places = 0;  // Guess: how many places the digit had in the unit
    friend constexpr bool operator==(const Placement&, const Placement&) = default;
};

// Told of the events of the solver's runs as they happen, by the very calls that write
// their step lines. The solver holds a null pointer unless someone asks: recording costs
// nothing else then.
class PathRecorder {
public:
    virtual ~PathRecorder() = default;
    // pass is pass_count at the time.
    virtual void placed(const Placement& placement, std::int16_t pass) = 0;
    // The passes changed nothing more and the grid is not complete: a guess follows, if any is left.
    virtual void stalled(std::int16_t pass) = 0;
    // A run found units (bit u for unit u) that repeat a digit: after its passes, or, when
    // at_start, in the grid it started from (then only the first unit, where the check stops).
    virtual void repeated(std::uint32_t units, bool at_start, std::int16_t pass) = 0;
};

}  // namespace varendo
