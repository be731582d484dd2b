#include "commands/outcome.h"

namespace varendo {

std::string_view outcome_text(Outcome outcome, std::string_view repeat_text) {
    switch (outcome) {
    case Outcome::RepeatAfterElimination: return "The sudoku is not solvable";
    case Outcome::RepeatInGivens: return repeat_text;
    case Outcome::Invalid: return "The sudoku is invalid";
    case Outcome::Solved: return "Sudoku Solved";
    case Outcome::CannotComplete: return "The sudoku is not solvable (can't be completed).";
    case Outcome::StepFileFailure: return "Unable to write to the file.";
    }
    return {};
}

}  // namespace varendo
