#pragma once

#include <cstdint>
#include <optional>

#include "cli/batch.h"
#include "cli/report.h"
#include "commands/generator.h"

namespace varendo {

// Each puzzle run through Solve on a window of the thread's own, and reported.
class SolveStep final : public BatchStep {
public:
    // With `path`, each JSON object carries the path of its Solve.
    SolveStep(StepMode mode, bool json, bool path) : mode_(mode), json_(json), path_(path) {
        window_.commands().set_path_recording(path);
    }
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    StepMode mode_;
    bool json_;
    bool path_;
    MemoryWindow window_;
};

// Each puzzle given to the complete search alone: its count to two and first solution.
class AnswerStep final : public BatchStep {
public:
    explicit AnswerStep(bool json) : json_(json) {}
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    bool json_;
};

// Task number i becomes puzzle i of the series that `seed` begins, as one line of text.
struct GenerateRequest {
    Level level = Level::Difficult;
    std::optional<RatingRange> rating;  // when set, made to this ER range instead of a level
    Symmetry symmetry = Symmetry::Rotate180;
    std::uint64_t seed = 0;
    int tries = kGenerateTries;
};

class GenerateStep final : public BatchStep {
public:
    explicit GenerateStep(const GenerateRequest& request) : request_(request) {}
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    GenerateRequest request_;
};

// The level as the command line names it: easy, medium, difficult, very-difficult.
const char* level_name(Level level);

}  // namespace varendo
