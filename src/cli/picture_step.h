#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "cli/batch.h"

namespace varendo {

// Task number i reads the i-th picture: one line, the puzzle read (. for empty), or with
// JSON the keys file, puzzle, uncertain, solutions and grid. A picture without a grid, or
// with cells in doubt, also gets a line on standard error and counts as doubtful; one that
// cannot be read fails.
class PictureStep final : public BatchStep {
public:
    PictureStep(const std::vector<std::string>& files, bool json, std::atomic<bool>& doubtful)
        : files_(files), json_(json), doubtful_(doubtful) {}
    bool run(const Task& task, std::string& report, std::string& error) override;

private:
    const std::vector<std::string>& files_;
    bool json_;
    std::atomic<bool>& doubtful_;
};

}  // namespace varendo
