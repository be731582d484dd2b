#include "logic/almost_locked_sets.h"

#include "logic/combinations.h"
#include "logic/houses.h"

namespace varendo::logic {

const std::array<Cells, 81>& peer_sets() {
    static const std::array<Cells, 81> table = [] {
        std::array<Cells, 81> sets{};
        for (int c = 0; c < 81; ++c)
            for (std::uint8_t p : peers(c)) sets[c].set(p);
        return sets;
    }();
    return table;
}

std::vector<Als> almost_locked_sets(const CandidateGrid& grid) {
    std::vector<Als> sets;
    for (int house = 0; house < 27; ++house) {
        std::vector<int> open;
        for (std::uint8_t c : house_cells(house))
            if (grid.digit(c) == 0) open.push_back(c);
        const int n = static_cast<int>(open.size());
        for (int size = 1; size < n; ++size)
            for_each_combination(size, n, [&](unsigned chosen) {
                Als als;
                int box = -1;  // the one box of the cells, if they lie in one
                for (int k = 0; k < n; ++k)
                    if (chosen & (1u << k)) {
                        als.cells.set(open[k]);
                        als.digits |= grid.candidates(open[k]);
                        box = box == -1 || box == box_index_of(open[k]) ? box_index_of(open[k]) : -2;
                    }
                // A set of a line within one box was found with the box.
                if (mask_count(als.digits) != size + 1 || (house >= kRowHouse && box >= 0)) return true;
                for (int d = 1; d <= 9; ++d) {
                    als.seeing[d - 1].set();
                    for (int k = 0; k < n; ++k)
                        if ((chosen & (1u << k)) && grid.has(open[k], d)) {
                            als.holding[d - 1].set(open[k]);
                            als.seeing[d - 1] &= peer_sets()[open[k]];
                        }
                }
                sets.push_back(std::move(als));
                return true;
            });
    }
    return sets;
}

bool restricted_common(const Als& a, const Als& b, int d) {
    const Cells& in_a = a.holding[d - 1];
    const Cells& in_b = b.holding[d - 1];
    return (in_a & b.cells).none() && (in_b & a.cells).none() && (in_b & ~a.seeing[d - 1]).none();
}

namespace {

std::vector<Link> links_between(const std::vector<Als>& sets) {
    std::vector<Link> links;
    for (std::size_t i = 0; i < sets.size(); ++i)
        for (std::size_t j = i + 1; j < sets.size(); ++j) {
            const unsigned common = sets[i].digits & sets[j].digits;
            unsigned digits = 0;
            for (int d = 1; d <= 9; ++d)
                if ((common & digit_bit(d)) && restricted_common(sets[i], sets[j], d)) digits |= digit_bit(d);
            if (digits != 0) links.push_back({i, j, digits});
        }
    return links;
}

}  // namespace

std::shared_ptr<const AlsTable> als_table(const CandidateGrid& grid) {
    thread_local CandidateGrid last;
    thread_local std::shared_ptr<const AlsTable> table;
    if (!table || !(last == grid)) {
        AlsTable fresh{almost_locked_sets(grid), {}};
        fresh.links = links_between(fresh.sets);
        table = std::make_shared<const AlsTable>(std::move(fresh));
        last = grid;
    }
    return table;
}

CellSet cell_set(const Als& als) {
    CellSet set;
    for (int c = 0; c < 81; ++c)
        if (als.cells[c]) set.cells.push_back(static_cast<std::uint8_t>(c));
    set.digits = static_cast<std::uint16_t>(als.digits);
    return set;
}

std::array<Cells, 9> digit_cells(const CandidateGrid& grid) {
    std::array<Cells, 9> cells{};
    for (int c = 0; c < 81; ++c)
        for (int d = 1; d <= 9; ++d)
            if (grid.has(c, d)) cells[d - 1].set(c);
    return cells;
}

void strike(const CandidateGrid& grid, std::span<const Als* const> sets, int d, std::vector<Candidate>& struck) {
    Cells victims;
    victims.set();
    bool held = false;
    for (const Als* als : sets)
        if (als->holding[d - 1].any()) {
            victims &= als->seeing[d - 1];
            held = true;
        }
    if (!held) return;
    for (int c = 0; c < 81; ++c)
        if (victims[c] && grid.has(c, d)) struck.push_back({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d)});
}

Step als_step(Technique technique, int rating, const std::vector<const Als*>& sets, unsigned digits,
             std::vector<Candidate>&& struck) {
    Step step;
    step.eliminations = std::move(struck);
    step.technique = technique;
    step.rating = rating;
    step.digits = static_cast<std::uint16_t>(digits);
    for (const Als* als : sets) step.sets.push_back(cell_set(*als));
    return step;
}


}  // namespace varendo::logic
