#include <algorithm>

#include "logic/alternating_chain_steps.h"

namespace varendo::logic {

namespace {

// A continuous loop: every link holds both ways round, so whatever conflicts with both ends
// of any link goes, except the loop's own candidates. HoDoKu states a loop more narrowly: a
// link within a house strikes nothing in the loop's own cells.
struct LoopEliminations {
    CandidateSet all, outside_loop_cells;
};

LoopEliminations loop_eliminations(const InferenceGraph& graph, const std::vector<int>& states) {
    CandidateSet in_cells, in_houses, own, loop_cells;
    for (std::size_t k = 0; k < states.size(); ++k) {
        const int a = states[k] / 2, b = states[(k + 1) % states.size()] / 2;
        (graph.node(a).digit == graph.node(b).digit ? in_houses : in_cells) |= common_conflicts(graph, a, b);
        in_cells |= graph.locked_between(a, b);
        const InferenceNode& node = graph.node(a);
        for (std::uint8_t cell : node.cells) {
            if (cell == kNoCell) continue;
            own.set(candidate_index(cell, node.digit));
            for (int digit = 1; digit <= 9; ++digit) loop_cells.set(candidate_index(cell, digit));
        }
    }
    return {(in_cells | in_houses) & ~own, (in_cells | (in_houses & ~loop_cells)) & ~own};
}

// Continuous loops, each kept once for what it strikes in full and once for what it strikes
// as HoDoKu states it, where that differs.
class LoopList {
public:
    std::vector<FoundChain> narrower;

    // The loop in full goes to `full`, beside the other chains of its search.
    void add(const InferenceGraph& graph, const std::vector<int>& states, bool keep_states, std::vector<FoundChain>& full) {
        const LoopEliminations gone = loop_eliminations(graph, states);
        FoundChain loop{Technique::ContinuousNiceLoop, states.front(), states.back(), static_cast<int>(states.size()),
                        true, gone.all};
        if (keep_states) loop.states = states;
        if (gone.all.any() && fresh(seen_full_, gone.all)) full.push_back(loop);
        if (gone.outside_loop_cells.any() && !seen(seen_full_, gone.outside_loop_cells) &&
            fresh(seen_narrower_, gone.outside_loop_cells)) {
            loop.eliminations = gone.outside_loop_cells;
            narrower.push_back(std::move(loop));
        }
    }

private:
    static bool seen(const std::vector<CandidateSet>& list, const CandidateSet& gone) {
        return std::find(list.begin(), list.end(), gone) != list.end();
    }
    static bool fresh(std::vector<CandidateSet>& list, const CandidateSet& gone) {
        if (seen(list, gone)) return false;
        list.push_back(gone);
        return true;
    }
    std::vector<CandidateSet> seen_full_, seen_narrower_;
};

// Continuous loops besides the shortest through each pair of nodes: a depth-first walk through
// distinct nodes, each loop walked from its lowest node, pruned by the distance back to the
// start and bounded in length and in steps so that its cost stays small.
class LoopWalk {
public:
    LoopWalk(const InferenceGraph& graph, LoopList& loops, std::vector<FoundChain>& found)
        : graph_(graph), loops_(loops), found_(found), used_(graph.size()) {}

    void from(int start) {
        if (steps_ <= 0) return;
        start_ = start;
        graph_.search(2 * start, back_);
        states_.assign(1, 2 * start + 1);
        used_[start] = true;
        walk(graph_.weak(start));
        used_[start] = false;
    }

private:
    static constexpr int kLongest = 18;  // links
    // A state off is reached by a weak link and one on by a strong link; a state off that is
    // strongly linked to the start closes a loop.
    void walk(std::span<const std::uint16_t> links) {
        const bool on = (states_.back() & 1) == 0;
        for (std::uint16_t next : links) {
            const int state = 2 * next + on;
            if (used_[next] || next < start_ || steps_ <= 0) continue;
            // From a state back to the start on is as far as from the start off to the state flipped.
            if (back_.parent[state ^ 1] < 0 || static_cast<int>(states_.size()) + back_.depth[state ^ 1] > kLongest) continue;
            --steps_;
            states_.push_back(state);
            used_[next] = true;
            if (on) walk(graph_.weak(next));
            else {
                const auto& strong = graph_.strong(next);
                if (states_.size() >= 4 && std::find(strong.begin(), strong.end(), start_) != strong.end())
                    loops_.add(graph_, states_, true, found_);
                walk(strong);
            }
            used_[next] = false;
            states_.pop_back();
        }
    }

