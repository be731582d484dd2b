#include <bit>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

constexpr int kRatings[5] = {0, 0, 32, 38, 52};
constexpr Technique kNames[5] = {Technique::XWing, Technique::XWing, Technique::XWing, Technique::Swordfish,
                                 Technique::Jellyfish};

bool scan(const CandidateGrid& grid, int degree, int base_kind, int cover_kind, const StepSink& sink) {
    return for_each_combination(degree, 9, [&](unsigned bases) {
        for (int digit = 1; digit <= 9; ++digit) {
            unsigned covers = 0;
            bool usable = true;
            for (int i = 0; i < 9 && usable; ++i) {
                if (!(bases & (1u << i))) continue;
                const unsigned places = grid.positions(base_kind + i, digit);
                usable = mask_count(places) > 1;
                covers |= places;
            }
            if (!usable || mask_count(covers) != degree) continue;
            Step step;
            step.technique = kNames[degree];
            step.rating = kRatings[degree];
            step.digits = digit_bit(digit);
            step.size = degree;
            for (int i = 0; i < 9; ++i) {
                if (bases & (1u << i)) step.base.push_back(static_cast<std::uint8_t>(base_kind + i));
                if (!(covers & (1u << i))) continue;
                step.cover.push_back(static_cast<std::uint8_t>(cover_kind + i));
                for (int j = 0; j < 9; ++j) {
                    const int cell = house_cells(cover_kind + i)[j];
                    if (!grid.has(cell, digit)) continue;
                    if (bases & (1u << j))
                        step.cells.push_back(static_cast<std::uint8_t>(cell));
                    else
                        step.eliminations.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)});
                }
            }
            step.houses = step.base;
            if (!step.eliminations.empty() && !sink(std::move(step))) return false;
        }
        return true;
    });
}

}  // namespace

bool find_fish(const CandidateGrid& grid, int degree, const StepSink& sink) {
    return scan(grid, degree, kColumnHouse, kRowHouse, sink) && scan(grid, degree, kRowHouse, kColumnHouse, sink);
}

StepSink explainer_fish(const CandidateGrid& grid, int degree, const StepSink& sink) {
    return [&grid, degree, &sink](Step&& step) {
        int placed = 0;
        for (int c = 0; c < 81; ++c) placed += grid.digit(c) != 0 && (digit_bit(grid.digit(c)) & step.digits) != 0;
        return placed + 2 * degree > 9 || sink(std::move(step));
    };
}

}  // namespace varendo::logic
