#include <algorithm>
#include <array>
#include <bitset>
#include <initializer_list>
#include <vector>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

using Cells = std::bitset<81>;

const std::array<Cells, 81>& peer_sets() {
    static const std::array<Cells, 81> table = [] {
        std::array<Cells, 81> sets{};
        for (int c = 0; c < 81; ++c)
            for (std::uint8_t p : peers(c)) sets[c].set(p);
        return sets;
    }();
    return table;
}

// An almost locked set: n unsolved cells of one house holding n + 1 digits. For each digit,
// its cells in the set and the cells outside that see them all.
struct Als {
    Cells cells;
    unsigned digits = 0;
    std::array<Cells, 9> holding{};
    std::array<Cells, 9> seeing{};
};

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

// A restricted common digit: in both sets, on no shared cell, and every cell of one that
// holds it sees every cell of the other that does: it is true in at most one of them.
bool restricted_common(const Als& a, const Als& b, int d) {
    const Cells& in_a = a.holding[d - 1];
    const Cells& in_b = b.holding[d - 1];
    return (in_a & b.cells).none() && (in_b & a.cells).none() && (in_b & ~a.seeing[d - 1]).none();
}

// Two sets and their restricted common digits.
struct Link {
    std::size_t one, two;
    unsigned digits;
};

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

CellSet cell_set(const Als& als) {
    CellSet set;
    for (int c = 0; c < 81; ++c)
        if (als.cells[c]) set.cells.push_back(static_cast<std::uint8_t>(c));
    set.digits = static_cast<std::uint16_t>(als.digits);
    return set;
}

// Strikes digit d from the cells that see every cell of the sets holding it.
void strike(const CandidateGrid& grid, std::initializer_list<const Als*> sets, int d, std::vector<Candidate>& struck) {
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

// What an ALS-XZ strikes. With one restricted common digit x, one of the sets lacks x and is
// then locked on its other digits, so any other common digit z is true in one of them and
// leaves every cell that sees all its cells in both. With two (doubly linked) both sets are
// locked: each restricted digit leaves what sees all its cells in both, and each other digit
// what sees all its cells in its set. HoDoKu strikes a digit common to both sets only where
// it sees all its cells in both (`common_in_both`).
std::vector<Candidate> xz_eliminations(const CandidateGrid& grid, const Als& a, const Als& b, unsigned restricted,
                                       bool common_in_both) {
    const unsigned common = a.digits & b.digits;
    std::vector<Candidate> struck;
    for (int d = 1; d <= 9; ++d) {
        const unsigned bit = digit_bit(d);
        if (mask_count(restricted) == 2) {
            if ((bit & restricted) || (common_in_both && (bit & common))) strike(grid, {&a, &b}, d, struck);
            else if (bit & (a.digits | b.digits)) {
                strike(grid, {&a}, d, struck);
                strike(grid, {&b}, d, struck);
            }
        } else if ((common & bit) && !(restricted & bit)) {
            strike(grid, {&a, &b}, d, struck);
        }
    }
    std::sort(struck.begin(), struck.end(),
              [](Candidate x, Candidate y) { return x.cell != y.cell ? x.cell < y.cell : x.digit < y.digit; });
    struck.erase(std::unique(struck.begin(), struck.end()), struck.end());
    return struck;
}

}  // namespace

// ALS-XZ: two sets that share a restricted common digit, each instance in full; then the
// doubly linked ones as HoDoKu states them, where that strikes less.
bool find_als_xz(const CandidateGrid& grid, const StepSink& sink) {
    const std::vector<Als> sets = almost_locked_sets(grid);
    std::vector<Step> as_hodoku;
    for (const Link& link : links_between(sets)) {
        const Als& a = sets[link.one];
        const Als& b = sets[link.two];
        if (mask_count(a.digits & b.digits) < 2 || (a.cells & b.cells).any()) continue;
        std::vector<Candidate> struck = xz_eliminations(grid, a, b, link.digits, false);
        if (struck.empty()) continue;
        if (mask_count(link.digits) == 2) {
            std::vector<Candidate> narrower = xz_eliminations(grid, a, b, link.digits, true);
            if (!narrower.empty() && narrower.size() < struck.size())
                as_hodoku.push_back(als_step(Technique::AlsXZ, 55, {&a, &b}, link.digits, std::move(narrower)));
        }
        if (!sink(als_step(Technique::AlsXZ, 55, {&a, &b}, link.digits, std::move(struck)))) return false;
    }
    for (Step& step : as_hodoku)
        if (!sink(std::move(step))) return false;
    return true;
}

// ALS-XY-Wing: a pivot set C shares a restricted common digit x with a set A and another, y,
// with a set B. Were z false in both A and B, A would hold x and B y, leaving C two digits
// short; so z, common to A and B, leaves every cell that sees all its cells in both.
bool find_als_xy_wings(const CandidateGrid& grid, const StepSink& sink) {
    const std::vector<Als> sets = almost_locked_sets(grid);
    // Each set's partners, by restricted common digit.
    std::vector<std::vector<std::pair<std::size_t, int>>> partners(sets.size());
    for (const Link& link : links_between(sets))
        for (int d = 1; d <= 9; ++d)
            if (link.digits & digit_bit(d)) {
                partners[link.one].push_back({link.two, d});
                partners[link.two].push_back({link.one, d});
            }
    for (std::size_t pivot = 0; pivot < sets.size(); ++pivot)
        for (const auto& [one, x] : partners[pivot])
            for (const auto& [two, y] : partners[pivot]) {
                const Als& a = sets[one];
                const Als& b = sets[two];
                const Cells both = a.cells | b.cells;
                if (one >= two || x == y || both == a.cells || both == b.cells) continue;
                const unsigned zs = a.digits & b.digits & ~(digit_bit(x) | digit_bit(y));
                if (zs == 0) continue;
                std::vector<Candidate> struck;
                for (int z = 1; z <= 9; ++z)
                    if (zs & digit_bit(z)) strike(grid, {&a, &b}, z, struck);
                if (!struck.empty() &&
                    !sink(als_step(Technique::AlsXYWing, 60, {&a, &b, &sets[pivot]}, digit_bit(x) | digit_bit(y), std::move(struck))))
                    return false;
            }
    return true;
}

}  // namespace varendo::logic
