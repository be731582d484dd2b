#pragma once

#include <cstdint>

#include "cli/batch.h"
#include "cli/report.h"
#include "commands/generator.h"

namespace varendo {

// Each puzzle run through Solve on a window of the thread's own, and reported.
class SolveStep final : public BatchStep {
public:
    SolveStep(StepMode mode, bool json) : mode_(mode), json_(json) {}
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    StepMode mode_;
    bool json_;
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
