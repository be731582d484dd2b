#pragma once

#include <optional>

#include "logic/candidate_grid.h"
#include "logic/step.h"

namespace varendo::logic {

// The chaining families of the classic rater, each giving the easiest step it finds (by
// rating, then chain length): the static pass of X-, Y- and XY-cycles and forcing chains
// (6.5-7.x), Nishio forcing chains (7.5), cell and region forcing chains (8.0) and dynamic
// forcing chains (8.5), and dynamic ones that also use pointing, claiming, pairs and X-wings
// inside the chain (9.0); then dynamic ones that nest, where their links stall, the forcing
// chains and cycles (9.5), those and cell and region forcing chains (10.0), or dynamic forcing
// chains (10.5). A nested search is bounded: one that runs out of its budget gives no step, so
// a puzzle beyond it is reported unfinished rather than rated wrongly.
enum class ChainFamily { Static, Nishio, Multiple, Dynamic, DynamicPlus, NestedForcing, NestedMultiple, NestedDynamic };

std::optional<Step> find_chain_step(const CandidateGrid& grid, ChainFamily family);

// Whether this thread's last search gave up at its bound: then no later family may stand in
// for the step it may have missed.
bool chain_search_gave_up();

// The bonus, in tenths, that a chain of `complexity` nodes adds to its technique's value.
int chain_length_bonus(int complexity);

}  // namespace varendo::logic
