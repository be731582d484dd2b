#pragma once

// The search behind every chaining family, shared by the files of its parts: the static cycles
// and forcing chains (chains_static.cpp), the multiple ones made from whole assumptions
// (chains_multiple.cpp), the propagation with its rules (chains_dynamic.cpp) and the forcing
// chains nested inside it (chains_nested.cpp).

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "logic/chain_run.h"
#include "logic/chains.h"

namespace varendo::logic {

double length_difficulty(int complexity);

// Searches nest one deep: the chains nested in dynamic ones are of the lower levels.
constexpr int kMaxChainDepth = 1;

// Each of the ladder's chain searches may run a bounded number of nested searches.
void begin_nested_budget();
bool take_nested_search();
bool nested_budget_spent();

inline Candidate candidate_of(NodeId id) {
    return {static_cast<std::uint8_t>(node_cell(id)), static_cast<std::uint8_t>(node_digit(id))};
}

// A chain of a hint: the run it lies in and the node it ends at.
struct ChainEnd {
    const ChainRun* run;
    int index;
};

// A hint of a nested search, kept as what the outer chain needs of it: what it strikes, how
// hard it is, and the cells and houses whose single it used (their removals are its parents).
struct NestedHint {
    double difficulty = 0;
    int complexity = 0;
    int sort_key = 0;
    std::uint64_t identity = 0;
    std::vector<Candidate> removable;
    std::vector<int> cells;                          // naked singles the chain used
    std::vector<std::pair<int, int>> house_digits;   // hidden singles: house and digit
};

class ChainSearch {
public:
    // `depth` counts the searches this one runs inside (0 for the ladder's own).
    ChainSearch(const CandidateGrid& grid, ChainFamily family, int depth = 0);

    std::optional<Step> run_static();
    std::optional<Step> run_multiple();
    // Makes the search hand every hint to `hints` instead of keeping the easiest.
    void collect_into(std::vector<NestedHint>* hints) { collect_ = hints; }

private:
    void on_to_off(ChainRun& run, int p, bool y, std::vector<int>& out);
    void off_to_on(ChainRun& run, int p, bool y, bool x, std::vector<int>& out);
    // Follows the assumptions in the run's set; a contradiction found ends it (on, off).
    bool follow(ChainRun& run, int& on_end, int& off_end);
    // What the simple rules find in the grid the chain has made: candidates that go off, each
    // with the removals the rule needed as its parents.
    void advanced(ChainRun& run, std::vector<int>& out);
    // The same from the forcing chains of the lower levels, searched in that grid.
    void nested(ChainRun& run, std::vector<int>& out);
    void rule_parents(const ChainRun& run, const Step& step, std::vector<int>& parents) const;
    void removed_in(const ChainRun& run, int cell, int digit, std::vector<int>& parents) const;
    void unary(int cell, int digit, bool y, bool x);
    // The most nodes a static chain on `base` may have and still be the easiest step.
    int chain_limit(double base) const;
    // Loops back to the source (within `cycle_limit` nodes) and, with `chain_limit` above 0,
    // forcing chains that strike it.
    void cycles(ChainRun& run, NodeId source, bool y, bool x, int cycle_limit, int chain_limit, std::vector<int>& loops,
                std::vector<int>& chains);
    // Whether an off node implies the on node by one link.
    bool closes(NodeId off, NodeId on, bool y, bool x) const;
    void forcing(ChainRun& run, NodeId source, bool y, int limit, std::vector<int>& found);
    void cell_and_region(int cell);
    void regions(int cell, int digit, ChainRun& on_run);

    // Offers a hint; it becomes the best when easier, or as easy with a shorter chain.
    void offer(Technique technique, double base, int sort_key, NodeId target, bool placement,
               std::vector<Candidate> removable, const std::vector<ChainEnd>& chains);
    void offer_target(Technique technique, int sort_key, NodeId target, const std::vector<ChainEnd>& chains);
    void collect(Technique technique, double difficulty, int complexity, int sort_key,
                 std::vector<Candidate> removable, const std::vector<ChainEnd>& chains);

    const CandidateGrid& source_;
    CandidateGrid work_;
    bool dynamic_;
    bool nishio_;
    bool multiple_;
    bool plus_;
    int level_;  // 1 for the rules inside dynamic chains, 2-4 for the nested chains
    int depth_;
    double base_;
    std::vector<int> pending_on_, pending_off_, out_;
    std::vector<NestedHint>* collect_ = nullptr;
    std::array<std::uint32_t, kNodeIds> expanded_{};  // off nodes a cycle search has followed
    std::uint32_t expand_stamp_ = 0;
    int region_house_ = -1;  // the house of the region chains being offered

    bool have_best_ = false;
    double best_base_ = 0;
    double best_difficulty_ = 0;
    int best_complexity_ = 0;
    int best_sort_ = 0;
    Step best_;

    // What each candidate implies when on, worked out once per search: a cell's chains and the
    // region chains of its houses need the same ones. Kept per thread between searches.
    struct OnRun {
        ChainRun* run = nullptr;
        bool contradiction = false;
        int on_end = 0, off_end = 0;
    };
    OnRun& assume_on(int cell, int digit);
    std::array<OnRun, 81 * 9> on_runs_{};
    std::size_t runs_used_ = 0;
    ChainRun* value_runs_[10] = {};
    ChainRun* scratch_run();
};

}  // namespace varendo::logic
