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

}  // namespace varendo::logic
