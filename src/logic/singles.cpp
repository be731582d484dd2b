#include <bit>

#include "logic/producers.h"

namespace varendo::logic {

namespace {

// One scan of a kind of house; `alone` takes only a house's last empty cell.
bool scan_houses(const CandidateGrid& grid, int first_house, bool alone, const StepSink& sink) {
    for (int house = first_house; house < first_house + 9; ++house) {
        const bool last_empty = grid.empty_in(house) == 1;
        if (last_empty != alone) continue;
        for (int digit = 1; digit <= 9; ++digit) {
            const unsigned places = grid.positions(house, digit);
            if (mask_count(places) != 1) continue;
            const int cell = house_cells(house)[std::countr_zero(places)];
            Step step;
            step.technique = alone                     ? Technique::FullHouse
                             : first_house == kBoxHouse ? Technique::HiddenSingleBox
                                                        : Technique::HiddenSingleLine;
            step.rating = alone ? 10 : first_house == kBoxHouse ? 12 : 15;
            step.placements.push_back(candidate(cell, digit));
            step.cells.push_back(static_cast<std::uint8_t>(cell));
            step.houses.push_back(static_cast<std::uint8_t>(house));
            step.digits = digit_bit(digit);
            if (!sink(std::move(step))) return false;
        }
    }
    return true;
}

}  // namespace

bool find_hidden_singles(const CandidateGrid& grid, const StepSink& sink) {
    for (bool alone : {true, false})
        for (int kind : {kBoxHouse, kColumnHouse, kRowHouse})
            if (!scan_houses(grid, kind, alone, sink)) return false;
    return true;
}

bool find_naked_singles(const CandidateGrid& grid, const StepSink& sink) {
    for (int cell = 0; cell < 81; ++cell) {
        const DigitMask mask = grid.candidates(cell);
        if (grid.digit(cell) != 0 || mask_count(mask) != 1) continue;
        Step step;
        step.technique = Technique::NakedSingle;
        step.rating = 23;
        const int digit = std::countr_zero(mask) + 1;
        step.placements.push_back(candidate(cell, digit));
        step.cells.push_back(static_cast<std::uint8_t>(cell));
        step.digits = mask;
        if (!sink(std::move(step))) return false;
    }
    return true;
}

}  // namespace varendo::logic
