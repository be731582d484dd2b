#include <algorithm>

#include "logic/alternating_chain_steps.h"

namespace varendo::logic {

namespace {

// A continuous loop: every link holds both ways round, so whatever conflicts with both ends
// of any link goes, except the loop's own candidates.
CandidateSet loop_eliminations(const InferenceGraph& graph, const std::vector<int>& states) {
    CandidateSet gone, own;
    for (std::size_t k = 0; k < states.size(); ++k) {
        const int a = states[k] / 2, b = states[(k + 1) % states.size()] / 2;
        gone |= common_conflicts(graph, a, b) | graph.locked_between(a, b);
        const InferenceNode& node = graph.node(states[k] / 2);
        for (std::uint8_t cell : node.cells)
            if (cell != kNoCell) own.set(candidate_index(cell, node.digit));
    }
    return gone & ~own;
}

}  // namespace

// From each candidate on: back to itself off, or to another digit of its cell on, and it goes
// (a discontinuous loop); back to a node strongly linked to it, a continuous loop. From each
// candidate off: back to itself on, and it holds; to another node on, an AIC.
bool find_nice_loops(const CandidateGrid& grid, bool grouped, const StepSink& sink, bool through_sets) {
    const InferenceGraph graph(grid, through_sets ? LinkSet::GroupedWithSets : grouped ? LinkSet::Grouped : LinkSet::All);
    const int n = graph.size();
    InferenceGraph::Search from_off, on;
    std::vector<FoundChain> found;
    std::vector<CandidateSet> loops_seen;
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
        for (std::uint16_t t : graph.strong(s)) {
            if (on.parent[2 * t] < 0) continue;
            const CandidateSet gone = loop_eliminations(graph, InferenceGraph::path(on, 2 * t));
            if (gone.none() || std::find(loops_seen.begin(), loops_seen.end(), gone) != loops_seen.end()) continue;
            loops_seen.push_back(gone);
            found.push_back({Technique::ContinuousNiceLoop, 2 * s + 1, 2 * t, on.depth[2 * t] + 1, true, gone});
        }
    }
    return emit_shortest_first(graph, found, sink);
}

}  // namespace varendo::logic
