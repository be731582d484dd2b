#include <algorithm>

#include "logic/alternating_chain_steps.h"
#include "logic/chains.h"

namespace varendo::logic {

namespace {

Technique grouped(Technique technique) {
    switch (technique) {
    case Technique::ContinuousNiceLoop: return Technique::GroupedContinuousNiceLoop;
    case Technique::DiscontinuousNiceLoop: return Technique::GroupedDiscontinuousNiceLoop;
    case Technique::Aic: return Technique::GroupedAic;
    default: return technique;
    }
}

// The index in the step's sets of one of the graph's almost locked sets, added when new.
std::int8_t set_in_step(const InferenceGraph& graph, int set, Step& step) {
    const CellSet cells = cell_set(graph.sets()[set]);
    for (std::size_t k = 0; k < step.sets.size(); ++k)
        if (step.sets[k].cells == cells.cells) return static_cast<std::int8_t>(k);
    step.sets.push_back(cells);
    return static_cast<std::int8_t>(step.sets.size() - 1);
}

// A link from one state to the next, with the set that makes it when neither end names it.
ChainLink chain_link(const InferenceGraph& graph, int from_state, int to_state, std::uint16_t from, std::uint16_t to, Step& step) {
    ChainLink link{from, to, (to_state & 1) != 0};
    const int set = graph.set_of_link(from_state / 2, to_state / 2);
    if (link.strong && set >= 0 && graph.node(from_state / 2).set != set && graph.node(to_state / 2).set != set)
        link.set = set_in_step(graph, set, step);
    return link;
}

Step chain_step(const InferenceGraph& graph, const FoundChain& chain, InferenceGraph::Search& search) {
    const int start = chain.start_state / 2;
    if (chain.states.empty())
        graph.search(chain.start_state, search, chain.start_state & 1 ? graph.strong(start) : std::vector<std::uint16_t>{});
    const std::vector<int> states = chain.states.empty() ? InferenceGraph::path(search, chain.end_state) : chain.states;
    Step step;
    step.technique = chain.technique;
    for (std::size_t k = 0; k < states.size(); ++k) {
        const InferenceNode& node = graph.node(states[k] / 2);
        if (node.group()) step.technique = grouped(chain.technique);
        step.nodes.push_back({{node.cells[0], node.digit}, (states[k] & 1) != 0, {node.cells[1], node.cells[2]}});
        if (node.set >= 0) step.nodes.back().set = set_in_step(graph, node.set, step);
        // Reaching a node on takes a strong link, off a weak one.
        if (k > 0) step.links.push_back(chain_link(graph, states[k - 1], states[k], static_cast<std::uint16_t>(k - 1), static_cast<std::uint16_t>(k), step));
        for (std::uint8_t cell : node.cells)
            if (cell != kNoCell && std::find(step.cells.begin(), step.cells.end(), cell) == step.cells.end())
                step.cells.push_back(cell);
        step.digits |= digit_bit(node.digit);
    }
    if (chain.closed) step.links.push_back(chain_link(graph, states.back(), states.front() | 1, static_cast<std::uint16_t>(states.size() - 1), 0, step));
    if (std::any_of(step.links.begin(), step.links.end(), [](const ChainLink& link) { return link.set >= 0; }))
        step.technique = grouped(chain.technique);
    step.complexity = static_cast<int>(step.nodes.size());
    step.size = step.complexity;
    step.rating = (chain.technique == Technique::XChain ? 66 : 70) + chain_length_bonus(step.complexity);
    for (std::size_t i = 0; i < chain.eliminations.size(); ++i)
        if (chain.eliminations[i])
            step.eliminations.push_back({static_cast<std::uint8_t>(i / 9), static_cast<std::uint8_t>(i % 9 + 1)});
    return step;
}

// Chains whose ends are strong: one end or the other holds, so whatever conflicts with both
// goes. X-chains keep to one digit, XY-chains to bivalue cells with the same digit at the ends.
bool find_open_chains(const CandidateGrid& grid, LinkSet links, Technique technique, const StepSink& sink) {
    const InferenceGraph graph(grid, links);
    const int shortest = links == LinkSet::Bivalue ? 5 : 3;  // links: shorter ones are wings
    InferenceGraph::Search search;
    std::vector<FoundChain> found;
    for (int s = 0; s < graph.size(); ++s) {
        graph.search(2 * s, search);
        for (int t = s + 1; t < graph.size(); ++t) {
            const int end = 2 * t + 1;
            if (search.parent[end] < 0 || search.depth[end] < shortest) continue;
            if (links == LinkSet::Bivalue && graph.node(s).digit != graph.node(t).digit) continue;
            const CandidateSet gone = common_conflicts(graph, s, t);
            if (gone.any()) found.push_back({technique, 2 * s, end, search.depth[end], false, gone});
        }
    }
    return emit_shortest_first(graph, found, sink);
}

}  // namespace

bool emit_shortest_first(const InferenceGraph& graph, std::vector<FoundChain>& found, const StepSink& sink) {
    std::stable_sort(found.begin(), found.end(), [](const FoundChain& a, const FoundChain& b) { return a.links < b.links; });
    InferenceGraph::Search search;
    for (const FoundChain& chain : found)
        if (!sink(chain_step(graph, chain, search))) return false;
    return true;
}

bool find_x_chains(const CandidateGrid& grid, const StepSink& sink) {
    return find_open_chains(grid, LinkSet::SingleDigit, Technique::XChain, sink);
}

bool find_xy_chains(const CandidateGrid& grid, const StepSink& sink) {
    return find_open_chains(grid, LinkSet::Bivalue, Technique::XYChain, sink);
}

}  // namespace varendo::logic
