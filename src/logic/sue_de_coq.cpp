#include <vector>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

struct Part {
    std::vector<int> cells;
    unsigned digits = 0;
};

// The unsolved cells of a house, inside or outside another house.
std::vector<int> open_cells(const CandidateGrid& grid, int house, int other, bool inside) {
    std::vector<int> cells;
    for (std::uint8_t c : house_cells(house)) {
        const auto mine = houses_of(c);
        const bool in_other = mine[0] == other || mine[1] == other || mine[2] == other;
        if (grid.digit(c) == 0 && in_other == inside) cells.push_back(c);
    }
    return cells;
}

// Calls f for each part made of some (at least one) of the cells.
template <typename F>
bool for_each_part(const CandidateGrid& grid, const std::vector<int>& cells, int smallest, F&& f) {
    const int n = static_cast<int>(cells.size());
    for (int size = smallest; size <= n; ++size)
        if (!for_each_combination(size, n, [&](unsigned chosen) {
                Part part;
                for (int k = 0; k < n; ++k)
                    if (chosen & (1u << k)) {
                        part.cells.push_back(cells[k]);
                        part.digits |= grid.candidates(cells[k]);
                    }
                return f(part);
            }))
            return false;
    return true;
}

CellSet cell_set(const Part& part) {
    CellSet set;
    for (int c : part.cells) set.cells.push_back(static_cast<std::uint8_t>(c));
    set.digits = static_cast<std::uint16_t>(part.digits);
    return set;
}

// Strikes `digits` from the unsolved cells of a house outside the pattern.
void strike(const CandidateGrid& grid, int house, unsigned digits, const std::vector<const Part*>& parts, Step& step) {
    for (std::uint8_t v : house_cells(house)) {
        bool inside = false;
        for (const Part* part : parts)
            for (int c : part->cells) inside = inside || c == v;
        for (int d = 1; d <= 9 && !inside; ++d)
            if ((digits & digit_bit(d)) && grid.has(v, d)) step.eliminations.push_back({v, static_cast<std::uint8_t>(d)});
    }
}

}  // namespace

// Sue de Coq: two or three cells where a line crosses a box hold at least two digits more
// than cells; with cells of the line's rest (digits L) and of the box's rest (digits B, none
// in L) they make as many cells as digits, so every digit is there once: L leaves the rest of
// the line, B the rest of the box, and the crossing's other digits both.
bool find_sue_de_coq(const CandidateGrid& grid, const StepSink& sink) {
    for (int line = kRowHouse; line < 27; ++line)
        for (int box = 0; box < 9; ++box) {
            const std::vector<int> crossing = open_cells(grid, line, box, true);
            if (crossing.size() < 2) continue;
            const std::vector<int> line_rest = open_cells(grid, line, box, false);
            const std::vector<int> box_rest = open_cells(grid, box, line, false);
            const bool go_on = for_each_part(grid, crossing, 2, [&](const Part& middle) {
                const int spare = mask_count(middle.digits) - static_cast<int>(middle.cells.size());
                if (spare < 2) return true;
                return for_each_part(grid, line_rest, 1, [&](const Part& in_line) {
                    return for_each_part(grid, box_rest, 1, [&](const Part& in_box) {
                        const unsigned all = middle.digits | in_line.digits | in_box.digits;
                        const std::size_t cells = middle.cells.size() + in_line.cells.size() + in_box.cells.size();
                        if ((in_line.digits & in_box.digits) || mask_count(all) != static_cast<int>(cells)) return true;
                        Step step;
                        step.technique = Technique::SueDeCoq;
                        step.rating = 50;
                        step.digits = static_cast<std::uint16_t>(middle.digits);
                        step.houses = {static_cast<std::uint8_t>(line), static_cast<std::uint8_t>(box)};
                        for (int c : middle.cells) step.cells.push_back(static_cast<std::uint8_t>(c));
                        step.sets = {cell_set(middle), cell_set(in_line), cell_set(in_box)};
                        const unsigned only_middle = all & ~in_line.digits & ~in_box.digits;
                        strike(grid, line, in_line.digits | only_middle, {&middle, &in_line}, step);
                        strike(grid, box, in_box.digits | only_middle, {&middle, &in_box}, step);
                        return step.eliminations.empty() || sink(std::move(step));
                    });
                });
            });
            if (!go_on) return false;
        }
    return true;
}

}  // namespace varendo::logic
