#include <bit>

#include "logic/producers.h"

namespace varendo::logic {

// XY-Wing (4.2): a pivot xy sees xz and yz, and z goes from the cells both wings see.
// XYZ-Wing (4.4): the pivot holds xyz, and the cells must see the pivot too.
bool find_xy_wings(const CandidateGrid& grid, bool xyz, const StepSink& sink) {
    const int pivot_size = xyz ? 3 : 2;
    for (int pivot = 0; pivot < 81; ++pivot) {
        const unsigned xy = grid.candidates(pivot);
        if (mask_count(xy) != pivot_size) continue;
        for (std::uint8_t xz_cell : peers(pivot)) {
            const unsigned xz = grid.candidates(xz_cell);
            if (mask_count(xz) != 2 || mask_count(xy & ~xz) != 1) continue;
            for (std::uint8_t yz_cell : peers(pivot)) {
                const unsigned yz = grid.candidates(yz_cell);
                if (mask_count(yz) != 2) continue;
                const unsigned all = xy | xz | yz;
                const unsigned common = xy & xz & yz;
                if (mask_count(all) != 3 || mask_count(common) != (xyz ? 1 : 0)) continue;
                const int z = std::countr_zero(xz & yz) + 1;
                Step step;
                step.technique = xyz ? Technique::XYZWing : Technique::XYWing;
                step.rating = xyz ? 44 : 42;
                step.cells = {static_cast<std::uint8_t>(pivot), xz_cell, yz_cell};
                step.digits = static_cast<std::uint16_t>(all);
                for (std::uint8_t victim : peers(xz_cell)) {
                    if (victim == pivot || victim == yz_cell || !sees(victim, yz_cell)) continue;
                    if (xyz && !sees(victim, pivot)) continue;
                    if (grid.has(victim, z)) step.eliminations.push_back({victim, static_cast<std::uint8_t>(z)});
                }
                if (!step.eliminations.empty() && !sink(std::move(step))) return false;
            }
        }
    }
    return true;
}

}  // namespace varendo::logic
