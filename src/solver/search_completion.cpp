#include "solver/exact_search.h"
#include "solver/solver.h"
#include "solver/units.h"

namespace varendo {

int Solver::complete_by_search() {
    // The search takes the grid in any consistent order: here cell k at index k - 1.
    Grid81 givens{};
    for (int k = 1; k <= kCellCount; ++k)
        givens[k - 1] = frozen_value[k] == kEmptyFrozen ? 0 : static_cast<std::uint8_t>(frozen_value[k]);
    // Searching on for a second solution tells the caller whether the givens are unique.
    const SearchResult found = find_solutions(givens, 2);
    if (found.count == 0) return 0;

    reload_fixed_puzzle();
    for (int k = 1; k <= kCellCount; ++k) {
        if (frozen_value[k] != kEmptyFrozen) continue;
        const std::int16_t bit = digit_mask(found.solution[k - 1]);
        cell_mask[k] = bit;
        written_value = 0;
        write_pos(k - 1, bit);
        if (recorder != nullptr) record_placement(PlacementKind::Search, k, 0, 0, 0);
    }
    // The state now tells what the grid shows: a valid, complete solution.
    is_valid = true;
    valid_before = true;
    valid_after = true;
    is_complete = true;
    solve_state = 1;
    return found.count;
}

}  // namespace varendo
