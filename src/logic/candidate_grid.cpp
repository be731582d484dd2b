#include "logic/candidate_grid.h"

namespace varendo::logic {

CandidateGrid CandidateGrid::from_givens(const Grid81& givens) {
    return from_marks(givens, {});
}

CandidateGrid CandidateGrid::from_marks(const Grid81& digits, const std::array<DigitMask, 81>& struck) {
    CandidateGrid grid;
    grid.candidates_.fill(kAllDigits);
    for (auto& house : grid.positions_) house.fill(0x1FF);
    for (int c = 0; c < 81; ++c)
        for (int d = 1; d <= 9; ++d)
            if (struck[c] & digit_bit(d)) grid.eliminate(c, d);
    for (int c = 0; c < 81; ++c) {
        if (digits[c] >= 1 && digits[c] <= 9) {
            grid.place(c, digits[c]);
            grid.given_[c] = true;
        }
    }
    return grid;
}

void CandidateGrid::eliminate(int cell, int digit) {
    const DigitMask bit = digit_bit(digit);
    if (!(candidates_[cell] & bit)) return;
    candidates_[cell] &= static_cast<DigitMask>(~bit);
    for (int house : houses_of(cell))
        positions_[house][digit - 1] &= static_cast<std::uint16_t>(~(1u << position_in(house, cell)));
}

int CandidateGrid::empty_in(int house) const {
    int count = 0;
    for (std::uint8_t c : house_cells(house)) count += digits_[c] == 0;
    return count;
}

void CandidateGrid::place(int cell, int digit) {
    if (digits_[cell] == 0) --empty_count_;
    digits_[cell] = static_cast<std::uint8_t>(digit);
    for (int d = 1; d <= 9; ++d) eliminate(cell, d);
    for (std::uint8_t p : peers(cell)) eliminate(p, digit);
}

}  // namespace varendo::logic
