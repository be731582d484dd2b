// Almost locked sets as nodes of alternating chains: a node per digit of a set, true when the
// digit is in the set. Were one digit out of the set, the set would be locked on the others,
// so any two digits of one set are strongly linked; a digit of the set is weakly linked to the
// candidates (and groups) of that digit that see all its places in the set.

#include "logic/inference_graph.h"

namespace varendo::logic {

namespace {

// States are kept in 16 bits: beyond this many nodes, no more sets.
constexpr std::size_t kMostNodes = 16000;

}  // namespace

void InferenceGraph::add_set_nodes(const CandidateGrid& grid) {
    for (Als& set : almost_locked_sets(grid)) {
        // A set of one cell is a bivalue cell, linked already.
        if (set.cells.count() < 2) continue;
        if (nodes_.size() + static_cast<std::size_t>(mask_count(set.digits)) > kMostNodes) break;
        for (int d = 1; d <= 9; ++d) {
            if (!(set.digits & digit_bit(d))) continue;
            InferenceNode node{static_cast<std::uint8_t>(d), {kNoCell, kNoCell, kNoCell}, static_cast<std::int16_t>(sets_.size())};
            for (int c = 0, k = 0; c < 81 && k < 3; ++c)
                if (set.holding[d - 1][c]) node.cells[k++] = static_cast<std::uint8_t>(c);
            nodes_.push_back(node);
        }
        sets_.push_back(std::move(set));
    }
}

void InferenceGraph::link_set_digits() {
    for (int a = 0; a < size(); ++a)
        for (int b = a + 1; b < size() && nodes_[a].set >= 0 && nodes_[b].set == nodes_[a].set; ++b) add_strong(a, b);
}

bool InferenceGraph::weakly_linked(int a, int b) const {
    const InferenceNode& one = nodes_[a];
    const InferenceNode& two = nodes_[b];
    if (one.set >= 0 && two.set >= 0) return false;
    const InferenceNode& set_node = one.set >= 0 ? one : two;
    const InferenceNode& other = one.set >= 0 ? two : one;
    const Cells& seeing = sets_[set_node.set].seeing[set_node.digit - 1];
    for (std::uint8_t c : other.cells)
        if (c != kNoCell && !seeing[c]) return false;
    return true;
}

CandidateSet InferenceGraph::locked_between(int a, int b) const {
    CandidateSet gone;
    const InferenceNode& one = nodes_[a];
    if (one.set < 0 || nodes_[b].set != one.set) return gone;
    const Als& set = sets_[one.set];
    for (int d = 1; d <= 9; ++d) {
        if (!(set.digits & digit_bit(d)) || d == one.digit || d == nodes_[b].digit) continue;
        for (int c = 0; c < 81; ++c)
            if (set.seeing[d - 1][c]) gone.set(candidate_index(c, d));
    }
    return gone & present_;
}

}  // namespace varendo::logic
