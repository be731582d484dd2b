#pragma once

#include <string>

#include "cli/batch.h"
#include "logic/ladder.h"

namespace varendo {

// Each puzzle rated by the technique engine: the puzzle, a tab, ER/EP/ED by Sudoku
// Explainer's ladder, a tab, the human ladder's level and score; or, with JSON, an object
// with the keys puzzle, outcome, er, ep, ed, level, score, solved and techniques.
class RateStep final : public BatchStep {
public:
    explicit RateStep(bool json) : json_(json) {}
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    bool json_;
};

// Each puzzle explained step by step: the puzzle and its outcome on one line, then one line
// per step, indented by two spaces (its rating, a tab, the sentence); or, with JSON, an
// object with the keys puzzle, outcome and steps.
class ExplainStep final : public BatchStep {
public:
    ExplainStep(logic::Ladder ladder, bool json) : ladder_(ladder), json_(json) {}
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    logic::Ladder ladder_;
    bool json_;
};

// "solved", "no solution", "several solutions" or "unfinished".
const char* outcome_name(logic::LogicalPath::Outcome outcome);

}  // namespace varendo
