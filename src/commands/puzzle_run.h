#pragma once

#include <optional>

#include "commands/memory_window.h"
#include "solver/exact_search.h"

namespace varendo {

enum class StepMode {
    Off,
    Visible,   // the "Save to File" box the user sees: quoted placement lines
    Detailed,  // the hidden box: every step and failure line too
};

// Runs one puzzle (cells row by row) as a person would on the window: New, type the
// givens, tick the step box, Freeze, Solve.
void run_puzzle(MemoryWindow& window, const Grid81& puzzle, StepMode mode = StepMode::Off);

// The rating the last Solve put in Label1; nothing when it did not solve the puzzle.
std::optional<int> solved_difficulty(const MemoryWindow& window);

}  // namespace varendo
