#pragma once

#include <bit>

namespace varendo::logic {

// Calls f(mask) for each set of `size` of the bits 0..n-1, in increasing order of the mask,
// until f returns false; returns false then.
template <typename F>
bool for_each_combination(int size, int n, F&& f) {
    for (unsigned mask = (1u << size) - 1; mask < (1u << n);) {
        if (!f(mask)) return false;
        const unsigned low = mask & -mask;
        const unsigned ripple = mask + low;
        mask = ripple | (((mask ^ ripple) >> 2) / low);
    }
    return true;
}

// The same over the sets of `size` of the bits in `pool` only, each passed as a mask of the
// bits 0..8, in the same increasing order the full enumeration meets them: sets with a bit
// outside the pool are never made.
template <typename F>
bool for_each_combination_in(int size, unsigned pool, F&& f) {
    int position[9];
    int n = 0;
    for (unsigned rest = pool; rest != 0; rest &= rest - 1) position[n++] = std::countr_zero(rest);
    if (n < size) return true;
    return for_each_combination(size, n, [&](unsigned picks) {
        unsigned chosen = 0;
        for (; picks != 0; picks &= picks - 1) chosen |= 1u << position[std::countr_zero(picks)];
        return f(chosen);
    });
}

}  // namespace varendo::logic
