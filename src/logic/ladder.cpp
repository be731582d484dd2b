#include "logic/ladder.h"

#include <algorithm>

#include "logic/chains.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

// Runs one producer and keeps its first step.
template <typename Producer>
std::optional<Step> first_of(Producer&& producer) {
    std::optional<Step> found;
    producer([&found](Step&& step) {
        found = std::move(step);
        return false;
    });
    return found;
}

std::optional<Step> explainer_step(const CandidateGrid& g, bool unique) {
    using S = const StepSink&;
    const std::function<bool(S)> rungs[] = {
        [&](S s) { return find_hidden_singles(g, s); },
        [&](S s) { return find_locking(g, true, s); },
        [&](S s) { return find_hidden_sets(g, 2, true, s); },
        [&](S s) { return find_naked_singles(g, s); },
        [&](S s) { return find_hidden_sets(g, 3, true, s); },
        [&](S s) { return find_locking(g, false, s); },
        [&](S s) { return find_naked_sets(g, 2, explainer_sets(g, 2, false, s)); },
        [&](S s) { return find_fish(g, 2, explainer_fish(g, 2, s)); },
        [&](S s) { return find_hidden_sets(g, 2, false, explainer_sets(g, 2, true, s)); },
        [&](S s) { return find_naked_sets(g, 3, explainer_sets(g, 3, false, s)); },
        [&](S s) { return find_fish(g, 3, explainer_fish(g, 3, s)); },
        [&](S s) { return find_hidden_sets(g, 3, false, explainer_sets(g, 3, true, s)); },
        [&](S s) { return find_xy_wings(g, false, s); },
        [&](S s) { return find_xy_wings(g, true, s); },
        [&](S s) { return !unique || find_unique_loops(g, s); },
        [&](S s) { return find_naked_sets(g, 4, explainer_sets(g, 4, false, s)); },
        [&](S s) { return find_fish(g, 4, explainer_fish(g, 4, s)); },
        [&](S s) { return find_hidden_sets(g, 4, false, explainer_sets(g, 4, true, s)); },
        [&](S s) { return !unique || find_bivalue_grave(g, s); },
        [&](S s) { return find_aligned_exclusion(g, 2, s); },
    };
    for (const auto& rung : rungs)
        if (std::optional<Step> step = first_of(rung)) return step;
    if (auto step = find_chain_step(g, ChainFamily::Static)) return step;
    if (auto step = first_of([&](const StepSink& s) { return find_aligned_exclusion(g, 3, s); })) return step;
    for (ChainFamily family : {ChainFamily::Nishio, ChainFamily::Multiple, ChainFamily::Dynamic, ChainFamily::DynamicPlus,
                               ChainFamily::NestedForcing, ChainFamily::NestedMultiple, ChainFamily::NestedDynamic}) {
        if (auto step = find_chain_step(g, family)) return step;
        if (chain_search_gave_up()) return std::nullopt;
    }
    return std::nullopt;
}

