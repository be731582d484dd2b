#pragma once

// Candidate grids for the technique engine's tests, and how to compare what it finds.

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "logic/candidate_grid.h"
#include "logic/producers.h"

namespace varendo::test {

using logic::Candidate;
using logic::CandidateGrid;
using logic::Step;

// An empty grid where the listed cells ("r1c2") hold only the listed digits ("47").
inline CandidateGrid marks(std::initializer_list<std::pair<const char*, const char*>> cells) {
    std::array<logic::DigitMask, 81> struck{};
    for (const auto& [cell, digits] : cells) {
        const int c = (cell[1] - '1') * 9 + (cell[3] - '1');
        logic::DigitMask keep = 0;
        for (const char* d = digits; *d; ++d) keep |= logic::digit_bit(*d - '0');
        struck[c] = static_cast<logic::DigitMask>(logic::kAllDigits & ~keep);
    }
    return CandidateGrid::from_marks({}, struck);
}

// Candidates written as "r1c2=4" or "r1c2<>4", sorted, for comparing with what a step says.
inline std::vector<std::string> said(const std::vector<Candidate>& list, const char* relation) {
    std::vector<std::string> out;
    for (const Candidate& c : list)
        out.push_back("r" + std::to_string(c.cell / 9 + 1) + "c" + std::to_string(c.cell % 9 + 1) + relation +
                      std::to_string(c.digit));
    std::sort(out.begin(), out.end());
    return out;
}
inline std::vector<std::string> eliminations(const Step& s) { return said(s.eliminations, "<>"); }

// Every step a producer finds.
template <typename Producer>
std::vector<Step> all_steps(Producer&& producer) {
    std::vector<Step> steps;
    producer([&steps](Step&& s) {
        steps.push_back(std::move(s));
        return true;
    });
    return steps;
}

}  // namespace varendo::test
