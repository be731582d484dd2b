#pragma once

#include <bit>
#include <vector>

#include "logic/candidate_grid.h"

namespace varendo::logic {

// A house where a digit has exactly two places: one of them holds it.
struct StrongLink {
    int house;
    int a, b;
};

inline std::vector<StrongLink> strong_links(const CandidateGrid& grid, int digit) {
    std::vector<StrongLink> links;
    for (int house = 0; house < 27; ++house) {
        const unsigned places = grid.positions(house, digit);
        if (mask_count(places) != 2) continue;
        const HouseCells& cells = house_cells(house);
        links.push_back({house, cells[std::countr_zero(places)], cells[31 - std::countl_zero(places)]});
    }
    return links;
}

}  // namespace varendo::logic
