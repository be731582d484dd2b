#include "cli/batch_steps.h"

#include "commands/puzzle_text.h"
#include "logic/step_text.h"

namespace varendo {

bool SolveStep::run(const Task& task, std::string& report, std::string&) {
    run_puzzle(window_, task.puzzle, mode_);
    const int solutions = count_solutions(window_, task.puzzle);
    if (json_)
        append_json_report(report, task.puzzle, window_, solutions, path_);
    else
        append_text_report(report, window_, solutions, mode_ != StepMode::Off);
    return true;
}

bool AnswerStep::run(const Task& task, std::string& report, std::string&) {
    append_answer_report(report, task.puzzle, find_solutions(task.puzzle, 2), json_);
    return true;
}

bool GenerateStep::run(const Task& task, std::string& report, std::string& error) {
    const std::uint64_t seed = series_seed(request_.seed, task.number);
    std::optional<GeneratedPuzzle> made;
    try {
        made = request_.rating ? generate_rated(*request_.rating, seed, request_.symmetry, nullptr, request_.tries)
                               : generate(request_.level, seed, request_.symmetry, nullptr, request_.tries);
    } catch (const GeneratorFault& fault) {
        error = "varendo-solve: internal error at puzzle " + std::to_string(task.number + 1) + " (seed " +
                std::to_string(request_.seed) + "): " + fault.what() + "; please report this bug";
        return false;
    }
    if (!made) {
        const std::string aim = request_.rating ? "at rating " + logic::rating_text(request_.rating->low) + "-" +
                                                      logic::rating_text(request_.rating->high)
                                                : std::string("at level ") + level_name(request_.level);
        error = "varendo-solve: cannot make puzzle " + std::to_string(task.number + 1) + " " + aim + " in " +
                std::to_string(request_.tries) + (request_.tries == 1 ? " try" : " tries");
        return false;
    }
    report = puzzle_text(made->puzzle);
    report += '\n';
    return true;
}

const char* level_name(Level level) {
    switch (level) {
    case Level::Easy: return "easy";
    case Level::Medium: return "medium";
    case Level::Difficult: return "difficult";
    case Level::VeryDifficult: return "very-difficult";
    }
    return "";
}

}  // namespace varendo
