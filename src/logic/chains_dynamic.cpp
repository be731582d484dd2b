// Chains that follow an assumption through the grid it changes, with the simple rules of the
// (+) level applied where the links alone stall.

#include <algorithm>
#include <bit>

#include "logic/chain_search.h"
#include "logic/producers.h"

namespace varendo::logic {

void ChainSearch::on_to_off(ChainRun& run, int p, bool y, std::vector<int>& out) {
    out.clear();
    const NodeId id = run.id(p);
    const int cell = node_cell(id);
    const int digit = node_digit(id);
    if (y)
        for (unsigned others = work_.candidates(cell) & ~digit_bit(digit); others != 0; others &= others - 1)
            out.push_back(run.add(node_id(cell, std::countr_zero(others) + 1, false), &p, 1));
    // The peers come box, row, column, each once: the order the rater meets them in.
    for (std::uint8_t other : peers(cell))
        if (work_.has(other, digit)) out.push_back(run.add(node_id(other, digit, false), &p, 1));
}

void ChainSearch::off_to_on(ChainRun& run, int p, bool y, bool x, std::vector<int>& out) {
    out.clear();
    const NodeId id = run.id(p);
    const int cell = node_cell(id);
    const int digit = node_digit(id);
    int parents[1 + 9];
    parents[0] = p;
    if (y && mask_count(work_.candidates(cell)) == 2) {
        const int other = std::countr_zero(static_cast<unsigned>(work_.candidates(cell) & ~digit_bit(digit))) + 1;
        int count = 1;
        if (dynamic_)
            for (int v = 1; v <= 9; ++v)
                if (source_.has(cell, v) && !work_.has(cell, v) && run.find(node_id(cell, v, false)) >= 0)
                    parents[count++] = run.find(node_id(cell, v, false));
        out.push_back(run.add(node_id(cell, other, true), parents, count));
    }
    if (!x) return;
    for (int house : houses_of(cell)) {
        const unsigned places = work_.positions(house, digit);
        if (mask_count(places) != 2) continue;
        const HouseCells& cells = house_cells(house);
        int other = cells[std::countr_zero(places)];
        if (other == cell) other = cells[31 - std::countl_zero(places)];
        const NodeId on = node_id(other, digit, true);
        bool seen = false;
        for (int q : out) seen = seen || run.id(q) == on;
        if (seen) continue;
        int count = 1;
        if (dynamic_)
            for (std::uint8_t c : cells)
                if (source_.has(c, digit) && !work_.has(c, digit) && run.find(node_id(c, digit, false)) >= 0)
                    parents[count++] = run.find(node_id(c, digit, false));
        out.push_back(run.add(on, parents, count));
    }
}

bool ChainSearch::follow(ChainRun& run, int& on_end, int& off_end) {
    work_ = source_;
    pending_on_.clear();
    pending_off_.clear();
    for (int m : run.members()) (node_on(run.id(m)) ? pending_on_ : pending_off_).push_back(m);
    std::size_t on_head = 0, off_head = 0;
    std::vector<int> out;
    while (on_head < pending_on_.size() || off_head < pending_off_.size()) {
        if (on_head < pending_on_.size()) {
            const int p = pending_on_[on_head++];
            on_to_off(run, p, !nishio_, out);
            for (int q : out) {
                const int conj = run.find(conjugate(run.id(q)));
                if (conj >= 0) {
                    on_end = conj;
                    off_end = q;
                    return true;
                }
                if (run.insert(q)) pending_off_.push_back(q);
            }
        } else {
            const int p = pending_off_[off_head++];
            off_to_on(run, p, !nishio_, true, out);
            if (dynamic_) work_.eliminate(node_cell(run.id(p)), node_digit(run.id(p)));
            for (int q : out) {
                const int conj = run.find(conjugate(run.id(q)));
                if (conj >= 0) {
                    on_end = q;
                    off_end = conj;
                    return true;
                }
                if (run.insert(q)) pending_on_.push_back(q);
            }
        }
        if (plus_ && on_head == pending_on_.size() && off_head == pending_off_.size()) {
            advanced(run, out);
            for (int q : out)
                if (run.insert(q)) pending_off_.push_back(q);
        }
    }
    return false;
}

void ChainSearch::removed_in(const ChainRun& run, int cell, int digit, std::vector<int>& parents) const {
    if (!source_.has(cell, digit) || work_.has(cell, digit)) return;
    const int index = run.find(node_id(cell, digit, false));
    if (index >= 0) parents.push_back(index);
}

void ChainSearch::rule_parents(const ChainRun& run, const Step& step, std::vector<int>& parents) const {
    parents.clear();
    switch (step.technique) {
    case Technique::Pointing:
    case Technique::Claiming:
    case Technique::XWing: {
        const std::vector<std::uint8_t>& bases = step.base.empty() ? std::vector<std::uint8_t>{step.houses[0]} : step.base;
        const std::vector<std::uint8_t>& covers = step.cover.empty() ? std::vector<std::uint8_t>{step.houses[1]} : step.cover;
        const int digit = std::countr_zero(static_cast<unsigned>(step.digits)) + 1;
        for (int base : bases)
            for (std::uint8_t cell : house_cells(base)) {
                bool covered = false;
                for (int cover : covers)
                    for (std::uint8_t c : house_cells(cover)) covered = covered || c == cell;
                if (!covered) removed_in(run, cell, digit, parents);
            }
        break;
    }
    case Technique::HiddenPair: {
        const int house = step.houses[0];
        unsigned places = 0;
        for (int d = 1; d <= 9; ++d)
            if (step.digits & digit_bit(d)) places |= work_.positions(house, d);
        for (int j = 0; j < 9; ++j) {
            if (places & (1u << j)) continue;
            for (int d = 1; d <= 9; ++d)
                if ((step.digits & digit_bit(d)) && source_.has(house_cells(house)[j], d)) {
                    const int index = run.find(node_id(house_cells(house)[j], d, false));
                    if (index >= 0) parents.push_back(index);
                }
        }
        break;
    }
    default:  // a naked pair
        for (std::uint8_t cell : step.cells)
            for (int d = 1; d <= 9; ++d)
                if (!(step.digits & digit_bit(d)) && source_.has(cell, d)) {
                    const int index = run.find(node_id(cell, d, false));
                    if (index >= 0) parents.push_back(index);
                }
        break;
    }
}

void ChainSearch::advanced(ChainRun& run, std::vector<int>& out) {
    out.clear();
    std::vector<int> parents;
    const StepSink take = [&](Step&& step) {
        rule_parents(run, step, parents);
        if (parents.empty()) return true;  // the rule held before the chain began
        std::sort(step.eliminations.begin(), step.eliminations.end(),
                  [](const Candidate& a, const Candidate& b) { return a.cell != b.cell ? a.cell < b.cell : a.digit < b.digit; });
        for (const Candidate& c : step.eliminations)
            out.push_back(run.add(node_id(c.cell, c.digit, false), parents.data(), static_cast<int>(parents.size())));
        return true;
    };
    // The first rule that finds anything the chain made gives all it finds.
    find_locking(work_, false, take);
    if (out.empty()) find_hidden_sets(work_, 2, false, explainer_sets(work_, 2, true, take));
    if (out.empty()) find_naked_sets(work_, 2, explainer_sets(work_, 2, false, take));
    if (out.empty()) find_fish(work_, 2, explainer_fish(work_, 2, take));
    if (out.empty() && level_ >= 2) nested(run, out);
}

}  // namespace varendo::logic
