#include <array>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

// The unsolved cells of a house, inside or outside another house, in the house's order.
struct OpenCells {
    std::array<std::uint8_t, 9> cells{};
    int count = 0;
};

OpenCells open_cells(const CandidateGrid& grid, int house, int other, bool inside) {
    OpenCells open;
    for (std::uint8_t c : house_cells(house)) {
        const auto mine = houses_of(c);
        const bool in_other = mine[0] == other || mine[1] == other || mine[2] == other;
        if (grid.digit(c) == 0 && in_other == inside) open.cells[open.count++] = c;
    }
    return open;
}

// Some of the open cells (bit k for cells[k]) and the digits they hold between them.
struct Part {
    unsigned chosen = 0;
    int size = 0;
    unsigned digits = 0;
};

// Every part of at least `smallest` cells, fewest cells first, each size in the order of its
// mask: the order the pattern is scanned in. No house has more than six open cells outside a
// crossing, nor more than three in it.
struct Parts {
    std::array<Part, 63> list;
    int count = 0;
};

void make_parts(const CandidateGrid& grid, const OpenCells& open, int smallest, Parts& parts) {
    parts.count = 0;
    for (int size = smallest; size <= open.count; ++size)
        for_each_combination(size, open.count, [&](unsigned chosen) {
            Part& part = parts.list[parts.count++];
            part = {chosen, size, 0};
            for (unsigned rest = chosen; rest != 0; rest &= rest - 1)
                part.digits |= grid.candidates(open.cells[std::countr_zero(rest)]);
            return true;
        });
}

CellSet cell_set(const OpenCells& open, const Part& part) {
    CellSet set;
    for (unsigned rest = part.chosen; rest != 0; rest &= rest - 1) set.cells.push_back(open.cells[std::countr_zero(rest)]);
    set.digits = static_cast<std::uint16_t>(part.digits);
    return set;
}

// Strikes `digits` from the unsolved cells of a house outside the pattern's sets.
void strike(const CandidateGrid& grid, int house, unsigned digits, const CellSet& a, const CellSet& b, Step& step) {
    for (std::uint8_t v : house_cells(house)) {
        bool inside = false;
        for (const CellSet* set : {&a, &b})
            for (std::uint8_t c : set->cells) inside = inside || c == v;
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
    // The parts of a crossing, a line's rest and a box's rest: made once for each crossing
    // rather than once for each pattern tried.
    Parts middles, in_lines, in_boxes;
    for (int line = kRowHouse; line < 27; ++line)
        for (int box = 0; box < 9; ++box) {
            const OpenCells crossing = open_cells(grid, line, box, true);
            if (crossing.count < 2) continue;
            const OpenCells line_rest = open_cells(grid, line, box, false);
            const OpenCells box_rest = open_cells(grid, box, line, false);
            make_parts(grid, crossing, 2, middles);
            make_parts(grid, line_rest, 1, in_lines);
            make_parts(grid, box_rest, 1, in_boxes);
            for (int m = 0; m < middles.count; ++m) {
                const Part& middle = middles.list[m];
                if (mask_count(middle.digits) - middle.size < 2) continue;
                for (int l = 0; l < in_lines.count; ++l) {
                    const Part& in_line = in_lines.list[l];
                    for (int b = 0; b < in_boxes.count; ++b) {
                        const Part& in_box = in_boxes.list[b];
                        const unsigned all = middle.digits | in_line.digits | in_box.digits;
                        if ((in_line.digits & in_box.digits) || mask_count(all) != middle.size + in_line.size + in_box.size)
                            continue;
                        Step step;
                        step.technique = Technique::SueDeCoq;
                        step.rating = 50;
                        step.digits = static_cast<std::uint16_t>(middle.digits);
                        step.houses = {static_cast<std::uint8_t>(line), static_cast<std::uint8_t>(box)};
                        step.sets = {cell_set(crossing, middle), cell_set(line_rest, in_line), cell_set(box_rest, in_box)};
                        step.cells = step.sets[0].cells;
                        const unsigned only_middle = all & ~in_line.digits & ~in_box.digits;
                        strike(grid, line, in_line.digits | only_middle, step.sets[0], step.sets[1], step);
                        strike(grid, box, in_box.digits | only_middle, step.sets[0], step.sets[2], step);
                        if (!step.eliminations.empty() && !sink(std::move(step))) return false;
                    }
                }
            }
        }
    return true;
}

}  // namespace varendo::logic
