#pragma once

#include <string>
#include <string_view>

#include "commands/memory_window.h"
#include "commands/puzzle_run.h"
#include "solver/exact_search.h"

namespace varendo {

// How many solutions the givens of the last Solve have: 0, 1, or 2 for two or more. Solve
// answers itself when it needed the complete search.
int count_solutions(const MemoryWindow& window, const Grid81& puzzle);

// One line: the grid, a tab, the message box text and, when solved, a tab and Label1 (and a
// tab and "several solutions" when there are more); then the step file's lines, indented.
void append_text_report(std::string& out, const MemoryWindow& window, int solutions,
                        bool with_steps);

// One JSON object on one line.
void append_json_report(std::string& out, const Grid81& puzzle, const MemoryWindow& window,
                        int solutions);

// What the complete search alone says of a puzzle, on one line: the puzzle, a tab, the
// number of solutions (0, 1, or 2 for two or more) and, when there is one, a tab and the
// first solution found; or the object with the keys puzzle, solutions and solution (null
// when there is none).
void append_answer_report(std::string& out, const Grid81& puzzle, const SearchResult& result, bool json);

}  // namespace varendo
