#include "logic/chain_run.h"

namespace varendo::logic {

void ChainRun::clear() {
    for (int m : members_) slot_[nodes_[m].id] = -1;
    nodes_.clear();
    more_parents_.clear();
    members_.clear();
    nested_.clear();
}

void ChainRun::trim(std::size_t nodes) {
    if (nodes_.capacity() <= nodes && more_parents_.capacity() <= 2 * nodes) return;
    clear();
    nodes_ = {};
    more_parents_ = {};
    members_ = {};
}

int ChainRun::add_nested(std::uint64_t identity, int complexity) {
    nested_.push_back({identity, complexity});
    return static_cast<int>(nested_.size());
}

template <typename Visit>
void ChainRun::walk(int index, Visit&& visit) const {
    // Breadth first, distinct by candidate and state: of two nodes of one id only the first
    // met is followed further, as the classic raters count.
    if (++stamp_ == 0) {
        seen_.assign(kNodeIds, 0);
        stamp_ = 1;
    }
    if (seen_.size() < static_cast<std::size_t>(kNodeIds)) seen_.resize(kNodeIds, 0);
    todo_.clear();
    todo_.push_back(index);
    for (std::size_t head = 0; head < todo_.size(); ++head) {
        const int n = todo_[head];
        const Node& node = nodes_[n];
        if (seen_[node.id] == stamp_) continue;
        seen_[node.id] = stamp_;
        if (!visit(n)) return;
        for (int k = 0; k < node.parent_count; ++k) todo_.push_back(parent(node, k));
    }
}

int ChainRun::ancestor_count(int index, int limit) const {
    int count = 0;
    counted_.clear();
    walk(index, [&](int n) {
        const std::uint16_t nested = nodes_[n].nested;
        if (nested != 0) {
            const Nested& chain = nested_[nested - 1];
            bool seen = false;
            for (std::uint64_t identity : counted_) seen = seen || identity == chain.identity;
            if (!seen) {
                counted_.push_back(chain.identity);
                count += chain.complexity;
            }
        }
        return ++count <= limit;
    });
    return count;
}

const std::vector<int>& ChainRun::ancestors(int index) const {
    found_.clear();
    walk(index, [&](int n) {
        found_.push_back(n);
        return true;
    });
    return found_;
}

bool ChainRun::on_first_parent_line(int index, NodeId ancestor) const {
    for (int p = first_parent(index); p >= 0; p = first_parent(p))
        if (nodes_[p].id == ancestor) return true;
    return false;
}

void ChainRun::describe(int index, Step& step) const {
    // Nodes already in the step (from another branch) are found again by candidate and state.
    auto node_of = [&step](NodeId id) {
        for (std::size_t k = 0; k < step.nodes.size(); ++k) {
            const ChainNode& n = step.nodes[k];
            if (node_id(n.candidate.cell, n.candidate.digit, n.on) == id) return static_cast<int>(k);
        }
        step.nodes.push_back({{static_cast<std::uint8_t>(node_cell(id)), static_cast<std::uint8_t>(node_digit(id))},
                              node_on(id)});
        return static_cast<int>(step.nodes.size()) - 1;
    };
    std::vector<int> todo{index};
    std::vector<bool> done(nodes_.size(), false);
    while (!todo.empty()) {
        const int n = todo.back();
        todo.pop_back();
        if (done[n]) continue;
        done[n] = true;
        const int to = node_of(nodes_[n].id);
        for (int k = 0; k < nodes_[n].parent_count; ++k) {
            const int p = parent(nodes_[n], k);
            const int from = node_of(nodes_[p].id);
            step.links.push_back({static_cast<std::uint16_t>(from), static_cast<std::uint16_t>(to), node_on(nodes_[n].id)});
            todo.push_back(p);
        }
    }
}

}  // namespace varendo::logic
