#include "logic/inference_graph.h"

#include <algorithm>

namespace varendo::logic {

namespace {

bool sees_all(const InferenceNode& a, const InferenceNode& b) {
    for (std::uint8_t x : a.cells)
        for (std::uint8_t y : b.cells)
            if (x != kNoCell && y != kNoCell && !sees(x, y)) return false;
    return true;
}

bool disjoint(const InferenceNode& a, const InferenceNode& b) {
    for (std::uint8_t x : a.cells)
        if (x != kNoCell && std::find(b.cells.begin(), b.cells.end(), x) != b.cells.end()) return false;
    return true;
}

// The line (0..2 rows, 3..5 columns of the box) of a cell within its box.
int line_in_box(int cell, bool column) { return column ? 3 + column_of(cell) % 3 : row_of(cell) % 3; }

}  // namespace

InferenceGraph::InferenceGraph(const CandidateGrid& grid, LinkSet links) {
    const bool grouped = links == LinkSet::Grouped || links == LinkSet::GroupedWithSets;
    for (int cell = 0; cell < 81; ++cell)
        for (int digit = 1; digit <= 9; ++digit) {
            if (!grid.has(cell, digit)) continue;
            present_.set(candidate_index(cell, digit));
            if (links == LinkSet::Bivalue && mask_count(grid.candidates(cell)) != 2) continue;
            single_[candidate_index(cell, digit)] = static_cast<std::int16_t>(nodes_.size());
            nodes_.push_back({static_cast<std::uint8_t>(digit), {static_cast<std::uint8_t>(cell), kNoCell, kNoCell}});
        }
    // Group nodes: every box-line crossing that holds the digit in two or three cells.
    std::vector<std::int16_t> group_of(9 * 9 * 6, -1);  // digit, box, line in box
    const auto group_id = [&](int digit, int box, int line) -> std::int16_t& {
        return group_of[((digit - 1) * 9 + box) * 6 + line];
    };
    if (grouped)
        for (int digit = 1; digit <= 9; ++digit)
            for (int box = 0; box < 9; ++box)
                for (int line = 0; line < 6; ++line) {
                    InferenceNode node{static_cast<std::uint8_t>(digit), {kNoCell, kNoCell, kNoCell}};
                    int count = 0;
                    for (std::uint8_t c : house_cells(kBoxHouse + box))
                        if (grid.has(c, digit) && line_in_box(c, line >= 3) == line) node.cells[count++] = c;
                    if (count < 2) continue;
                    group_id(digit, box, line) = static_cast<std::int16_t>(nodes_.size());
                    nodes_.push_back(node);
                }
    if (links == LinkSet::GroupedWithSets) add_set_nodes(grid);
    const int n = size();
    strong_.resize(n);
    weak_start_.assign(n + 1, 0);
    conflicts_.resize(n);

    for (int cell = 0; cell < 81 && links != LinkSet::SingleDigit; ++cell) {
        const unsigned pair = grid.candidates(cell);
        if (mask_count(pair) != 2) continue;
        const int low = std::countr_zero(pair) + 1, high = 31 - std::countl_zero(pair) + 1;
        add_strong(single(cell, low), single(cell, high));
    }
    for (int house = 0; house < 27 && links != LinkSet::Bivalue; ++house)
        for (int digit = 1; digit <= 9; ++digit) {
            const unsigned places = grid.positions(house, digit);
            const HouseCells& cells = house_cells(house);
            if (mask_count(places) == 2) {
                add_strong(single(cells[std::countr_zero(places)], digit), single(cells[31 - std::countl_zero(places)], digit));
                continue;
            }
            if (!grouped || mask_count(places) < 3) continue;
            // Split the places by box (a line) or by row and by column (a box): two parts, each
            // one candidate or one group, are strongly linked.
            for (int split = 0; split < (house < kRowHouse ? 2 : 1); ++split) {
                std::array<int, 2> part{-1, -1}, first{}, count{};
                bool two = true;
                for (int j = 0; j < 9 && two; ++j) {
                    if (!(places & (1u << j))) continue;
                    const int c = cells[j];
                    const int key = house >= kRowHouse ? box_index_of(c) : line_in_box(c, split == 1);
                    const int k = part[0] < 0 || part[0] == key ? 0 : part[1] < 0 || part[1] == key ? 1 : -1;
                    if (k < 0) {
                        two = false;
                        break;
                    }
                    if (part[k] < 0) first[k] = c;
                    part[k] = key;
                    ++count[k];
                }
                if (!two || part[1] < 0) continue;
                std::array<int, 2> ends{};
                for (int k = 0; k < 2; ++k) {
                    const int line = house >= kRowHouse ? line_in_box(first[k], house >= kColumnHouse)
                                                        : line_in_box(first[k], split == 1);
                    ends[k] = count[k] == 1 ? single(first[k], digit) : group_id(digit, box_index_of(first[k]), line);
                }
                add_strong(ends[0], ends[1]);
            }
            // A box whose places fill two cells or more of one row and of one column, but not
            // where they cross: the row's group and the column's are strongly linked. Only in the
            // widest link set, which the ladders do not use: their ratings stay as they were.
            for (int row = 0; row < 3 && house < kRowHouse && links == LinkSet::GroupedWithSets; ++row)
                for (int column = 0; column < 3; ++column) {
                    const unsigned in_row = places & (0x7u << 3 * row), in_column = places & (0x49u << column);
                    if ((in_row | in_column) == places && !(in_row & in_column) && mask_count(in_row) >= 2 &&
                        mask_count(in_column) >= 2)
                        add_strong(group_id(digit, house, row), group_id(digit, house, 3 + column));
                }
        }

    // Weak links and conflicts: the same digit where every cell of one sees every cell of the
    // other; two digits of one cell.
    std::array<std::vector<std::uint16_t>, 9> by_digit;
    for (int a = 0; a < n; ++a) by_digit[nodes_[a].digit - 1].push_back(static_cast<std::uint16_t>(a));
    const bool across_digits = links == LinkSet::All || grouped;
    for (int a = 0; a < n; ++a) {
        const InferenceNode& one = nodes_[a];
        const int cell = one.cells[0];
        if (one.set >= 0) {
            const Als& set = sets_[one.set];
            for (int other = 0; other < 81; ++other)
                if (set.seeing[one.digit - 1][other] && grid.has(other, one.digit))
                    conflicts_[a].set(candidate_index(other, one.digit));
        } else if (one.group()) {
            for (int other = 0; other < 81; ++other) {
                const InferenceNode lone{one.digit, {static_cast<std::uint8_t>(other), kNoCell, kNoCell}};
                if (grid.has(other, one.digit) && disjoint(one, lone) && sees_all(one, lone))
                    conflicts_[a].set(candidate_index(other, one.digit));
            }
        } else {
            for (std::uint8_t p : peers(cell))
                if (grid.has(p, one.digit)) conflicts_[a].set(candidate_index(p, one.digit));
            for (int digit = 1; digit <= 9; ++digit) {
                if (digit == one.digit || !grid.has(cell, digit)) continue;
                conflicts_[a].set(candidate_index(cell, digit));
                const int b = single(cell, digit);
                if (across_digits && b >= 0) weak_.push_back(static_cast<std::uint16_t>(b));
            }
        }
        for (std::uint16_t b : by_digit[one.digit - 1]) {
            const InferenceNode& two = nodes_[b];
            const bool linked = one.set >= 0 || two.set >= 0 ? weakly_linked(a, b)
                                : one.group() || two.group() ? disjoint(one, two) && sees_all(one, two)
                                                             : sees(cell, two.cells[0]);
            if (linked) weak_.push_back(b);
        }
        weak_start_[a + 1] = static_cast<std::uint32_t>(weak_.size());
    }
    link_set_digits(grid);
}

void InferenceGraph::add_strong(int a, int b) {
    if (a < 0 || b < 0 || std::find(strong_[a].begin(), strong_[a].end(), b) != strong_[a].end()) return;
    strong_[a].push_back(static_cast<std::uint16_t>(b));
    strong_[b].push_back(static_cast<std::uint16_t>(a));
}

void InferenceGraph::search(int start_state, Search& out, const std::vector<std::uint16_t>& not_first) const {
    out.parent.assign(nodes_.size() * 2, -1);
    out.depth.assign(nodes_.size() * 2, 0);
    std::vector<int>& queue = out.queue;
    queue.assign(1, start_state);
    out.parent[start_state] = static_cast<std::int16_t>(start_state);
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const int state = queue[k];
        const bool on = state & 1;
        const std::uint16_t* first = on ? weak_.data() + weak_start_[state / 2] : strong_[state / 2].data();
        const std::uint16_t* last = on ? weak_.data() + weak_start_[state / 2 + 1] : first + strong_[state / 2].size();
        for (const std::uint16_t* link = first; link != last; ++link) {
            const std::uint16_t next = *link;
            const int reached = next * 2 + (on ? 0 : 1);
            if (out.parent[reached] >= 0 || (k == 0 && std::find(not_first.begin(), not_first.end(), next) != not_first.end()))
                continue;
            out.parent[reached] = static_cast<std::int16_t>(state);
            out.depth[reached] = static_cast<std::uint16_t>(out.depth[state] + 1);
            queue.push_back(reached);
        }
    }
}

std::vector<int> InferenceGraph::path(const Search& search, int state) {
    std::vector<int> states{state};
    while (search.parent[states.back()] != states.back()) states.push_back(search.parent[states.back()]);
    std::reverse(states.begin(), states.end());
    return states;
}

}  // namespace varendo::logic
