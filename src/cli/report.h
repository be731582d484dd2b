#pragma once

#include <string>
#include <string_view>

#include "cli/memory_window.h"

namespace varendo {

enum class StepMode {
    Off,
    Visible,   // the "Save to File" box the user sees: quoted placement lines
    Detailed,  // the hidden box: every step and failure line too
};

// Runs one puzzle (81 characters, row by row, '.' for empty) as a person would on the
// window: New, type the givens, tick the step box, Freeze, Solve.
void run_puzzle(MemoryWindow& window, std::string_view puzzle, StepMode mode);

// How many solutions the givens have: 0, 1, or 2 for two or more.
int count_solutions(std::string_view puzzle);

// One line: the grid, a tab, the message box text and, when solved, a tab and Label1 (and a
// tab and "several solutions" when there are more); then the step file's lines, indented.
void append_text_report(std::string& out, const MemoryWindow& window, int solutions,
                        bool with_steps);

// One JSON object on one line.
void append_json_report(std::string& out, std::string_view puzzle, const MemoryWindow& window,
                        int solutions);

}  // namespace varendo
