#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "logic/houses.h"

namespace varendo::logic {

// A set of cells as two words: cells 0..63 and 64..80.
struct CellBits {
    std::uint64_t low = 0, high = 0;
    void set(int cell) { (cell < 64 ? low : high) |= 1ull << (cell % 64); }
    bool test(int cell) const { return (((cell < 64 ? low : high) >> (cell % 64)) & 1) != 0; }
    bool any() const { return (low | high) != 0; }
    int count() const { return std::popcount(low) + std::popcount(high); }
    int first() const { return low ? std::countr_zero(low) : 64 + std::countr_zero(high); }
    CellBits operator&(const CellBits& o) const { return {low & o.low, high & o.high}; }
    CellBits operator|(const CellBits& o) const { return {low | o.low, high | o.high}; }
    CellBits without(const CellBits& o) const { return {low & ~o.low, high & ~o.high}; }
    // Calls f(cell) for each cell, in order.
    template <typename F>
    void each(F&& f) const {
        for (std::uint64_t w = low; w; w &= w - 1) f(std::countr_zero(w));
        for (std::uint64_t w = high; w; w &= w - 1) f(64 + std::countr_zero(w));
    }
};

// The cells that see every cell of a set (none of them itself).
inline CellBits common_peers(const CellBits& cells) {
    static const auto kPeerBits = [] {
        std::array<CellBits, 81> table{};
        for (int c = 0; c < 81; ++c)
            for (std::uint8_t p : peers(c)) table[c].set(p);
        return table;
    }();
    CellBits seen{~0ull, (1ull << 17) - 1};
    cells.each([&](int c) { seen = seen & kPeerBits[c]; });
    return seen;
}

}  // namespace varendo::logic
