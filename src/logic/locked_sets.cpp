#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

// Locked pairs and triples: two or three cells where a line crosses a box hold as many digits
// between them, so those digits leave the rest of both the line and the box.
bool find_locked_sets(const CandidateGrid& grid, int degree, const StepSink& sink) {
    for (int box = 0; box < 9; ++box) {
        const int band = box / 3, stack = box % 3;
        const int lines[6] = {kRowHouse + 3 * band,        kRowHouse + 3 * band + 1,        kRowHouse + 3 * band + 2,
                              kColumnHouse + 3 * stack,    kColumnHouse + 3 * stack + 1,    kColumnHouse + 3 * stack + 2};
        for (int line : lines) {
            int crossing[3], n = 0;
            for (std::uint8_t c : house_cells(line))
                if (box_index_of(c) == box) crossing[n++] = c;
            const bool go_on = for_each_combination(degree, 3, [&](unsigned chosen) {
                unsigned digits = 0;
                Step step;
                for (int k = 0; k < 3; ++k) {
                    if (!(chosen & (1u << k))) continue;
                    if (mask_count(grid.candidates(crossing[k])) < 2) return true;
                    digits |= grid.candidates(crossing[k]);
                    step.cells.push_back(static_cast<std::uint8_t>(crossing[k]));
                }
                if (mask_count(digits) != degree) return true;
                step.technique = degree == 2 ? Technique::LockedPair : Technique::LockedTriple;
                step.rating = degree == 2 ? 30 : 36;
                step.digits = static_cast<std::uint16_t>(digits);
                step.houses = {static_cast<std::uint8_t>(line), static_cast<std::uint8_t>(box)};
                step.size = degree;
                for (int house : {line, box})
                    for (std::uint8_t v : house_cells(house)) {
                        bool inside = false;
                        for (std::uint8_t c : step.cells) inside = inside || c == v;
                        if (inside || (house == box && houses_of(v)[line < kColumnHouse ? 1 : 2] == line)) continue;
                        for (int d = 1; d <= 9; ++d)
                            if ((digits & digit_bit(d)) && grid.has(v, d))
                                step.eliminations.push_back({v, static_cast<std::uint8_t>(d)});
                    }
                return step.eliminations.empty() || sink(std::move(step));
            });
            if (!go_on) return false;
        }
    }
    return true;
}

}  // namespace varendo::logic
