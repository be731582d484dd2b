#include <algorithm>
#include <array>
#include <vector>

#include "logic/producers.h"

namespace varendo::logic {

// Dual 2-string kites and dual empty rectangles: two that share their cells in a box (kites,
// on any digits) or their box and digit (empty rectangles) strike together.
bool find_dual_patterns(const CandidateGrid& grid, bool rectangles, const StepSink& sink) {
    std::vector<Step> found;
    const auto collect = [&](Step&& step) {
        if (rectangles || step.technique == Technique::TwoStringKite) found.push_back(std::move(step));
        return true;
    };
    if (rectangles) find_empty_rectangles(grid, collect);
    else find_single_digit_patterns(grid, collect);
    const auto shared = [&](const Step& step) {
        if (rectangles) return std::array<int, 3>{step.digits, step.houses[0], -1};
        return std::array<int, 3>{-1, std::min(step.cells[1], step.cells[2]), std::max(step.cells[1], step.cells[2])};
    };
    for (std::size_t i = 0; i < found.size(); ++i)
        for (std::size_t j = i + 1; j < found.size(); ++j) {
            if (shared(found[i]) != shared(found[j]) || found[i].eliminations == found[j].eliminations) continue;
            Step dual = found[i];
            dual.digits |= found[j].digits;
            dual.technique = rectangles ? Technique::DualEmptyRectangle : Technique::DualTwoStringKite;
            for (std::uint8_t h : found[j].houses)
                if (std::find(dual.houses.begin(), dual.houses.end(), h) == dual.houses.end()) dual.houses.push_back(h);
            for (std::uint8_t c : found[j].cells)
                if (std::find(dual.cells.begin(), dual.cells.end(), c) == dual.cells.end()) dual.cells.push_back(c);
            for (const Candidate& c : found[j].eliminations)
                if (std::find(dual.eliminations.begin(), dual.eliminations.end(), c) == dual.eliminations.end())
                    dual.eliminations.push_back(c);
            if (!sink(std::move(dual))) return false;
        }
    return true;
}

}  // namespace varendo::logic
