#pragma once

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "commands/pencil_marks.h"
#include "logic/ladder.h"

namespace varendo {

// The candidate grid of a person's work: the digits shown (row by row, 0 empty) less the
// candidates the person struck, shown or not. Own marks alone say nothing of what the person
// has ruled out: a cell the person marked 1 and 2 may still be waiting for its 3.
logic::CandidateGrid grid_of_marks(const Grid81& shown, const PencilMarks& marks);

// A step as a grid shows it, row by row, digits as bits (bit d for digit d).
struct StepPattern {
    int unit = 0;                    // the unit (1..27) the step stands in, 0 for none
    std::array<bool, 81> cells{};    // the pattern's cells, outlined
    GridDigits candidates{};         // the candidates that make the pattern and those it places, coloured
    GridDigits eliminated{};         // the candidates the step strikes
};
StepPattern step_pattern(const logic::CandidateGrid& grid, const logic::Step& step);

// A single (full house, hidden or naked single): Hint names it as it names Solve's digits.
bool is_single(logic::Technique technique);

// Strikes a step's eliminations from the marks as the candidates show them.
void strike_eliminations(PencilMarks& marks, const logic::Step& step);

// The human ladder's path from a puzzle's givens, the grid before each step, and its ratings.
struct LogicalReport {
    logic::LogicalPath human;
    logic::LogicalPath explainer;
    logic::HumanRating points;
    std::vector<logic::CandidateGrid> before;  // before[i]: the grid step i is found in
    // The techniques used, in the order of their first step, with how many steps each.
    std::vector<std::pair<logic::Technique, int>> techniques;
};
LogicalReport logical_report(const Grid81& givens);

}  // namespace varendo
