#pragma once

#include <string>
#include <string_view>

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
void run_puzzle(MemoryWindow& window, const Grid81& puzzle, StepMode mode);

// How many solutions the givens of the last Solve have: 0, 1, or 2 for two or more. Solve
// answers itself when it needed the complete search.
int count_solutions(const MemoryWindow& window, const Grid81& puzzle);

// One line: the grid, a tab, the message box text and, when solved, a tab and Label1 (and a
// tab and "several solutions" when there are more); then the step file's lines, indented.
void append_text_report(std::string& out, const MemoryWindow& window, int solutions,
                        bool with_steps);

// One JSON object on one line; with_path adds the path of the Solve, which the window's
// commands recorded.
void append_json_report(std::string& out, const Grid81& puzzle, const MemoryWindow& window,
                        int solutions, bool with_path = false);

}  // namespace varendo
