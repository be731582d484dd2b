#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "logic/houses.h"
#include "solver/exact_search.h"

namespace varendo::logic {

using DigitMask = std::uint16_t;  // bit d - 1 for digit d
constexpr DigitMask kAllDigits = 0x1FF;
constexpr DigitMask digit_bit(int digit) { return static_cast<DigitMask>(1u << (digit - 1)); }

namespace detail {
inline constexpr auto kBitCounts = [] {
    std::array<std::uint8_t, 512> counts{};
    for (unsigned m = 0; m < 512; ++m) counts[m] = static_cast<std::uint8_t>(std::popcount(m));
    return counts;
}();
}  // namespace detail

// How many of the nine bits of a digit or position mask are set: looked up, as the baseline
// x86-64 the packages target has no instruction for it.
constexpr int mask_count(unsigned mask) { return detail::kBitCounts[mask & 0x1FF]; }

// Digits placed and the candidates left in the other cells: the state every producer reads.
class CandidateGrid {
public:
    // Givens row by row (0 empty); every empty cell gets the digits its peers leave.
    static CandidateGrid from_givens(const Grid81& givens);
    // A person's grid: givens and placed digits (row by row, 0 empty) with the candidates they
    // struck (bit d - 1 of struck[cell]); what the digits rule out is struck as well. Every
    // digit counts as a given, which keeps the avoidable rectangles away from them.
    static CandidateGrid from_marks(const Grid81& digits, const std::array<DigitMask, 81>& struck);

    int digit(int cell) const { return digits_[cell]; }
    DigitMask candidates(int cell) const { return candidates_[cell]; }
    bool has(int cell, int digit) const { return (candidates_[cell] & digit_bit(digit)) != 0; }
    // Whether a cell's digit is one of the puzzle's givens rather than placed since.
    bool given(int cell) const { return given_[cell]; }
    bool solved() const { return empty_count_ == 0; }
    int empty_count() const { return empty_count_; }

    // The positions (bit j for the house's cell j) where a digit may still go in a house.
    unsigned positions(int house, int digit) const { return positions_[house][digit - 1]; }
    // How many cells of a house are still empty.
    int empty_in(int house) const;

    // Places a digit and strikes it from the peers.
    void place(int cell, int digit);
    void eliminate(int cell, int digit);
    Grid81 digits() const { return digits_; }

    bool operator==(const CandidateGrid&) const = default;

private:
    Grid81 digits_{};
    std::array<DigitMask, 81> candidates_{};
    std::array<std::array<std::uint16_t, 9>, 27> positions_{};  // kept with the candidates
    int empty_count_ = 81;
    std::array<bool, 81> given_{};
};

}  // namespace varendo::logic
