#include "commands/technique_hint.h"

#include <algorithm>

#include "solver/units.h"

namespace varendo {

namespace {

// The engine's candidate masks (bit d - 1) as the marks keep digits (bit d).
Digits as_digits(logic::DigitMask mask) { return static_cast<Digits>(mask << 1); }

// The unit (1..27: columns, rows, boxes down the bands of columns) of an engine house.
int unit_of_house(int house) {
    if (house >= logic::kColumnHouse) return house - logic::kColumnHouse + 1;
    if (house >= logic::kRowHouse) return 9 + house - logic::kRowHouse + 1;
    const int band = house / 3;  // engine boxes run along the bands of rows
    const int stack = house % 3;
    return 18 + box_of(3 * band + 1, 3 * stack + 1);
}

}  // namespace

logic::CandidateGrid grid_of_marks(const Grid81& shown, const PencilMarks& marks) {
    std::array<logic::DigitMask, 81> struck{};
    for (int cell = 0; cell < kCellCount; ++cell)
        struck[cell] = static_cast<logic::DigitMask>((marks.struck[cell] >> 1) & logic::kAllDigits);
    return logic::CandidateGrid::from_marks(shown, struck);
}

StepPattern step_pattern(const logic::CandidateGrid& grid, const logic::Step& step) {
    StepPattern pattern;
    const std::vector<std::uint8_t>& houses = step.base.empty() ? step.houses : step.base;
    if (!houses.empty()) pattern.unit = unit_of_house(houses.front());
    const auto colour = [&](int cell, logic::DigitMask digits) {
        pattern.candidates[cell] |= as_digits(grid.candidates(cell) & digits);
    };
    for (const int cell : step.cells) {
        pattern.cells[cell] = true;
        // A chain colours only its nodes, below: its cells may hold more of its digits.
        if (step.nodes.empty()) colour(cell, step.digits != 0 ? step.digits : logic::kAllDigits);
    }
    for (const logic::CellSet& set : step.sets)
        for (const int cell : set.cells) {
            pattern.cells[cell] = true;
            colour(cell, set.digits);
        }
    for (const logic::Candidate& fin : step.fins) colour(fin.cell, logic::digit_bit(fin.digit));
    for (const logic::ChainNode& node : step.nodes) {
        colour(node.candidate.cell, logic::digit_bit(node.candidate.digit));
        for (const std::uint8_t cell : node.group)
            if (cell < kCellCount) colour(cell, logic::digit_bit(node.candidate.digit));
    }
    for (const logic::Candidate& gone : step.eliminations) pattern.eliminated[gone.cell] |= digit_bit(gone.digit);
    for (int cell = 0; cell < kCellCount; ++cell) pattern.candidates[cell] &= static_cast<Digits>(~pattern.eliminated[cell]);
    for (const logic::Candidate& placed : step.placements) {
        pattern.candidates[placed.cell] |= digit_bit(placed.digit);
        pattern.cells[placed.cell] = true;
    }
    return pattern;
}

bool is_single(logic::Technique technique) {
    using logic::Technique;
    return technique == Technique::FullHouse || technique == Technique::HiddenSingleBox ||
           technique == Technique::HiddenSingleLine || technique == Technique::NakedSingle;
}

void strike_eliminations(PencilMarks& marks, const logic::Step& step) {
    for (const logic::Candidate& gone : step.eliminations) {
        marks.struck[gone.cell] |= digit_bit(gone.digit);
        marks.own[gone.cell] &= static_cast<Digits>(~digit_bit(gone.digit));
    }
}

LogicalReport logical_report(const Grid81& givens) {
    LogicalReport report;
    report.human = logic::solve_logically(givens, logic::Ladder::Human);
    report.explainer = logic::solve_logically(givens, logic::Ladder::Explainer);
    report.points = logic::rate_human(report.human.steps);
    logic::CandidateGrid grid = logic::CandidateGrid::from_givens(givens);
    for (const logic::Step& step : report.human.steps) {
        report.before.push_back(grid);
        logic::apply_step(grid, step);
        auto used = std::find_if(report.techniques.begin(), report.techniques.end(),
                                 [&](const auto& entry) { return entry.first == step.technique; });
        if (used == report.techniques.end()) used = report.techniques.insert(used, {step.technique, 0});
        ++used->second;
    }
    return report;
}

}  // namespace varendo
