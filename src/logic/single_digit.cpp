#include <bit>
#include <vector>

#include "logic/producers.h"

namespace varendo::logic {

namespace {

struct StrongLink {
    int house;
    int a, b;
};

std::vector<StrongLink> strong_links(const CandidateGrid& grid, int digit) {
    std::vector<StrongLink> links;
    for (int house = 0; house < 27; ++house) {
        const unsigned places = grid.positions(house, digit);
        if (mask_count(places) != 2) continue;
        const HouseCells& cells = house_cells(house);
        links.push_back({house, cells[std::countr_zero(places)], cells[31 - std::countl_zero(places)]});
    }
    return links;
}

}  // namespace

// Two strong links on one digit joined by a weak one: one of the two far ends holds the
// digit, so it leaves every cell that sees both. Two parallel lines make a skyscraper, a row
// and a column joined in a box a 2-string kite, anything else a turbot fish.
bool find_single_digit_patterns(const CandidateGrid& grid, const StepSink& sink) {
    for (int digit = 1; digit <= 9; ++digit) {
        const std::vector<StrongLink> links = strong_links(grid, digit);
        for (std::size_t i = 0; i < links.size(); ++i)
            for (std::size_t j = i + 1; j < links.size(); ++j)
                for (int flip = 0; flip < 4; ++flip) {
                    const StrongLink& one = links[i];
                    const StrongLink& two = links[j];
                    const int near1 = flip & 1 ? one.b : one.a, far1 = flip & 1 ? one.a : one.b;
                    const int near2 = flip & 2 ? two.b : two.a, far2 = flip & 2 ? two.a : two.b;
                    if (near1 == near2 || far1 == far2 || far1 == near2 || far2 == near1 || !sees(near1, near2))
                        continue;
                    Step step;
                    const bool lines = one.house >= kRowHouse && two.house >= kRowHouse;
                    const bool parallel = lines && (one.house < kColumnHouse) == (two.house < kColumnHouse);
                    if (parallel) {
                        step.technique = Technique::Skyscraper;
                        step.rating = 40;
                    } else if (lines && box_index_of(near1) == box_index_of(near2)) {
                        step.technique = Technique::TwoStringKite;
                        step.rating = 41;
                    } else {
                        step.technique = Technique::TurbotFish;
                        step.rating = 42;
                    }
                    step.cells = {static_cast<std::uint8_t>(far1), static_cast<std::uint8_t>(near1),
                                  static_cast<std::uint8_t>(near2), static_cast<std::uint8_t>(far2)};
                    step.houses = {static_cast<std::uint8_t>(one.house), static_cast<std::uint8_t>(two.house)};
                    step.digits = digit_bit(digit);
                    for (std::uint8_t v : peers(far1))
                        if (v != far2 && sees(v, far2) && grid.has(v, digit))
                            step.eliminations.push_back({v, static_cast<std::uint8_t>(digit)});
                    if (!step.eliminations.empty() && !sink(std::move(step))) return false;
                }
    }
    return true;
}

// W-wing: two cells holding the same pair x/y that do not see each other, and a strong link
// on x whose ends see one cell each: one of the cells holds y, so y leaves what sees both.
bool find_w_wings(const CandidateGrid& grid, const StepSink& sink) {
    for (int p = 0; p < 81; ++p) {
        const unsigned pair = grid.candidates(p);
        if (mask_count(pair) != 2) continue;
        for (int q = p + 1; q < 81; ++q) {
            if (grid.candidates(q) != pair || sees(p, q)) continue;
            for (int x = 1; x <= 9; ++x) {
                if (!(pair & digit_bit(x))) continue;
                const int y = std::countr_zero(pair & ~digit_bit(x)) + 1;
                for (const StrongLink& link : strong_links(grid, x)) {
                    const bool joined = (sees(link.a, p) && sees(link.b, q)) || (sees(link.a, q) && sees(link.b, p));
                    if (!joined || link.a == p || link.a == q || link.b == p || link.b == q) continue;
                    Step step;
                    step.technique = Technique::WWing;
                    step.rating = 44;
                    step.cells = {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(link.a),
                                  static_cast<std::uint8_t>(link.b), static_cast<std::uint8_t>(q)};
                    step.houses = {static_cast<std::uint8_t>(link.house)};
                    step.digits = static_cast<std::uint16_t>(pair);
                    for (std::uint8_t v : peers(p))
                        if (v != q && sees(v, q) && grid.has(v, y)) step.eliminations.push_back({v, static_cast<std::uint8_t>(y)});
                    if (!step.eliminations.empty() && !sink(std::move(step))) return false;
                }
            }
        }
    }
    return true;
}

}  // namespace varendo::logic
