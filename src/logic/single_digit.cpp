#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "logic/producers.h"
#include "logic/strong_links.h"

namespace varendo::logic {

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
                    for (std::uint8_t v : peers(far1))
                        if (v != far2 && sees(v, far2) && grid.has(v, digit))
                            step.eliminations.push_back({v, static_cast<std::uint8_t>(digit)});
                    if (step.eliminations.empty()) continue;
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
                    if (!sink(std::move(step))) return false;
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

// Empty rectangle: in a box the digit lies only on one row and one column (on both), so one
// of them holds it; a strong link on a line that meets that row (or column) outside the box
// then leaves the digit where its far end's line crosses the box's other line.
bool find_empty_rectangles(const CandidateGrid& grid, const StepSink& sink) {
    for (int digit = 1; digit <= 9; ++digit) {
        const std::vector<StrongLink> links = strong_links(grid, digit);
        for (int box = 0; box < 9; ++box) {
            const unsigned places = grid.positions(kBoxHouse + box, digit);
            if (mask_count(places) < 2) continue;
            for (int i = 0; i < 9; ++i) {
                const int corner = house_cells(kBoxHouse + box)[i];
                const int row = row_of(corner), column = column_of(corner);
                bool on_row = false, on_column = false, outside = false;
                for (int j = 0; j < 9; ++j) {
                    if (!(places & (1u << j))) continue;
                    const int c = house_cells(kBoxHouse + box)[j];
                    on_row = on_row || (row_of(c) == row && column_of(c) != column);
                    on_column = on_column || (column_of(c) == column && row_of(c) != row);
                    outside = outside || (row_of(c) != row && column_of(c) != column);
                }
                if (!on_row || !on_column || outside) continue;
                for (const StrongLink& link : links) {
                    if (link.house < kRowHouse) continue;
                    const bool is_column = link.house >= kColumnHouse;
                    for (int flip = 0; flip < 2; ++flip) {
                        const int near = flip ? link.b : link.a, far = flip ? link.a : link.b;
                        if (box_index_of(near) == box || box_index_of(far) == box) continue;
                        // A column link meets the box's row; a row link meets its column.
                        if (is_column ? row_of(near) != row : column_of(near) != column) continue;
                        const int target = is_column ? 9 * row_of(far) + column : 9 * row + column_of(far);
                        if (box_index_of(target) == box || !grid.has(target, digit)) continue;
                        Step step;
                        step.technique = Technique::EmptyRectangle;
                        step.rating = 43;
                        step.houses = {static_cast<std::uint8_t>(kBoxHouse + box), static_cast<std::uint8_t>(link.house)};
                        step.cells = {static_cast<std::uint8_t>(near), static_cast<std::uint8_t>(far)};
                        step.digits = digit_bit(digit);
                        step.eliminations.push_back({static_cast<std::uint8_t>(target), static_cast<std::uint8_t>(digit)});
                        if (!sink(std::move(step))) return false;
                    }
                }
            }
        }
    }
    return true;
}

}  // namespace varendo::logic
