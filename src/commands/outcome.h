#pragma once

#include <string_view>

namespace varendo {

// What a Solve command reported, in the order Solve checks its outcomes; a failure of the
// step file ends the command before any of them.
enum class Outcome {
    RepeatAfterElimination,  // "The sudoku is not solvable"
    RepeatInGivens,          // the failure text of the first validation
    Invalid,                 // "The sudoku is invalid"
    Solved,                  // "Sudoku Solved", with the difficulty line in Label1
    CannotComplete,          // "The sudoku is not solvable (can't be completed)."
    StepFileFailure,         // "Unable to write to the file."
};

// The message box text of an outcome. A repeat in the givens shows the failure text that
// the validation left, which the caller passes.
std::string_view outcome_text(Outcome outcome, std::string_view repeat_text = {});

}  // namespace varendo
