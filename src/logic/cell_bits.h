#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "logic/houses.h"

namespace varendo::logic {

// Set bits of a word, counted inline: the baseline x86-64 the packages target has no
// instruction for it, and the library call costs more than this.
constexpr int ones(std::uint64_t w) {
    w -= (w >> 1) & 0x5555555555555555ull;
    w = (w & 0x3333333333333333ull) + ((w >> 2) & 0x3333333333333333ull);
    w = (w + (w >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((w * 0x0101010101010101ull) >> 56);
}

// A set of cells as two words: cells 0..63 and 64..80.
struct CellBits {
    std::uint64_t low = 0, high = 0;
    void set(int cell) { (cell < 64 ? low : high) |= 1ull << (cell % 64); }
    void reset(int cell) { (cell < 64 ? low : high) &= ~(1ull << (cell % 64)); }
    bool test(int cell) const { return (((cell < 64 ? low : high) >> (cell % 64)) & 1) != 0; }
    bool any() const { return (low | high) != 0; }
    int count() const { return ones(low) + ones(high); }
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

// The 20 peers of a cell.
inline const CellBits& peer_bits(int cell) {
    static const auto kPeerBits = [] {
        std::array<CellBits, 81> table{};
        for (int c = 0; c < 81; ++c)
            for (std::uint8_t p : peers(c)) table[c].set(p);
        return table;
    }();
    return kPeerBits[cell];
}

constexpr CellBits kEveryCell{~0ull, (1ull << 17) - 1};

// The cells that see every cell of a set (none of them itself).
inline CellBits common_peers(const CellBits& cells) {
    CellBits seen = kEveryCell;
    cells.each([&](int c) { seen = seen & peer_bits(c); });
    return seen;
}

}  // namespace varendo::logic
