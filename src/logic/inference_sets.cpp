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
        std::vector<std::uint16_t>& digits = set_digits_.emplace_back();
        for (int d = 1; d <= 9; ++d) {
            if (!(set.digits & digit_bit(d))) continue;
            // A digit with one place in the set is that candidate.
            if (set.holding[d - 1].count() == 1) {
                for (int c = 0; c < 81; ++c)
                    if (set.holding[d - 1][c]) digits.push_back(static_cast<std::uint16_t>(single(c, d)));
                continue;
            }
            InferenceNode node{static_cast<std::uint8_t>(d), {kNoCell, kNoCell, kNoCell}, static_cast<std::int16_t>(sets_.size())};
            for (int c = 0, k = 0; c < 81 && k < 3; ++c)
                if (set.holding[d - 1][c]) node.cells[k++] = static_cast<std::uint8_t>(c);
            digits.push_back(static_cast<std::uint16_t>(nodes_.size()));
            nodes_.push_back(node);
        }
        sets_.push_back(std::move(set));
    }
}

void InferenceGraph::link_set_digits() {
    for (std::size_t set = 0; set < set_digits_.size(); ++set) {
        const std::vector<std::uint16_t>& digits = set_digits_[set];
        for (std::size_t i = 0; i < digits.size(); ++i)
            for (std::size_t j = i + 1; j < digits.size(); ++j) {
                add_strong(digits[i], digits[j]);
                set_of_link_.emplace(link_key(digits[i], digits[j]), static_cast<int>(set));
            }
    }
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
    const auto found = set_of_link_.find(link_key(a, b));
    if (found == set_of_link_.end()) return gone;
    const Als& set = sets_[found->second];
    for (int d = 1; d <= 9; ++d) {
        if (!(set.digits & digit_bit(d)) || d == nodes_[a].digit || d == nodes_[b].digit) continue;
        for (int c = 0; c < 81; ++c)
            if (set.seeing[d - 1][c]) gone.set(candidate_index(c, d));
    }
    return gone & present_;
}

}  // namespace varendo::logic
