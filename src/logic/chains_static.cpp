// X-, Y- and XY-cycles and forcing chains: one candidate assumed, links in the grid as it is.

#include <array>
#include <bit>

#include "logic/cell_bits.h"
#include "logic/chain_search.h"

namespace varendo::logic {

int ChainSearch::chain_limit(double base) const {
    // A chain of a static search has one node for each link of it, so the depth of the search
    // bounds its node count: past the count that could still beat the best, nothing wins.
    if (collect_ != nullptr || !have_best_) return kNodeIds;
    int limit = 0;
    for (int c = 1; c < kNodeIds; ++c) {
        const double difficulty = base + length_difficulty(c);
        if (difficulty > best_difficulty_ || (difficulty == best_difficulty_ && c > best_complexity_)) break;
        limit = c;
    }
    return limit;
}

bool ChainSearch::closes(NodeId off, NodeId on, bool y, bool x) const {
    const int cell = node_cell(off), digit = node_digit(off);
    const int target = node_cell(on), value = node_digit(on);
    if (y && cell == target && digit != value && mask_count(work_.candidates(cell)) == 2) return true;
    if (!x || digit != value || cell == target) return false;
    for (int house : houses_of(cell)) {
        const unsigned places = work_.positions(house, digit);
        if (mask_count(places) != 2) continue;
        const HouseCells& cells = house_cells(house);
        const int other = cells[std::countr_zero(places)] == cell ? cells[31 - std::countl_zero(places)] : cells[std::countr_zero(places)];
        if (other == target) return true;
    }
    return false;
}

void ChainSearch::cycles(ChainRun& run, NodeId source, bool y, bool x, int cycle_limit, int chain_limit,
                         std::vector<int>& loops, std::vector<int>& chains) {
    std::vector<int>& pending_on = pending_on_;
    std::vector<int>& pending_off = pending_off_;
    std::vector<int>& out = out_;
    pending_on.assign(1, run.members().front());
    pending_off.clear();
    if (++expand_stamp_ == 0) {
        expanded_.fill(0);
        expand_stamp_ = 1;
    }
    // The nodes found `length` links from the source: a loop closed there has `length` nodes,
    // a forcing chain ending there one more. The forcing chains from the source on are the
    // nodes that strike it, met on the same search.
    const NodeId struck = conjugate(source);
    auto note = [&](int q, int length) {
        if (run.id(q) != struck || length >= chain_limit) return;
        for (int f : chains)
            if (run.id(f) == struck) return;
        chains.push_back(q);
    };
    int length = 0;
    while (!pending_on.empty() || !pending_off.empty()) {
        if (length + 1 >= chain_limit && length + 2 > cycle_limit) break;
        ++length;
        for (std::size_t i = 0; i < pending_on.size(); ++i) {
            const int p = pending_on[i];
            on_to_off(run, p, y, out);
            for (int q : out) {
                note(q, length);
                // Every node on a line went through the set, so a node not in it is on none.
                if (run.contains(run.id(q)) && run.on_first_parent_line(p, run.id(q))) continue;
                pending_off.push_back(q);
                run.insert(q);
            }
        }
        pending_on.clear();
        if (length + 1 >= chain_limit && length + 1 > cycle_limit) break;
        ++length;
        const bool closing = length >= 4 && length <= cycle_limit;
        // An off node met again on another path gives nothing new but, maybe, the loop's close.
        for (std::size_t i = 0; i < pending_off.size(); ++i) {
            const int p = pending_off[i];
            std::uint32_t& expanded = expanded_[run.id(p)];
            if (expanded == expand_stamp_) {
                if (closing && closes(run.id(p), source, y, x)) loops.push_back(run.add(source, &p, 1));
                continue;
            }
            expanded = expand_stamp_;
            off_to_on(run, p, y, x, out);
            for (int q : out) {
                note(q, length);
                if (closing && run.id(q) == source) loops.push_back(q);
                if (run.insert(q)) pending_on.push_back(q);
            }
        }
        pending_off.clear();
    }
}

void ChainSearch::forcing(ChainRun& run, NodeId source, bool y, int limit, std::vector<int>& found) {
    std::vector<int>& pending_on = pending_on_;
    std::vector<int>& pending_off = pending_off_;
    std::vector<int>& out = out_;
    pending_on.clear();
    pending_off.clear();
    for (int m : run.members()) (node_on(run.id(m)) ? pending_on : pending_off).push_back(m);
    // The nodes found at depth d end chains of d + 1 nodes.
    int depth = 0;
    auto note = [&](int q) {
        if (conjugate(run.id(q)) != source) return;
        for (int f : found)
            if (run.id(f) == run.id(q)) return;
        found.push_back(q);
    };
    while (!pending_on.empty() || !pending_off.empty()) {
        if (!pending_on.empty() && ++depth >= limit) break;
        for (std::size_t i = 0; i < pending_on.size(); ++i) {
            on_to_off(run, pending_on[i], y, out);
            for (int q : out) {
                note(q);
                if (run.insert(q)) pending_off.push_back(q);
            }
        }
        pending_on.clear();
        if (!pending_off.empty() && ++depth >= limit) break;
        for (std::size_t i = 0; i < pending_off.size(); ++i) {
            off_to_on(run, pending_off[i], y, true, out);
            for (int q : out) {
                note(q);
                if (run.insert(q)) pending_on.push_back(q);
            }
        }
        pending_off.clear();
    }
}

void ChainSearch::unary(int cell, int digit, bool y, bool x) {
    if (mask_count(source_.candidates(cell)) > 2 && !x) return;
    const Technique cycle_name = x && y ? Technique::XYCycle : y ? Technique::YCycle : Technique::XCycle;
    const double cycle_base = x && y ? 7.0 : 6.5;
    const int sort_key = x && y ? 4 : y ? 3 : 2;
    ChainRun& run = *scratch_run();
    run.clear();
    run.insert(run.add(node_id(cell, digit, true), nullptr, 0));
    const Technique chain_name = y ? Technique::ForcingChain : Technique::ForcingXChain;
    const double chain_base = y ? 7.0 : 6.6;
    std::vector<int> found, chains_on;
    cycles(run, node_id(cell, digit, true), y, x, chain_limit(cycle_base), x ? chain_limit(chain_base) : 0, found, chains_on);
    for (int end : found) {
        // What both colours of a digit on the loop see outside the loop's cells.
        CellBits in_loop;
        std::array<CellBits, 9> seen_on{}, seen_off{};
        for (int p = end; run.first_parent(p) >= 0; p = run.first_parent(p)) {
            const NodeId id = run.id(p);
            in_loop.set(node_cell(id));
            CellBits& seen = (node_on(id) ? seen_on : seen_off)[node_digit(id) - 1];
            seen = seen | peer_bits(node_cell(id));
        }
        std::array<CellBits, 9> both;
        CellBits struck;
        for (int d = 0; d < 9; ++d) {
            both[d] = (seen_on[d] & seen_off[d]).without(in_loop);
            struck = struck | both[d];
        }
        std::vector<Candidate> removable;
        struck.each([&](int c) {
            for (int d = 1; d <= 9; ++d)
                if (both[d - 1].test(c) && source_.has(c, d))
                    removable.push_back({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d)});
        });
        offer(cycle_name, cycle_base, sort_key, run.id(end), false, std::move(removable), {{&run, end}});
    }
    if (!x) return;
    // The forcing chains from the candidate on were found with the loops; those from it off
    // take a search of their own.
    found.swap(chains_on);
    for (bool on : {true, false}) {
        if (!on) {
            run.clear();
            run.insert(run.add(node_id(cell, digit, on), nullptr, 0));
            found.clear();
            forcing(run, node_id(cell, digit, on), y, chain_limit(chain_base), found);
        }
        std::vector<Candidate> removable;
        for (int end : found) {
            const NodeId target = run.id(end);
            removable.clear();
            if (node_on(target)) {
                for (int v = 1; v <= 9; ++v)
                    if (v != digit && source_.has(cell, v)) removable.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(v)});
            } else {
                removable.push_back(candidate_of(target));
            }
            offer(chain_name, chain_base, sort_key, target, node_on(target), removable, {{&run, end}});
        }
    }
}

std::optional<Step> ChainSearch::run_static() {
    const bool passes[3][2] = {{false, true}, {true, false}, {true, true}};
    for (const auto& pass : passes) {
        // Every XY step is worth 7.0 or more: none can beat an easier step found already.
        if (pass[0] && pass[1] && have_best_ && best_difficulty_ < 7.0) break;
        for (int cell = 0; cell < 81; ++cell) {
            if (source_.digit(cell) != 0 || mask_count(source_.candidates(cell)) < 2) continue;
            for (int digit = 1; digit <= 9; ++digit)
                if (source_.has(cell, digit)) unary(cell, digit, pass[0], pass[1]);
        }
    }
    if (!have_best_) return std::nullopt;
    return best_;
}

}  // namespace varendo::logic
