#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "logic/almost_locked_sets.h"
#include "logic/candidate_grid.h"

namespace varendo::logic {

// The links a chain may use: one digit's links in houses (X-chains), bivalue cells joined by
// their digits (XY-chains), every link between candidates, every link with group nodes too,
// or those, a box's row group linked to its column group, and almost locked sets as well.
enum class LinkSet { SingleDigit, Bivalue, All, Grouped, GroupedWithSets };

constexpr std::uint8_t kNoCell = 255;

// A node: one candidate, or a group of two or three candidates of a digit that share a box
// and a line (true when the digit is in any of them), or a digit of an almost locked set
// (true when the digit is in the set; `cells` then holds up to three of its places).
struct InferenceNode {
    std::uint8_t digit = 0;
    std::array<std::uint8_t, 3> cells{kNoCell, kNoCell, kNoCell};
    std::int16_t set = -1;  // the almost locked set, in InferenceGraph::sets()
    bool group() const { return cells[1] != kNoCell || set >= 0; }
};

// Candidates as bits, cell * 9 + digit - 1.
using CandidateSet = std::bitset<81 * 9>;
constexpr int candidate_index(int cell, int digit) { return cell * 9 + digit - 1; }

// Alternating inference over a candidate grid: a strong link (one of its two ends holds) leads
// from an end that is off to the other end on; a weak link (not both) leads from an end that
// is on to the other end off. A state is node * 2 + 1 when on, node * 2 when off.
class InferenceGraph {
public:
    InferenceGraph(const CandidateGrid& grid, LinkSet links);

    int size() const { return static_cast<int>(nodes_.size()); }
    const InferenceNode& node(int id) const { return nodes_[id]; }
    // The node of a lone candidate, or -1.
    int single(int cell, int digit) const { return single_[candidate_index(cell, digit)]; }
    const std::vector<std::uint16_t>& strong(int id) const { return strong_[id]; }
    std::span<const std::uint16_t> weak(int id) const {
        return {weak_.data() + weak_start_[id], weak_.data() + weak_start_[id + 1]};
    }
    // The candidates that cannot hold when the node holds.
    const CandidateSet& conflicts(int id) const { return conflicts_[id]; }
    const CandidateSet& present() const { return present_; }
    const std::vector<Als>& sets() const { return sets_; }
    // When a loop runs from one digit of an almost locked set to another, the set lacks one of
    // the two and is locked on its other digits: what sees all their places in it. When it runs
    // from a digit of a set to the one digit a cell keeps were the set locked without it, the
    // set lacks that digit or one of the cell's others: the set's other digits go from what
    // sees their places, and the cell's from what sees the cell as well. Else none.
    CandidateSet locked_between(int a, int b) const;
    // The set (in sets()) whose strong link joins two nodes, or -1.
    int set_of_link(int a, int b) const;

    // Breadth first from one state along alternating links: for each state the state it was
    // reached from (-1 if not reached, itself for the start) and its depth in links. The first
    // link may be kept from the nodes in `not_first`.
    struct Search {
        std::vector<std::int16_t> parent;
        std::vector<std::uint16_t> depth;
        std::vector<int> queue;  // kept to spare an allocation on each search
    };
    void search(int start_state, Search& out, const std::vector<std::uint16_t>& not_first = {}) const;
    // The states from the start to `state`, in order.
    static std::vector<int> path(const Search& search, int state);

private:
    void add_strong(int a, int b);
    void add_set_nodes(const CandidateGrid& grid);
    void link_set_digits(const CandidateGrid& grid);
    void link_forced_cells(const CandidateGrid& grid, int set);
    bool weakly_linked(int a, int b) const;
    std::vector<InferenceNode> nodes_;
    std::vector<std::int16_t> single_ = std::vector<std::int16_t>(81 * 9, -1);
    std::vector<std::vector<std::uint16_t>> strong_;
    // Each node's weak links, all in one array: node a's are weak_[weak_start_[a]..weak_start_[a + 1]).
    std::vector<std::uint16_t> weak_;
    std::vector<std::uint32_t> weak_start_;
    std::vector<CandidateSet> conflicts_;
    CandidateSet present_;
    std::vector<Als> sets_;
    // Each set's digits as nodes (a digit with one place in the set is that candidate), and
    // by the pair of nodes, the set that links them (two of its digits, or one of its digits
    // and the cell it forces), with the digits the set may lack in a loop through the link.
    std::vector<std::vector<std::uint16_t>> set_digits_;
    struct SetLink {
        int set;
        std::uint8_t forced_cell;
        DigitMask may_lack;
    };
    std::unordered_map<std::uint32_t, SetLink> set_of_link_;
    static std::uint32_t link_key(int a, int b) {
        return static_cast<std::uint32_t>(std::min(a, b)) << 16 | static_cast<std::uint32_t>(std::max(a, b));
    }
};

}  // namespace varendo::logic
