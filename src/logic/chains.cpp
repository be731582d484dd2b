#include "logic/chains.h"

#include <memory>

#include "logic/chain_search.h"

namespace varendo::logic {

namespace {

// The level of rules inside the chains: 1 for the simple ones of the (+) chains, 2-4 for the
// forcing chains nested in them.
int level_of(ChainFamily family) {
    switch (family) {
    case ChainFamily::DynamicPlus: return 1;
    case ChainFamily::NestedForcing: return 2;
    case ChainFamily::NestedMultiple: return 3;
    case ChainFamily::NestedDynamic: return 4;
    default: return 0;
    }
}

}  // namespace

ChainSearch::ChainSearch(const CandidateGrid& grid, ChainFamily family, int depth)
    : source_(grid), work_(grid), dynamic_(family != ChainFamily::Static && family != ChainFamily::Multiple),
      nishio_(family == ChainFamily::Nishio), multiple_(family != ChainFamily::Static && family != ChainFamily::Nishio),
      plus_(level_of(family) > 0), level_(level_of(family)), depth_(depth),
      base_(level_ > 0 ? 8.5 + 0.5 * level_
            : family == ChainFamily::Nishio   ? 7.5
            : family == ChainFamily::Multiple ? 8.0
                                              : 8.5) {}

double length_difficulty(int complexity) {
    double added = 0.0;
    int ceiling = 4;
    bool odd = false;
    for (int length = complexity - 2; length > ceiling; odd = !odd) {
        added += 0.1;
        ceiling = odd ? ceiling * 4 / 3 : ceiling * 3 / 2;
    }
    return added;
}

void ChainSearch::offer(Technique technique, double base, int sort_key, NodeId target, bool placement,
                        std::vector<Candidate> removable, const std::vector<ChainEnd>& chains) {
    if (removable.empty()) return;
    if (collect_ != nullptr) {
        int complexity = 0;
        for (const ChainEnd& end : chains) complexity += end.run->ancestor_count(end.index);
        collect(technique, base + length_difficulty(complexity), complexity, sort_key, std::move(removable), chains);
        return;
    }
    // Of two steps on one base value the longer chain never wins: stop counting past the best.
    const bool capped = have_best_ && base == best_base_;
    int complexity = 0;
    for (const ChainEnd& end : chains) {
        complexity += end.run->ancestor_count(end.index, capped ? best_complexity_ - complexity : kNodeIds);
        if (capped && complexity > best_complexity_) return;
    }
    const double difficulty = base + length_difficulty(complexity);
    if (have_best_ && !(difficulty < best_difficulty_ ||
                        (difficulty == best_difficulty_ &&
                         (complexity < best_complexity_ || (complexity == best_complexity_ && sort_key < best_sort_))))) {
        return;
    }
    have_best_ = true;
    best_base_ = base;
    best_difficulty_ = difficulty;
    best_complexity_ = complexity;
    best_sort_ = sort_key;
    best_ = Step{};
    best_.technique = technique;
    best_.rating = static_cast<int>((difficulty + 0.05) * 10);
    best_.complexity = complexity;
    best_.eliminations = std::move(removable);
    if (placement) best_.placements.push_back(candidate_of(target));
    best_.cells.push_back(static_cast<std::uint8_t>(node_cell(target)));
    best_.digits = digit_bit(node_digit(target));
    for (const ChainEnd& end : chains) end.run->describe(end.index, best_);
}

// The hint that a node holds: an on node places its digit, an off node strikes it.

void ChainSearch::offer_target(Technique technique, int sort_key, NodeId target, const std::vector<ChainEnd>& chains) {
    std::vector<Candidate> removable;
    const int cell = node_cell(target);
    const int digit = node_digit(target);
    if (node_on(target)) {
        for (int v = 1; v <= 9; ++v)
            if (v != digit && source_.has(cell, v)) removable.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(v)});
    } else if (source_.has(cell, digit)) {
        removable.push_back(candidate_of(target));
    }
    offer(technique, base_, sort_key, target, node_on(target), std::move(removable), chains);
}

// Runs kept by each thread, so that a long rating reuses their memory: one pool for each depth
// of nesting, as a nested search runs while the runs of the one around it are in use.
thread_local std::vector<std::unique_ptr<ChainRun>> run_pools[kMaxChainDepth + 1];
constexpr std::size_t kKeptRuns = 64;

ChainRun* ChainSearch::scratch_run() {
    // The first run of the pool is the scratch one; the cached ones follow it.
    auto& pool = run_pools[depth_];
    if (pool.empty()) pool.push_back(std::make_unique<ChainRun>());
    return pool.front().get();
}

ChainSearch::OnRun& ChainSearch::assume_on(int cell, int digit) {
    OnRun& entry = on_runs_[cell * 9 + digit - 1];
    if (entry.run != nullptr) return entry;
    scratch_run();
    auto& pool = run_pools[depth_];
    if (++runs_used_ >= pool.size()) pool.push_back(std::make_unique<ChainRun>());
    entry.run = pool[runs_used_].get();
    entry.run->clear();
    entry.run->insert(entry.run->add(node_id(cell, digit, true), nullptr, 0));
    entry.contradiction = follow(*entry.run, entry.on_end, entry.off_end);
    return entry;
}

bool chain_search_gave_up() { return nested_budget_spent(); }

int chain_length_bonus(int complexity) {
    return static_cast<int>(length_difficulty(complexity) * 10 + 0.5);
}

std::optional<Step> find_chain_step(const CandidateGrid& grid, ChainFamily family) {
    begin_nested_budget();
    ChainSearch search(grid, family);
    std::optional<Step> step = family == ChainFamily::Static ? search.run_static() : search.run_multiple();
    // What a long search grew is given back: a batch of any length keeps the same few runs.
    for (auto& pool : run_pools) {
        if (pool.size() > kKeptRuns) pool.resize(kKeptRuns);
        for (auto& run : pool) run->trim(4096);
    }
    // A search cut short by its budget may have missed the easiest step: it gives none.
    if (nested_budget_spent()) return std::nullopt;
    if (step) step->level = level_of(family);
    return step;
}

}  // namespace varendo::logic
