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

void InferenceGraph::link_set_digits(const CandidateGrid& grid) {
    for (std::size_t set = 0; set < set_digits_.size(); ++set) {
        const std::vector<std::uint16_t>& digits = set_digits_[set];
        for (std::size_t i = 0; i < digits.size(); ++i)
            for (std::size_t j = i + 1; j < digits.size(); ++j) {
                add_strong(digits[i], digits[j]);
                const auto lack = static_cast<DigitMask>(digit_bit(nodes_[digits[i]].digit) | digit_bit(nodes_[digits[j]].digit));
                set_of_link_.emplace(link_key(digits[i], digits[j]), SetLink{static_cast<int>(set), kNoCell, lack});
            }
        link_forced_cells(grid, static_cast<int>(set));
    }
}

// A cell outside a set, of three digits or more, that sees all the places in the set of each
// of its digits but one: were another digit of the set out of it, the set would be locked on
// the rest and the cell left that one digit, so the two are strongly linked. A cell that sees
// the places of all its digits would be forced to whichever the set lacks: those links join
// nearly every set to the cells around it and make every search several times slower, so they
// are left out, as are the digits of a set that nothing outside it sees, which no chain enters.
void InferenceGraph::link_forced_cells(const CandidateGrid& grid, int set) {
    const Als& als = sets_[set];
    for (int cell = 0; cell < 81; ++cell) {
        const unsigned digits = grid.candidates(cell);
        if (als.cells[cell] || mask_count(digits) < 3) continue;
        unsigned seen = 0;  // the cell's digits whose places in the set it sees
        for (int d = 1; d <= 9; ++d)
            if ((digits & als.digits & digit_bit(d)) && als.seeing[d - 1][cell]) seen |= digit_bit(d);
        const unsigned left = digits & ~seen;
        if (mask_count(left) != 1) continue;
        const int forced = single(cell, std::countr_zero(left) + 1);
        for (int d = 1, k = 0; d <= 9; ++d) {
            if (!(als.digits & digit_bit(d))) continue;
            const int node = set_digits_[set][k++];
            if ((seen & digit_bit(d)) || weak(node).empty()) continue;
            add_strong(node, forced);
            set_of_link_.emplace(link_key(node, forced), SetLink{set, static_cast<std::uint8_t>(cell), digit_bit(d)});
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

int InferenceGraph::set_of_link(int a, int b) const {
    const auto found = set_of_link_.find(link_key(a, b));
    return found == set_of_link_.end() ? -1 : found->second.set;
}

CandidateSet InferenceGraph::locked_between(int a, int b) const {
    CandidateSet gone;
    const auto found = set_of_link_.find(link_key(a, b));
    if (found == set_of_link_.end()) return gone;
    const auto [set_index, forced_cell, may_lack] = found->second;
    const Als& set = sets_[set_index];
    for (int d = 1; d <= 9; ++d) {
        if (!(set.digits & digit_bit(d)) || (may_lack & digit_bit(d))) continue;
        Cells seeing = set.seeing[d - 1];
        // A digit of the forced cell's is in the set or in the cell: it goes from what sees both.
        if (forced_cell != kNoCell && present_[candidate_index(forced_cell, d)] && seeing[forced_cell])
            seeing &= peer_sets()[forced_cell];
        for (int c = 0; c < 81; ++c)
            if (seeing[c]) gone.set(candidate_index(c, d));
    }
    return gone & present_;
}

}  // namespace varendo::logic
