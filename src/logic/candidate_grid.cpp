#include "logic/candidate_grid.h"

namespace varendo::logic {

CandidateGrid CandidateGrid::from_givens(const Grid81& givens) {
    return from_marks(givens, {});
}

CandidateGrid CandidateGrid::from_marks(const Grid81& digits, const std::array<DigitMask, 81>& struck) {
    CandidateGrid grid;
    grid.candidates_.fill(kAllDigits);
    for (int c = 0; c < 81; ++c) {
        grid.candidates_[c] &= static_cast<DigitMask>(~struck[c]);
        if (digits[c] >= 1 && digits[c] <= 9) grid.place(c, digits[c]);
    }
    return grid;
}

unsigned CandidateGrid::positions(int house, int digit) const {
    unsigned result = 0;
    const DigitMask bit = digit_bit(digit);
    const HouseCells& cells = house_cells(house);
    for (int j = 0; j < 9; ++j)
        if (candidates_[cells[j]] & bit) result |= 1u << j;
    return result;
}

int CandidateGrid::empty_in(int house) const {
    int count = 0;
    for (std::uint8_t c : house_cells(house)) count += digits_[c] == 0;
    return count;
}

void CandidateGrid::place(int cell, int digit) {
    if (digits_[cell] == 0) --empty_count_;
    digits_[cell] = static_cast<std::uint8_t>(digit);
    candidates_[cell] = 0;
    for (std::uint8_t p : peers(cell)) eliminate(p, digit);
}

}  // namespace varendo::logic