    const InferenceGraph& graph_;
    LoopList& loops_;
    std::vector<FoundChain>& found_;
    std::vector<char> used_;
    std::vector<int> states_;
    InferenceGraph::Search back_;
    int start_ = 0;
    int steps_ = 50000;
};

}  // namespace

// From each candidate on: back to itself off, or to another digit of its cell on, and it goes
// (a discontinuous loop); back to a node strongly linked to it, a continuous loop. From each
// candidate off: back to itself on, and it holds; to another node on, an AIC. The shortest
// chains come first, then the loops as HoDoKu states them, then the longer loops.
bool find_nice_loops(const CandidateGrid& grid, bool grouped, const StepSink& sink, bool through_sets) {
    const InferenceGraph graph(grid, through_sets ? LinkSet::GroupedWithSets : grouped ? LinkSet::Grouped : LinkSet::All);
    const int n = graph.size();
    InferenceGraph::Search from_off, on;
    std::vector<FoundChain> found;
    LoopList loops;
    for (int s = 0; s < n; ++s) {
        const InferenceNode& start = graph.node(s);
        graph.search(2 * s, from_off);
        for (int t = s + 1; t < n; ++t) {
            const int end = 2 * t + 1;
            if (from_off.parent[end] < 0 || from_off.depth[end] < 3) continue;
            const CandidateSet gone = common_conflicts(graph, s, t);
            if (gone.any()) found.push_back({Technique::Aic, 2 * s, end, from_off.depth[end], false, gone});
        }
        if (start.group()) continue;
        const int cell = start.cells[0];
        CandidateSet self, others;
        self.set(candidate_index(cell, start.digit));
        for (int digit = 1; digit <= 9; ++digit)
            if (digit != start.digit && grid.has(cell, digit)) others.set(candidate_index(cell, digit));
        const int back_on = 2 * s + 1;
        if (from_off.parent[back_on] >= 0)
            found.push_back({Technique::DiscontinuousNiceLoop, 2 * s, back_on, from_off.depth[back_on], false, others});
        // A continuous loop comes back by a strong link, so it must not leave by it; the
        // discontinuous ones are looked for in the same search.
        graph.search(2 * s + 1, on, graph.strong(s));
        if (on.parent[2 * s] >= 0)
            found.push_back({Technique::DiscontinuousNiceLoop, 2 * s + 1, 2 * s, on.depth[2 * s], false, self});
        for (int digit = 1; digit <= 9; ++digit) {
            const int t = digit == start.digit ? -1 : graph.single(cell, digit);
            if (t >= 0 && on.parent[2 * t + 1] >= 0)
                found.push_back({Technique::DiscontinuousNiceLoop, 2 * s + 1, 2 * t + 1, on.depth[2 * t + 1], false, self});
        }
        for (std::uint16_t t : graph.strong(s))
            if (on.parent[2 * t] >= 0) loops.add(graph, InferenceGraph::path(on, 2 * t), false, found);
    }
    if (!emit_shortest_first(graph, found, sink) || !emit_shortest_first(graph, loops.narrower, sink)) return false;
    found.clear();
    loops.narrower.clear();
    LoopWalk walk(graph, loops, found);
    for (int s = 0; s < n; ++s)
        if (!graph.node(s).group()) walk.from(s);
    found.insert(found.end(), loops.narrower.begin(), loops.narrower.end());
    return emit_shortest_first(graph, found, sink);
}

}  // namespace varendo::logic
