#pragma once

#include <optional>

#include "commands/puzzle_check.h"
#include "solver/exact_search.h"
#include "solver/path_recorder.h"

namespace varendo {

// What a hint has to say about a grid, the first that holds of its kinds in their order.
struct Hint {
    enum class Kind {
        Repeat,       // a unit holds a digit twice: repeat, as Check reports it
        WrongDigit,   // a typed digit that is not part of the frozen puzzle's only solution
        Placement,    // the first digit the engine's passes place from the grid
        Stall,        // the passes place nothing: the guess Solve would make
        NoCandidate,  // the passes place nothing and an empty cell has no candidate left
        Solved,       // nothing to do: the grid is full
    };
    Kind kind = Kind::Solved;
    PuzzleCheck repeat;  // Repeat
    // WrongDigit: the typed digit; Placement and Stall: the digit to place; NoCandidate: the
    // cell. Rows and columns 1..9 from the top left.
    int row = 0;
    int column = 0;
    int digit = 0;
    PlacementKind how = PlacementKind::Cell;  // Placement: Cell or Unit; Stall: Guess
    int unit = 0;    // Placement and Stall: the unit that decides it, 1..27 (columns, rows, boxes)
    int places = 0;  // Stall: how many places the digit has in that unit
};

// The hint for the grid as shown (row by row, 0 for empty), given the frozen puzzle's givens
// when the puzzle is frozen. Works on a solver of its own and changes nothing else.
Hint find_hint(const Grid81& shown, const std::optional<Grid81>& frozen);

}  // namespace varendo
