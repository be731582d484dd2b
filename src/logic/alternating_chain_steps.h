#pragma once

#include <vector>

#include "logic/inference_graph.h"
#include "logic/producers.h"

namespace varendo::logic {

// A chain found by a search from one state, before it becomes a step.
struct FoundChain {
    Technique technique;
    const InferenceGraph::Search* search;
    int end_state;
    bool closed;  // a continuous loop: its last node links back to its first
    CandidateSet eliminations;
};

// What a chain makes false when one of its ends holds: what conflicts with both.
inline CandidateSet common_conflicts(const InferenceGraph& graph, int a, int b) {
    return graph.conflicts(a) & graph.conflicts(b) & graph.present();
}

// Hands the chains to the sink as steps, shortest first; a chain with a group node takes the
// grouped name of its technique.
bool emit_shortest_first(const InferenceGraph& graph, std::vector<FoundChain>& found, const StepSink& sink);

}  // namespace varendo::logic
