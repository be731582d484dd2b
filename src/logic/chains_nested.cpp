// Forcing chains nested in dynamic ones: where the links and the simple rules of an assumption
// stall, the chains of a lower level are searched in the grid the assumption has made, and what
// they strike follows from the assumption through the removals their singles needed.

#include <algorithm>
#include <span>

#include "logic/chain_search.h"

namespace varendo::logic {

namespace {

// Nested searches left to the current search of the ladder. A 9.5 step of the classic rater
// takes some thousands; past this bound the level gives up instead of running for minutes.
constexpr int kNestedBudget = 20000;
thread_local int nested_left = kNestedBudget;

bool in_house(int house, int cell) {
    for (int h : houses_of(cell))
        if (h == house) return true;
    return false;
}

}  // namespace

void begin_nested_budget() { nested_left = kNestedBudget; }
bool take_nested_search() { return nested_left-- > 0; }
bool nested_budget_spent() { return nested_left < 0; }

void ChainSearch::collect(Technique technique, double difficulty, int complexity, int sort_key,
                          std::vector<Candidate> removable, const std::vector<ChainEnd>& chains) {
    NestedHint hint{difficulty, complexity, sort_key, 1469598103934665603ull, std::move(removable), {}, {}};
    // A cycle holds both ways round: each of its links is a single the other way.
    const bool cycle = technique == Technique::XCycle || technique == Technique::YCycle || technique == Technique::XYCycle;
    for (const ChainEnd& end : chains) {
        for (int a : end.run->ancestors(end.index)) {
            const NodeId id = end.run->id(a);
            hint.identity = (hint.identity ^ id) * 1099511628211ull;
            if (!node_on(id) && !cycle) continue;
            const int parent = end.run->first_parent(a);
            const int cell = node_cell(id);
            if (parent < 0) {
                // The assumptions themselves: a cell's chains use its single, a region's its own.
                if (sort_key == 5) hint.cells.push_back(cell);
                if (sort_key == 6) hint.house_digits.push_back({region_house_, node_digit(id)});
                continue;
            }
            const int from = node_cell(end.run->id(parent));
            if (from == cell) {
                hint.cells.push_back(cell);
                continue;
            }
            for (int house : houses_of(from))
                if (in_house(house, cell)) {
                    hint.house_digits.push_back({house, node_digit(id)});
                    break;
                }
        }
    }
    collect_->push_back(std::move(hint));
}

void ChainSearch::nested(ChainRun& run, std::vector<int>& out) {
    // Level 2 nests forcing chains and cycles, level 3 those and then multiple forcing chains,
    // level 4 dynamic forcing chains, which cover both.
    const ChainFamily level2[] = {ChainFamily::Static};
    const ChainFamily level3[] = {ChainFamily::Static, ChainFamily::Multiple};
    const ChainFamily level4[] = {ChainFamily::Dynamic};
    const auto families = level_ == 2 ? std::span<const ChainFamily>(level2)
                          : level_ == 3 ? std::span<const ChainFamily>(level3)
                                        : std::span<const ChainFamily>(level4);
    std::vector<NestedHint> hints;
    std::vector<int> parents;
    for (ChainFamily family : families) {
        if (!take_nested_search()) return;
        hints.clear();
        ChainSearch inner(work_, family, depth_ + 1);
        inner.collect_into(&hints);
        if (family == ChainFamily::Static)
            inner.run_static();
        else
            inner.run_multiple();
        // The inner search's hints come easiest first, then shortest, as the rater sorts them.
        std::stable_sort(hints.begin(), hints.end(), [](const NestedHint& a, const NestedHint& b) {
            if (a.difficulty != b.difficulty) return a.difficulty < b.difficulty;
            if (a.complexity != b.complexity) return a.complexity < b.complexity;
            return a.sort_key < b.sort_key;
        });
        for (NestedHint& hint : hints) {
            parents.clear();
            for (int cell : hint.cells)
                for (int d = 1; d <= 9; ++d) removed_in(run, cell, d, parents);
            for (const auto& [house, digit] : hint.house_digits)
                for (std::uint8_t cell : house_cells(house)) removed_in(run, cell, digit, parents);
            std::vector<int> unique;
            for (int p : parents)
                if (std::find(unique.begin(), unique.end(), p) == unique.end()) unique.push_back(p);
            // A chain that needs none of the assumption's removals was there before it.
            if (unique.empty()) continue;
            const int name = run.add_nested(hint.identity, hint.complexity);
            std::sort(hint.removable.begin(), hint.removable.end(), [](const Candidate& a, const Candidate& b) {
                return a.cell != b.cell ? a.cell < b.cell : a.digit < b.digit;
            });
            for (const Candidate& c : hint.removable)
                out.push_back(run.add(node_id(c.cell, c.digit, false), unique.data(), static_cast<int>(unique.size()), name));
        }
        if (!out.empty()) return;
    }
}

}  // namespace varendo::logic
