#include <algorithm>
#include <vector>

#include "logic/producers.h"

namespace varendo::logic {

namespace {

// Walks chains of cells that hold only the pair, each seeing the next: their digits
// alternate along the chain, so two cells an odd number of links apart (three or more) hold
// one digit each, and both digits leave every cell that sees both ends.
class RemotePairWalk {
public:
    RemotePairWalk(const CandidateGrid& grid, unsigned pair, const StepSink& sink) : grid_(grid), pair_(pair), sink_(sink) {
        for (int c = 0; c < 81; ++c)
            if (grid.candidates(c) == pair) cells_.push_back(c);
    }

    bool run() {
        for (int start : cells_)
            if (!extend(start)) return false;
        return true;
    }

private:
    bool extend(int cell) {
        chain_.push_back(cell);
        bool go_on = chain_.size() < 4 || chain_.front() > chain_.back() || report();
        for (int next : cells_) {
            if (!go_on) break;
            if (sees(cell, next) && std::find(chain_.begin(), chain_.end(), next) == chain_.end()) go_on = extend(next);
        }
        chain_.pop_back();
        return go_on;
    }

    bool report() {
        Step step;
        step.technique = Technique::RemotePair;
        step.rating = 45;
        step.digits = static_cast<std::uint16_t>(pair_);
        for (int c : chain_) step.cells.push_back(static_cast<std::uint8_t>(c));
        for (int v = 0; v < 81; ++v) {
            if (!(grid_.candidates(v) & pair_) || std::find(chain_.begin(), chain_.end(), v) != chain_.end()) continue;
            bool struck = false;
            for (std::size_t i = 0; i < chain_.size() && !struck; ++i)
                for (std::size_t j = i + 3; j < chain_.size() && !struck; j += 2) struck = sees(v, chain_[i]) && sees(v, chain_[j]);
            for (int d = 1; d <= 9 && struck; ++d)
                if (pair_ & grid_.candidates(v) & digit_bit(d))
                    step.eliminations.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(d)});
        }
        return step.eliminations.empty() || sink_(std::move(step));
    }

    const CandidateGrid& grid_;
    unsigned pair_;
    const StepSink& sink_;
    std::vector<int> cells_;
    std::vector<int> chain_;
};

}  // namespace

// Remote pairs: a chain of four or more cells holding the same two digits.
bool find_remote_pairs(const CandidateGrid& grid, const StepSink& sink) {
    for (int a = 1; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b)
            if (!RemotePairWalk(grid, digit_bit(a) | digit_bit(b), sink).run()) return false;
    return true;
}

}  // namespace varendo::logic
