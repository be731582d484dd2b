#include <algorithm>
#include <vector>

#include "logic/almost_locked_sets.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

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
    const auto table = als_table(grid);
    const std::vector<Als>& sets = table->sets;
    std::vector<Step> as_hodoku;
    for (const Link& link : table->links) {
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
    const auto table = als_table(grid);
    const std::vector<Als>& sets = table->sets;
    // Each set's partners, by restricted common digit.
    std::vector<std::vector<std::pair<std::size_t, int>>> partners(sets.size());
    for (const Link& link : table->links)
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
