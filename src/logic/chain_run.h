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
    int add(NodeId id, const int* parents, int parent_count, int nested = 0);
    // Registers a nested chain by what tells it apart and its node count; returns its name.
    int add_nested(std::uint64_t identity, int complexity);
    // Puts a node into the set if no node of its id is there yet; true when it went in.
    bool insert(int index);
    bool contains(NodeId id) const { return slot_[id] >= 0; }
    int find(NodeId id) const { return slot_[id]; }
    NodeId id(int index) const { return nodes_[index].id; }
    int first_parent(int index) const {
        return nodes_[index].parent_count == 0 ? -1 : parents_[nodes_[index].first];
    }
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
        NodeId id;
        std::uint32_t first;
        std::uint16_t parent_count;
        std::uint16_t nested;
    };
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
    std::vector<int> parents_;
    std::vector<int> members_;
    std::vector<Nested> nested_;
    mutable std::vector<std::uint64_t> counted_;
    mutable std::vector<int> found_;
    mutable std::vector<std::uint32_t> seen_;
    mutable std::uint32_t stamp_ = 0;
    mutable std::vector<int> todo_;
};

}  // namespace varendo::logic
