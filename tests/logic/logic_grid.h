#pragma once

// Candidate grids for the technique engine's tests, and how to compare what it finds.

#include <algorithm>
#include <initializer_list>
#include <sstream>
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

// A grid as HoDoKu's library writes it: the givens, with the digits marked '+' placed as a
// solver would place them, and the struck candidates ("436 257": 4 struck from r3c6).
inline CandidateGrid grid_of(const std::string& givens, const std::string& deleted) {
    Grid81 digits{};
    std::vector<Candidate> placed;
    for (std::size_t i = 0, cell = 0; i < givens.size() && cell < 81; ++i, ++cell) {
        const bool plus = givens[i] == '+';
        i += plus;
        const int digit = givens[i] >= '1' && givens[i] <= '9' ? givens[i] - '0' : 0;
        if (plus) placed.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)});
        else digits[cell] = static_cast<std::uint8_t>(digit);
    }
    std::array<logic::DigitMask, 81> struck{};
    std::istringstream in(deleted);
    for (std::string c; in >> c;) struck[(c[1] - '1') * 9 + c[2] - '1'] |= logic::digit_bit(c[0] - '0');
    CandidateGrid grid = CandidateGrid::from_marks(digits, struck);
    for (const Candidate& c : placed) grid.place(c.cell, c.digit);
    return grid;
}

}  // namespace varendo::test
