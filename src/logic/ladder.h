#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/candidate_grid.h"
#include "logic/step.h"

namespace varendo::logic {

enum class Ladder {
    // Sudoku Explainer's order and values: the first step found, rung by rung, is applied.
    Explainer,
    // The easiest step a person with all candidates shown would see next.
    Human,
};

// The next step of a ladder in a grid, or none when the ladder has nothing. `unique` allows
// the patterns that hold only in a puzzle with one solution.
std::optional<Step> next_step(const CandidateGrid& grid, Ladder ladder, bool unique);

// Places and strikes what a step says.
void apply_step(CandidateGrid& grid, const Step& step);

enum class HumanLevel { Easy, Medium, Hard, Unfair, Extreme };

// A puzzle taken through a ladder to its end.
struct LogicalPath {
    enum class Outcome { Solved, NoSolution, SeveralSolutions, Stuck };
    Outcome outcome = Outcome::Stuck;
    std::vector<Step> steps;
    // In tenths: the hardest step (ER), the hardest up to the first placement (EP), the first (ED).
    int er = 0, ep = 0, ed = 0;
};

// Givens row by row (0 empty). The complete search decides first whether there is one solution.
LogicalPath solve_logically(const Grid81& givens, Ladder ladder);

// The human ladder's score of a path (the sum of its steps' points) and its level.
struct HumanRating {
    HumanLevel level = HumanLevel::Easy;
    int score = 0;
};
HumanRating rate_human(const std::vector<Step>& steps);

}  // namespace varendo::logic
