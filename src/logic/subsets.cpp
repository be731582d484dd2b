#include <bit>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

constexpr int kNakedRatings[5] = {0, 0, 30, 36, 50};
constexpr int kHiddenRatings[5] = {0, 0, 34, 40, 54};
constexpr int kDirectHiddenRatings[4] = {0, 0, 20, 25};
constexpr Technique kNaked[5] = {Technique::NakedPair, Technique::NakedPair, Technique::NakedPair,
                                 Technique::NakedTriple, Technique::NakedQuad};
constexpr Technique kHidden[5] = {Technique::HiddenPair, Technique::HiddenPair, Technique::HiddenPair,
                                  Technique::HiddenTriple, Technique::HiddenQuad};

}  // namespace

bool find_naked_sets(const CandidateGrid& grid, int degree, const StepSink& sink) {
    for (int kind : {kBoxHouse, kColumnHouse, kRowHouse}) {
        for (int house = kind; house < kind + 9; ++house) {
            const HouseCells& cells = house_cells(house);
            unsigned open = 0;  // cells with more than one candidate
            for (int j = 0; j < 9; ++j)
                if (mask_count(grid.candidates(cells[j])) > 1) open |= 1u << j;
            const bool go_on = for_each_combination_in(degree, open, [&](unsigned chosen) {
                unsigned digits = 0;
                for (unsigned rest = chosen; rest != 0; rest &= rest - 1)
                    digits |= grid.candidates(cells[std::countr_zero(rest)]);
                if (mask_count(digits) != degree) return true;
                // Nothing to strike: no step made.
                bool strikes = false;
                for (int j = 0; j < 9 && !strikes; ++j)
                    strikes = !(chosen & (1u << j)) && (grid.candidates(cells[j]) & digits) != 0;
                if (!strikes) return true;
                Step step;
                step.technique = kNaked[degree];
                step.rating = kNakedRatings[degree];
                step.digits = static_cast<std::uint16_t>(digits);
                step.houses.push_back(static_cast<std::uint8_t>(house));
                step.size = degree;
                for (int j = 0; j < 9; ++j) {
                    if (chosen & (1u << j)) {
                        step.cells.push_back(cells[j]);
                        continue;
                    }
                    for (int d = 1; d <= 9; ++d)
                        if ((digits & digit_bit(d)) && grid.has(cells[j], d))
                            step.eliminations.push_back(candidate(cells[j], d));
                }
                return step.eliminations.empty() || sink(std::move(step));
            });
            if (!go_on) return false;
        }
    }
    return true;
}

bool find_hidden_sets(const CandidateGrid& grid, int degree, bool direct, const StepSink& sink) {
    for (int kind : {kBoxHouse, kColumnHouse, kRowHouse}) {
        for (int house = kind; house < kind + 9; ++house) {
            const HouseCells& cells = house_cells(house);
            unsigned places[10] = {};
            unsigned open = 0;  // digits with more than one place
            for (int d = 1; d <= 9; ++d) {
                places[d] = grid.positions(house, d);
                if (mask_count(places[d]) > 1) open |= digit_bit(d);
            }
            const bool go_on = for_each_combination_in(degree, open, [&](unsigned digits) {
                unsigned common = 0;
                for (unsigned rest = digits; rest != 0; rest &= rest - 1) common |= places[std::countr_zero(rest) + 1];
                if (mask_count(common) != degree) return true;
                bool strikes = false;
                for (int j = 0; j < 9 && !strikes; ++j)
                    strikes = (common & (1u << j)) && (grid.candidates(cells[j]) & ~digits) != 0;
                if (!strikes) return true;
                Step step;
                step.technique = kHidden[degree];
                step.rating = kHiddenRatings[degree];
                step.digits = static_cast<std::uint16_t>(digits);
                step.houses.push_back(static_cast<std::uint8_t>(house));
                step.size = degree;
                for (int j = 0; j < 9; ++j) {
                    if (!(common & (1u << j))) continue;
                    step.cells.push_back(cells[j]);
                    for (int d = 1; d <= 9; ++d)
                        if (!(digits & digit_bit(d)) && grid.has(cells[j], d))
                            step.eliminations.push_back(candidate(cells[j], d));
                }
                if (direct) {
                    // The set leaves another digit one place in the house.
                    int single = -1;
                    for (int d = 1; d <= 9 && single < 0; ++d) {
                        if ((digits & digit_bit(d)) || mask_count(places[d]) <= 1) continue;
                        const unsigned left = places[d] & ~common;
                        if (mask_count(left) == 1) single = d;
                    }
                    if (single < 0) return true;
                    step.technique = degree == 2 ? Technique::DirectHiddenPair : Technique::DirectHiddenTriple;
                    step.rating = kDirectHiddenRatings[degree];
                    step.placements.push_back(candidate(cells[std::countr_zero(places[single] & ~common)], single));
                }
                return step.eliminations.empty() || sink(std::move(step));
            });
            if (!go_on) return false;
        }
    }
    return true;
}

StepSink explainer_sets(const CandidateGrid& grid, int degree, bool hidden, const StepSink& sink) {
    return [&grid, degree, hidden, &sink](Step&& step) {
        const int empty = grid.empty_in(step.houses.front());
        return (hidden ? empty <= 2 * degree : empty < 2 * degree) || sink(std::move(step));
    };
}

}  // namespace varendo::logic
