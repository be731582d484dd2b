// Aligned pair and triple exclusion: a few base cells together cannot take digits that empty a
// cell every one of them sees, nor one digit twice in a house; a candidate of a base cell that
// no allowed combination uses goes.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "logic/cell_bits.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

struct BaseCell {
    int cell;
    CellBits excluders;  // peers with 2..degree candidates
};

// The base cells in row order: two candidates or more, no naked single among their peers (the
// classic rater skips those) and at least one excluder.
std::vector<BaseCell> base_cells(const CandidateGrid& grid, int degree) {
    std::vector<BaseCell> bases;
    for (int cell = 0; cell < 81; ++cell) {
        if (grid.digit(cell) != 0 || mask_count(grid.candidates(cell)) < 2) continue;
        BaseCell base{cell, {}};
        bool single = false;
        for (std::uint8_t peer : peers(cell)) {
            const int count = grid.digit(peer) != 0 ? 0 : mask_count(grid.candidates(peer));
            single = single || count == 1;
            if (count >= 2 && count <= degree) base.excluders.set(peer);
        }
        if (!single && base.excluders.any()) bases.push_back(base);
    }
    return bases;
}

// Tries one set of base cells; true to go on.
bool exclude(const CandidateGrid& grid, const std::vector<int>& cells, const CellBits& common, Technique technique,
             int rating, const StepSink& sink) {
    DigitMask locks[20];
    int lock_count = 0;
    common.each([&](int c) { locks[lock_count++] = grid.candidates(c); });
    const int n = static_cast<int>(cells.size());
    DigitMask own[3] = {};
    for (int i = 0; i < n; ++i) own[i] = grid.candidates(cells[i]);
    DigitMask allowed[3] = {};
    // Every combination of one candidate per base cell; a digit twice is barred where two base
    // cells see each other. Once every candidate is allowed nothing can go, and the rest is
    // skipped.
    const bool sees01 = sees(cells[0], cells[1]);
    const bool sees02 = n == 3 && sees(cells[0], cells[2]);
    const bool sees12 = n == 3 && sees(cells[1], cells[2]);
    auto open = [&](unsigned used) {
        for (int k = 0; k < lock_count; ++k)
            if ((locks[k] & ~used) == 0) return false;
        return true;
    };
    auto all_allowed = [&] { return allowed[0] == own[0] && allowed[1] == own[1] && allowed[2] == own[2]; };
    for (unsigned r0 = own[0]; r0 != 0 && !all_allowed(); r0 &= r0 - 1) {
        const unsigned b0 = r0 & -r0;
        for (unsigned r1 = own[1] & ~(sees01 ? b0 : 0); r1 != 0; r1 &= r1 - 1) {
            const unsigned b1 = r1 & -r1;
            if (n == 2) {
                if (!open(b0 | b1)) continue;
                allowed[0] |= b0;
                allowed[1] |= b1;
                continue;
            }
            for (unsigned r2 = own[2] & ~(sees02 ? b0 : 0) & ~(sees12 ? b1 : 0); r2 != 0; r2 &= r2 - 1) {
                const unsigned b2 = r2 & -r2;
                if (!open(b0 | b1 | b2)) continue;
                allowed[0] |= b0;
                allowed[1] |= b1;
                allowed[2] |= b2;
            }
        }
    }
    if (all_allowed()) return true;
    Step step;
    for (int i = 0; i < n; ++i)
        for (int d = 1; d <= 9; ++d)
            if (grid.has(cells[i], d) && !(allowed[i] & digit_bit(d)))
                step.eliminations.push_back({static_cast<std::uint8_t>(cells[i]), static_cast<std::uint8_t>(d)});
    if (step.eliminations.empty()) return true;
    step.technique = technique;
    step.rating = rating;
    step.size = n;
    for (int c : cells) step.cells.push_back(static_cast<std::uint8_t>(c));
    common.each([&](int c) { step.cells.push_back(static_cast<std::uint8_t>(c)); });
    return sink(std::move(step));
}

}  // namespace

bool find_aligned_exclusion(const CandidateGrid& grid, int degree, const StepSink& sink) {
    const std::vector<BaseCell> bases = base_cells(grid, degree);
    const int count = static_cast<int>(bases.size());
    const Technique technique = degree == 2 ? Technique::AlignedPairExclusion : Technique::AlignedTripleExclusion;
    const int rating = degree == 2 ? 62 : 75;
    CellBits candidates;
    for (const BaseCell& b : bases) candidates.set(b.cell);
    std::vector<int> index_of(81, -1);
    for (int k = 0; k < count; ++k) index_of[bases[k].cell] = k;
    std::vector<int> cells;
    std::vector<int> tail;
    // Pairs in the rater's order: by the later cell, then the earlier one.
    for (int second = 1; second < count; ++second) {
        for (int first = 0; first < second; ++first) {
            const BaseCell& a = bases[first];
            const BaseCell& b = bases[second];
            if (degree == 2) {
                const CellBits common = a.excluders & b.excluders;
                // Striking d from one cell takes an excluder {d, e} for each digit e of the other
                // but (in a shared house) d itself.
                const int fewest = std::min(mask_count(grid.candidates(a.cell)), mask_count(grid.candidates(b.cell)));
                if (common.count() < std::max(2, fewest - 1)) continue;
                cells = {a.cell, b.cell};
                if (!exclude(grid, cells, common, technique, rating, sink)) return false;
                continue;
            }
            // A third cell among the other base cells that one of the two sees through an excluder.
            tail.clear();
            CellBits in_tail;
            for (const BaseCell* base : {&a, &b})
                for (std::uint8_t peer : peers(base->cell))
                    if (base->excluders.test(peer) && candidates.test(peer) && peer != a.cell && peer != b.cell &&
                        !in_tail.test(peer)) {
                        in_tail.set(peer);
                        tail.push_back(peer);
                    }
            for (int third : tail) {
                const CellBits common = a.excluders & b.excluders & bases[index_of[third]].excluders;
                if (common.count() < 2) continue;
                cells = {a.cell, b.cell, third};
                if (!exclude(grid, cells, common, technique, rating, sink)) return false;
            }
        }
    }
    return true;
}

}  // namespace varendo::logic
