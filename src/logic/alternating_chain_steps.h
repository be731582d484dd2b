#pragma once

#include <vector>

#include "logic/inference_graph.h"
#include "logic/producers.h"

namespace varendo::logic {

// A chain found by a search from one state, before it becomes a step: the search is made
// again for the few that become steps rather than kept for all. A search from a candidate on
// looks for loops and does not leave by a strong link.
struct FoundChain {
    Technique technique;
    int start_state;
    int end_state;
    int links;
    bool closed;  // a continuous loop: its last node links back to its first
    CandidateSet eliminations;
    std::vector<int> states = {};  // given when a breadth-first search would not find the chain again
};

// What a chain makes false when one of its ends holds: what conflicts with both.
inline CandidateSet common_conflicts(const InferenceGraph& graph, int a, int b) {
    return graph.conflicts(a) & graph.conflicts(b) & graph.present();
}

// Hands the chains to the sink as steps, shortest first; a chain with a group node takes the
// grouped name of its technique.
bool emit_shortest_first(const InferenceGraph& graph, std::vector<FoundChain>& found, const StepSink& sink);

}  // namespace varendo::logic