// The human ladder: singles first with candidates shown, then the patterns by how hard
// they are to see; the chains carry on where the patterns end.
std::optional<Step> human_step(const CandidateGrid& g, bool unique) {
    using S = const StepSink&;
    const std::function<bool(S)> rungs[] = {
        [&](S s) { return find_hidden_singles(g, [&](Step&& step) { return step.technique != Technique::FullHouse || s(std::move(step)); }); },
        [&](S s) { return find_naked_singles(g, s); },
        [&](S s) { return find_hidden_singles(g, s); },
        [&](S s) { return find_locked_sets(g, 2, s); },
        [&](S s) { return find_locked_sets(g, 3, s); },
        [&](S s) { return find_locking(g, false, s); },
        [&](S s) { return find_naked_sets(g, 2, s); },
        [&](S s) { return find_hidden_sets(g, 2, false, s); },
        [&](S s) { return find_naked_sets(g, 3, s); },
        [&](S s) { return find_hidden_sets(g, 3, false, s); },
        [&](S s) { return find_fish(g, 2, s); },
        [&](S s) { return find_dual_patterns(g, false, s); },
        [&](S s) { return find_single_digit_patterns(g, s); },
        [&](S s) { return find_dual_patterns(g, true, s); },
        [&](S s) { return find_empty_rectangles(g, s); },
        [&](S s) { return find_simple_colors(g, s); },
        [&](S s) { return find_finned_fish(g, 2, s); },
        [&](S s) { return find_xy_wings(g, false, s); },
        [&](S s) { return find_w_wings(g, s); },
        [&](S s) { return find_xy_wings(g, true, s); },
        [&](S s) { return find_fish(g, 3, s); },
        [&](S s) { return find_finned_fish(g, 3, s); },
        [&](S s) { return !unique || find_unique_loops(g, s); },
        [&](S s) { return !unique || find_bivalue_grave(g, s); },
        [&](S s) { return !unique || find_unique_rectangles(g, s); },
        [&](S s) { return !unique || find_hidden_rectangles(g, s); },
        [&](S s) { return !unique || find_avoidable_rectangles(g, s); },
        [&](S s) { return find_remote_pairs(g, s); },
        [&](S s) { return find_naked_sets(g, 4, s); },
        [&](S s) { return find_hidden_sets(g, 4, false, s); },
        [&](S s) { return find_fish(g, 4, s); },
        [&](S s) { return find_finned_fish(g, 4, s); },
        [&](S s) { return find_multi_colors(g, s); },
        [&](S s) { return find_sue_de_coq(g, s); },
        // Alternating chains and loops, each rung giving its shortest chain first.
        [&](S s) { return find_x_chains(g, s); },
        [&](S s) { return find_xy_chains(g, s); },
        [&](S s) { return find_nice_loops(g, false, s); },
        [&](S s) { return find_nice_loops(g, true, s); },
        [&](S s) { return find_als_xz(g, s); },
        [&](S s) { return find_als_xy_wings(g, s); },
        [&](S s) { return find_als_xy_chains(g, s); },
        [&](S s) { return find_death_blossoms(g, s); },
        [&](S s) { return find_franken_fish(g, 2, false, s); },
        [&](S s) { return find_franken_fish(g, 3, false, s); },
        [&](S s) { return find_franken_fish(g, 2, true, s); },
        [&](S s) { return find_franken_fish(g, 3, true, s); },
    };
    for (const auto& rung : rungs)
        if (std::optional<Step> step = first_of(rung)) return step;
    for (ChainFamily family :
         {ChainFamily::Static, ChainFamily::Nishio, ChainFamily::Multiple, ChainFamily::Dynamic, ChainFamily::DynamicPlus,
          ChainFamily::NestedForcing, ChainFamily::NestedMultiple, ChainFamily::NestedDynamic}) {
        if (auto step = find_chain_step(g, family)) return step;
        if (chain_search_gave_up()) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Step> next_step(const CandidateGrid& grid, Ladder ladder, bool unique) {
    return ladder == Ladder::Explainer ? explainer_step(grid, unique) : human_step(grid, unique);
}

void apply_step(CandidateGrid& grid, const Step& step) {
    for (const Candidate& c : step.eliminations) grid.eliminate(c.cell, c.digit);
    for (const Candidate& c : step.placements)
        if (grid.digit(c.cell) == 0) grid.place(c.cell, c.digit);
}

LogicalPath solve_logically(const Grid81& givens, Ladder ladder) {
    LogicalPath path;
    const SearchResult search = find_solutions(givens, 2);
    if (search.count == 0) {
        path.outcome = LogicalPath::Outcome::NoSolution;
        return path;
    }
    if (search.count > 1) {
        path.outcome = LogicalPath::Outcome::SeveralSolutions;
        return path;
    }
    const bool unique = true;
    CandidateGrid grid = CandidateGrid::from_givens(givens);
    bool placed = false;
    while (!grid.solved()) {
        std::optional<Step> step = next_step(grid, ladder, unique);
        if (!step) {
            path.outcome = LogicalPath::Outcome::Stuck;
            return path;
        }
        path.er = std::max(path.er, step->rating);
        if (path.steps.empty()) path.ed = path.er;
        if (!placed && !step->placements.empty()) {
            placed = true;
            path.ep = path.er;
        }
        apply_step(grid, *step);
        path.steps.push_back(std::move(*step));
    }
    path.outcome = LogicalPath::Outcome::Solved;
    return path;
}

}  // namespace varendo::logic
