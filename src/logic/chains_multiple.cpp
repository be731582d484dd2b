// Cell and region forcing chains, contradictions and double chains: every value of a cell or
// every place of a digit in a house assumed in turn.

#include <bit>

#include "logic/chain_search.h"

namespace varendo::logic {

void ChainSearch::regions(int cell, int digit, ChainRun& on_run) {
    for (int house : houses_of(cell)) {
        const unsigned places = source_.positions(house, digit);
        const int count = mask_count(places);
        if (!(count == 2 || (multiple_ && count > 2))) continue;
        const HouseCells& cells = house_cells(house);
        if (cells[std::countr_zero(places)] != cell) continue;
        std::vector<ChainRun*> runs;
        for (int j = 0; j < 9; ++j) {
            if (!(places & (1u << j))) continue;
            if (cells[j] == cell) {
                runs.push_back(&on_run);
                continue;
            }
            runs.push_back(assume_on(cells[j], digit).run);
        }
        std::vector<ChainEnd> chains;
        for (bool on : {true, false})
            for (int m : on_run.members()) {
                const NodeId id = on_run.id(m);
                if (node_on(id) != on) continue;
                chains.clear();
                for (ChainRun* run : runs) {
                    const int index = run->find(id);
                    if (index < 0) break;
                    chains.push_back({run, index});
                }
                if (chains.size() != runs.size()) continue;
                region_house_ = house;
                offer_target(dynamic_ ? Technique::DynamicRegionForcingChain : Technique::RegionForcingChain, 6, id, chains);
            }
    }
}

void ChainSearch::cell_and_region(int cell) {
    const unsigned mask = source_.candidates(cell);
    const int count = mask_count(mask);
    const bool double_chains = count >= 3 && !nishio_ && dynamic_;
    const bool contradictions = dynamic_;
    for (int digit = 1; digit <= 9; ++digit) {
        if (!(mask & digit_bit(digit))) continue;
        const OnRun& assumed = assume_on(cell, digit);
        ChainRun& on_run = *assumed.run;
        value_runs_[digit] = &on_run;
        if (assumed.contradiction && contradictions)
            offer_target(nishio_ ? Technique::NishioForcingChain : Technique::ContradictionForcingChain, 7,
                         node_id(cell, digit, false), {{&on_run, assumed.on_end}, {&on_run, assumed.off_end}});
        ChainRun& off_run = *scratch_run();
        off_run.clear();
        off_run.insert(off_run.add(node_id(cell, digit, false), nullptr, 0));
        int a = 0, b = 0;
        if (follow(off_run, a, b) && contradictions)
            offer_target(nishio_ ? Technique::NishioForcingChain : Technique::ContradictionForcingChain, 7,
                         node_id(cell, digit, true), {{&off_run, a}, {&off_run, b}});
        if (double_chains) {
            for (bool on : {true, false})
                for (int m : on_run.members()) {
                    const NodeId id = on_run.id(m);
                    if (node_on(id) != on) continue;
                    const int other = off_run.find(id);
                    if (other >= 0) offer_target(Technique::DoubleForcingChain, 1, id, {{&on_run, m}, {&off_run, other}});
                }
        }
        if (!nishio_) regions(cell, digit, on_run);
    }
    if (nishio_ || !(count == 2 || (multiple_ && count > 2))) return;
    ChainRun& first = *value_runs_[std::countr_zero(mask) + 1];
    std::vector<ChainEnd> chains;
    for (bool on : {true, false})
        for (int m : first.members()) {
            const NodeId id = first.id(m);
            if (node_on(id) != on) continue;
            chains.clear();
            for (int digit = 1; digit <= 9; ++digit) {
                if (!(mask & digit_bit(digit))) continue;
                const int index = value_runs_[digit]->find(id);
                if (index < 0) break;
                chains.push_back({value_runs_[digit], index});
            }
            if (static_cast<int>(chains.size()) != count) continue;
            offer_target(dynamic_ ? Technique::DynamicCellForcingChain : Technique::CellForcingChain, 5, id, chains);
        }
}

std::optional<Step> ChainSearch::run_multiple() {
    for (int cell = 0; cell < 81; ++cell) {
        if (source_.digit(cell) != 0) continue;
        const int count = mask_count(source_.candidates(cell));
        if (count > 2 || (count > 1 && dynamic_)) cell_and_region(cell);
    }
    if (!have_best_) return std::nullopt;
    return best_;
}

}  // namespace varendo::logic
