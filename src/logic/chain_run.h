#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "logic/candidate_grid.h"
#include "logic/step.h"

namespace varendo::logic {

// A candidate assumed true (on) or false (off), as one number: (cell * 9 + digit - 1) * 2 + on.
using NodeId = std::uint16_t;
constexpr int kNodeIds = 81 * 9 * 2;
constexpr NodeId node_id(int cell, int digit, bool on) { return static_cast<NodeId>((cell * 9 + digit - 1) * 2 + on); }
constexpr int node_cell(NodeId id) { return id / 18; }
constexpr int node_digit(NodeId id) { return id / 2 % 9 + 1; }
constexpr bool node_on(NodeId id) { return (id & 1) != 0; }
constexpr NodeId conjugate(NodeId id) { return static_cast<NodeId>(id ^ 1); }

// What follows from one assumption: every node reached, each with the nodes that imply it
// (its first parent is the link followed; the others are the candidates whose removal the
// link needed). A node may be reached more than once; the first time is the one kept in the
// set, as the classic raters keep it.
class ChainRun {
public:
    ChainRun() { slot_.fill(-1); }

    void clear();
    // Gives back the memory of a run that grew past `nodes` nodes, so that one long search
    // does not keep it for the rest of a batch.
    void trim(std::size_t nodes);
    // Adds a node with its parents and returns its index; `parents` are indices in this run.
    // `nested` names a chain nested in this one that the node follows from (see add_nested).
    int add(NodeId id, const int* parents, int parent_count, int nested = 0) {
        // Most nodes have one parent: it is kept in the node, any others beside the nodes.
        nodes_.push_back({parent_count == 0 ? -1 : parents[0], static_cast<std::uint32_t>(more_parents_.size()), id,
                          static_cast<std::uint16_t>(parent_count), static_cast<std::uint16_t>(nested)});
        if (parent_count > 1) more_parents_.insert(more_parents_.end(), parents + 1, parents + parent_count);
        return static_cast<int>(nodes_.size()) - 1;
    }
    // Registers a nested chain by what tells it apart and its node count; returns its name.
    int add_nested(std::uint64_t identity, int complexity);
    // Puts a node into the set if no node of its id is there yet; true when it went in.
    bool insert(int index) {
        std::int32_t& slot = slot_[nodes_[index].id];
        if (slot >= 0) return false;
        slot = index;
        members_.push_back(index);
        return true;
    }
    bool contains(NodeId id) const { return slot_[id] >= 0; }
    int find(NodeId id) const { return slot_[id]; }
    NodeId id(int index) const { return nodes_[index].id; }
    int first_parent(int index) const { return nodes_[index].first_parent; }
    // The set in the order its nodes went in.
    const std::vector<int>& members() const { return members_; }

    // How many distinct candidates-with-state lead to the node, itself included, plus the nodes
    // of the distinct nested chains among them; the count stops early once it passes `limit`.
    int ancestor_count(int index, int limit = kNodeIds) const;
    // The nodes that lead to the node, itself first, one of each candidate-with-state.
    const std::vector<int>& ancestors(int index) const;
    // Whether `ancestor` lies on the node's line of first parents.
    bool on_first_parent_line(int index, NodeId ancestor) const;
    // Appends the node and its ancestors to a step's nodes and links.
    void describe(int index, Step& step) const;

private:
    struct Node {
        std::int32_t first_parent;  // -1 for none
        std::uint32_t more;         // where the other parents start in more_parents_
        NodeId id;
        std::uint16_t parent_count;
        std::uint16_t nested;
    };
    int parent(const Node& node, int k) const { return k == 0 ? node.first_parent : more_parents_[node.more + k - 1]; }
    struct Nested {
        std::uint64_t identity;
        int complexity;
    };
    // Walks the ancestors breadth first, distinct by candidate and state; stops when `visit`
    // returns false.
    template <typename Visit>
    void walk(int index, Visit&& visit) const;
    std::array<std::int32_t, kNodeIds> slot_;
    std::vector<Node> nodes_;
    std::vector<int> more_parents_;
    std::vector<int> members_;
    std::vector<Nested> nested_;
    mutable std::vector<std::uint64_t> counted_;
    mutable std::vector<int> found_;
    mutable std::vector<std::uint32_t> seen_;
    mutable std::uint32_t stamp_ = 0;
    mutable std::vector<int> todo_;
};

}  // namespace varendo::logic
