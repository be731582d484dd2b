#pragma once

#include <functional>

#include "logic/candidate_grid.h"
#include "logic/step.h"

namespace varendo::logic {

// Each producer finds every instance of its family in a grid, in the order the classic
// explainers scan for them, and hands each step to the sink; a sink that returns false
// stops the search.
using StepSink = std::function<bool(Step&&)>;

// Full houses (1.0), then hidden singles in boxes (1.2), columns and rows (1.5).
bool find_hidden_singles(const CandidateGrid& grid, const StepSink& sink);
bool find_naked_singles(const CandidateGrid& grid, const StepSink& sink);
// Pointing (box to line) and claiming (line to box); `direct` keeps only those that leave a
// hidden single in a parallel house, and places it.
bool find_locking(const CandidateGrid& grid, bool direct, const StepSink& sink);
// Locked pairs and triples: naked sets where a line crosses a box.
bool find_locked_sets(const CandidateGrid& grid, int degree, const StepSink& sink);
bool find_naked_sets(const CandidateGrid& grid, int degree, const StepSink& sink);
bool find_hidden_sets(const CandidateGrid& grid, int degree, bool direct, const StepSink& sink);
bool find_fish(const CandidateGrid& grid, int degree, const StepSink& sink);
// Finned and sashimi fish: the base lines' places outside the cover lines (the fins) all lie
// in one box, so the digit leaves the cover cells in that box.
bool find_finned_fish(const CandidateGrid& grid, int degree, const StepSink& sink);
// Franken fish (lines of one kind with boxes as bases, the other lines with boxes as covers)
// and mutant fish (any mix of houses on each side); `finned` finds those with fins, up to five
// of them, two at most where base houses overlap.
bool find_franken_fish(const CandidateGrid& grid, int degree, bool finned, const StepSink& sink);
bool find_mutant_fish(const CandidateGrid& grid, int degree, bool finned, const StepSink& sink);
bool find_xy_wings(const CandidateGrid& grid, bool xyz, const StepSink& sink);
// The classic rater looks for a set of n only in a house with at least 2n empty cells (more
// than 2n for a hidden one), and for a fish of n only for a digit placed at most 9 - 2n times:
// smaller houses hold the complementary set, which it finds first. These pass on only those.
StepSink explainer_sets(const CandidateGrid& grid, int degree, bool hidden, const StepSink& sink);
StepSink explainer_fish(const CandidateGrid& grid, int degree, const StepSink& sink);
// Aligned pair (degree 2) and triple (3) exclusion, in the classic rater's order of base cells.
bool find_aligned_exclusion(const CandidateGrid& grid, int degree, const StepSink& sink);
// Uniqueness: only for a grid known to have one solution.
bool find_unique_loops(const CandidateGrid& grid, const StepSink& sink);
bool find_bivalue_grave(const CandidateGrid& grid, const StepSink& sink);
// Single-digit patterns of two strong links and W-wings, for the human ladder.
bool find_single_digit_patterns(const CandidateGrid& grid, const StepSink& sink);
bool find_w_wings(const CandidateGrid& grid, const StepSink& sink);
bool find_empty_rectangles(const CandidateGrid& grid, const StepSink& sink);
// Two 2-string kites (or two empty rectangles) sharing their box, as one step.
bool find_dual_patterns(const CandidateGrid& grid, bool rectangles, const StepSink& sink);
bool find_simple_colors(const CandidateGrid& grid, const StepSink& sink);
// Alternating inference chains, shortest first: X-chains on one digit, XY-chains of bivalue
// cells, and nice loops (continuous and discontinuous) with AICs, with group nodes or without.
bool find_x_chains(const CandidateGrid& grid, const StepSink& sink);
bool find_xy_chains(const CandidateGrid& grid, const StepSink& sink);
// `through_sets` lets grouped chains pass through almost locked sets as well.
bool find_nice_loops(const CandidateGrid& grid, bool grouped, const StepSink& sink, bool through_sets = false);
bool find_multi_colors(const CandidateGrid& grid, const StepSink& sink);
bool find_remote_pairs(const CandidateGrid& grid, const StepSink& sink);
// Rectangles: uniqueness patterns, only for a grid known to have one solution; the avoidable
// ones read which digits are givens.
bool find_unique_rectangles(const CandidateGrid& grid, const StepSink& sink);
bool find_hidden_rectangles(const CandidateGrid& grid, const StepSink& sink);
bool find_avoidable_rectangles(const CandidateGrid& grid, const StepSink& sink);
bool find_sue_de_coq(const CandidateGrid& grid, const StepSink& sink);
bool find_als_xz(const CandidateGrid& grid, const StepSink& sink);
bool find_als_xy_wings(const CandidateGrid& grid, const StepSink& sink);
bool find_als_xy_chains(const CandidateGrid& grid, const StepSink& sink);
// A stem cell whose every digit, were it true, would lock a petal set: a digit common to all
// the petals and none of the stem's leaves what sees all its cells in them.
bool find_death_blossoms(const CandidateGrid& grid, const StepSink& sink);

}  // namespace varendo::logic
