#include <algorithm>
#include <map>
#include <vector>

#include "logic/almost_locked_sets.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

constexpr int kMostLinks = 8;  // longer chains are past what a person follows

// A step of the search from one set: the set reached, the restricted common digits it was
// entered by (one of them is missing from it), the digit of the chain's first link, the
// links so far and the step before.
struct Reach {
    std::size_t set;
    unsigned entered_by;
    unsigned first;
    int links;
    int before;
};

struct CandidateOrder {
    bool operator()(const std::vector<Candidate>& a, const std::vector<Candidate>& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](Candidate x, Candidate y) {
            return x.cell != y.cell ? x.cell < y.cell : x.digit < y.digit;
        });
    }
};

// How big a chain is: its sets, then their cells.
std::pair<std::size_t, std::size_t> size_of(const std::vector<const Als*>& chain) {
    std::size_t cells = 0;
    for (const Als* set : chain) cells += set->cells.count();
    return {chain.size(), cells};
}
std::pair<std::size_t, std::size_t> size_of(const Step& step) {
    std::size_t cells = 0;
    for (const CellSet& set : step.sets) cells += set.cells.size();
    return {step.sets.size(), cells};
}

// Each set's partners, none overlapping it, with their restricted common digits.
std::vector<std::vector<std::pair<std::size_t, unsigned>>> partners_of(const AlsTable& table) {
    const std::vector<Als>& sets = table.sets;
    std::vector<std::vector<std::pair<std::size_t, unsigned>>> partners(sets.size());
    for (const Link& link : table.links)
        if ((sets[link.one].cells & sets[link.two].cells).none()) {
            partners[link.one].push_back({link.two, link.digits});
            partners[link.two].push_back({link.one, link.digits});
        }
    return partners;
}

}  // namespace

// ALS-XY-Chain: sets A1 .. An, each pair in turn tied by restricted common digits, every
// link using digits other than the link before. Were z false in A1, A1 would be locked and
// its link digit true in it; that digit leaves A2, which is then locked, and so on to An,
// which then holds every digit but its link's. So z, common to A1 and An and no digit of
// their links, is true in one of them and leaves every cell that sees all its cells in both.
// The search runs breadth first from each set, at least four sets; the shortest chain for
// each set of eliminations is kept, and they come shortest first.
bool find_als_xy_chains(const CandidateGrid& grid, const StepSink& sink) {
    const auto table = als_table(grid);
    const std::vector<Als>& sets = table->sets;
    const auto partners = partners_of(*table);
    // From the current start, by set: the entering digits seen (with the links so far, up to
    // three), each with the first links' digits it was seen with: the first link decides which
    // digits the chain can strike.
    std::vector<std::vector<std::pair<unsigned, unsigned>>> seen(sets.size());
    std::vector<std::size_t> touched;
    std::vector<Reach> reached;
    const std::array<Cells, 9> holders = digit_cells(grid);
    std::vector<Step> steps;
    std::map<std::vector<Candidate>, std::size_t, CandidateOrder> found;
    for (std::size_t start = 0; start < sets.size(); ++start) {
        // The digits of the start that some cell outside could lose: no other start digit can.
        unsigned strikable = 0;
        for (int z = 1; z <= 9; ++z)
            if ((sets[start].seeing[z - 1] & holders[z - 1]).any()) strikable |= digit_bit(z);
        if ((strikable & sets[start].digits) == 0) continue;
        for (std::size_t s : touched) seen[s].clear();
        touched.clear();
        reached.clear();
        auto reach = [&](std::size_t next, unsigned by, unsigned first, int before) {
            for (int m = before; m >= 0; m = reached[m].before)
                if (reached[m].set == next) return;  // a walk through one set twice is no chain
            const int links = before < 0 ? 1 : reached[before].links + 1;
            // Chains shorter than four sets strike nothing here, so they do not hide longer ones.
            const unsigned key = by | static_cast<unsigned>(std::min(links, 3)) << 9;
            auto& was = seen[next];
            auto it = std::find_if(was.begin(), was.end(), [key](const auto& w) { return w.first == key; });
            if (it != was.end() && (it->second & first)) return;
            if (was.empty()) touched.push_back(next);
            if (it == was.end()) was.push_back({key, first});
            else it->second |= first;
            reached.push_back({next, by, first, links, before});
        };
        // A doubly linked first pair is tried with either digit.
        for (const auto& [next, digits] : partners[start])
            for (unsigned rest = digits; rest != 0; rest &= rest - 1) reach(next, rest & -rest, rest & -rest, -1);
        for (std::size_t k = 0; k < reached.size(); ++k) {
            const Reach here = reached[k];  // a copy: reach() grows the list
            const Als& end = sets[here.set];
            if (here.links >= 3 && here.set != start) {
                const unsigned zs = strikable & sets[start].digits & end.digits & ~here.entered_by & ~here.first;
                std::vector<Candidate> struck;
                for (int z = 1; z <= 9; ++z)
                    if ((zs & digit_bit(z)) && (sets[start].seeing[z - 1] & end.seeing[z - 1] & holders[z - 1]).any())
                        strike(grid, {&sets[start], &end}, z, struck);
                if (!struck.empty()) {
                    std::vector<const Als*> chain;
                    std::vector<unsigned> ties;
                    for (int m = static_cast<int>(k); m >= 0; m = reached[m].before) {
                        chain.push_back(&sets[reached[m].set]);
                        ties.push_back(reached[m].entered_by);
                    }
                    chain.push_back(&sets[start]);
                    ties.push_back(0);
                    std::reverse(chain.begin(), chain.end());
                    std::reverse(ties.begin(), ties.end());
                    unsigned digits = 0;
                    for (unsigned tie : ties) digits |= tie;
                    // One chain for each set of eliminations: the fewest sets, then the fewest cells.
                    const auto [kept, fresh] = found.try_emplace(struck, steps.size());
                    if (!fresh && size_of(steps[kept->second]) <= size_of(chain)) continue;
                    Step step = als_step(Technique::AlsXYChain, 65, chain, digits, std::move(struck));
                    for (std::size_t m = 0; m < ties.size(); ++m) step.sets[m].link = static_cast<std::uint16_t>(ties[m]);
                    if (fresh) steps.push_back(std::move(step));
                    else steps[kept->second] = std::move(step);
                }
            }
            if (here.links == kMostLinks) continue;
            for (const auto& [next, digits] : partners[here.set]) {
                const unsigned by = digits & ~here.entered_by;
                if (by != 0 && next != start) reach(next, by, here.first, static_cast<int>(k));
            }
        }
    }
    std::stable_sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return size_of(a) < size_of(b); });
    for (Step& step : steps)
        if (!sink(std::move(step))) return false;
    return true;
}

}  // namespace varendo::logic
