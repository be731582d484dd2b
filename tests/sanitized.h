#pragma once

#include <cstddef>

namespace varendo::test {

// The sanitized build runs several times slower: its long loops take every `factor`-th case.
constexpr std::size_t sanitized_stride([[maybe_unused]] std::size_t factor) {
#ifdef __SANITIZE_ADDRESS__
    return factor;
#else
    return 1;
#endif
}

}  // namespace varendo::test
