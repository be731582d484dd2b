#include <algorithm>
#include <bit>
#include <vector>

#include "logic/cell_bits.h"
#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

int house_of_kind(int cell, int kind) { return houses_of(cell)[kind]; }

// Loops of cells that all hold a and b, alternating between houses, as the classic rater
// walks them: at most two cells with more digits, unless they share one extra digit.
class LoopFinder {
public:
    LoopFinder(const CandidateGrid& grid, int a, int b) : grid_(grid), pair_(digit_bit(a) | digit_bit(b)) {}

    void search(int cell, int allowed_extra, unsigned extra, int last_kind) {
        loop_.push_back(cell);
        on_loop_.set(cell);
        for (int kind = 0; kind < 3; ++kind) {
            if (kind == last_kind) continue;
            for (std::uint8_t next : house_cells(house_of_kind(cell, kind))) {
                if (next == loop_.front() && loop_.size() >= 4) {
                    loops.push_back(loop_);
                } else if (!on_loop_.test(next)) {
                    const unsigned held = grid_.candidates(next);
                    if ((held & pair_) != pair_) continue;
                    // The extras gathered at this level stay gathered, as the rater has it.
                    extra |= held & ~pair_;
                    const int count = mask_count(held);
                    if (count == 2 || mask_count(extra) == 1 || allowed_extra > 0)
                        search(next, allowed_extra - (count > 2 ? 1 : 0), extra, kind);
                }
            }
        }
        loop_.pop_back();
        on_loop_.reset(cell);
    }

    std::vector<std::vector<int>> loops;

private:
    const CandidateGrid& grid_;
    unsigned pair_;
    std::vector<int> loop_;
    CellBits on_loop_;  // the cells of loop_
};

// Each house is entered and left once: the odd and the even cells cover the same houses.
bool valid_loop(const std::vector<int>& loop) {
    unsigned odd = 0, even = 0;  // bit per house
    for (std::size_t k = 0; k < loop.size(); ++k) {
        unsigned& seen = k % 2 ? odd : even;
        for (int house : houses_of(loop[k])) {
            if (seen & (1u << house)) return false;
            seen |= 1u << house;
        }
    }
    return odd == even;
}

int loop_rating(std::size_t size) {
    return 45 + (size >= 10 ? 3 : 0) + (size >= 8 ? 2 : size >= 6 ? 1 : 0);
}

struct LoopHint {
    Step step;
    int type;
};

Step loop_step(const std::vector<int>& loop, int a, int b, int rating) {
    Step step;
    step.technique = Technique::UniqueRectangle;
    step.rating = rating;
    step.size = static_cast<int>(loop.size());
    step.digits = static_cast<std::uint16_t>(digit_bit(a) | digit_bit(b));
    for (int c : loop) step.cells.push_back(static_cast<std::uint8_t>(c));
    return step;
}

// Type 3: the extra digits of the two cells form a naked set with other cells of a house.
void naked_set_hints(const CandidateGrid& grid, const std::vector<int>& loop, int c1, int c2, int a, int b,
                     std::vector<LoopHint>& hints) {
    const unsigned pair = digit_bit(a) | digit_bit(b);
    const unsigned extra = (grid.candidates(c1) | grid.candidates(c2)) & ~pair;
    for (int degree = mask_count(extra); degree <= 7; ++degree)
        for (int kind = 0; kind < 3; ++kind) {
            const int house = house_of_kind(c1, kind);
            if (house != house_of_kind(c2, kind) || degree * 2 > grid.empty_in(house)) continue;
            const int index1 = position_in(house, c1), index2 = position_in(house, c2);
            const HouseCells& cells = house_cells(house);
            for_each_combination(degree, 9, [&](unsigned chosen) {
                if (!(chosen & (1u << index1)) || (chosen & (1u << index2))) return true;
                unsigned naked = extra & grid.candidates(c1) & grid.candidates(c2);
                unsigned common = extra;
                if (mask_count(extra) <= 1) return true;
                for (int j = 0; j < 9; ++j) {
                    if (!(chosen & (1u << j)) || j == index1) continue;
                    const unsigned held = grid.candidates(cells[j]);
                    if (mask_count(held) <= 1) return true;
                    naked |= held;
                    common |= held;
                }
                if (mask_count(naked) != degree || mask_count(common) != degree) return true;
                Step step = loop_step(loop, a, b, loop_rating(loop.size()) + degree - 1);
                step.houses.push_back(static_cast<std::uint8_t>(house));
                for (int j = 0; j < 9; ++j) {
                    if ((chosen & (1u << j)) || j == index2) continue;
                    for (int d = 1; d <= 9; ++d)
                        if ((common & digit_bit(d)) && grid.has(cells[j], d)) step.eliminations.push_back(candidate(cells[j], d));
                }
                if (!step.eliminations.empty()) hints.push_back({std::move(step), 3});
                return true;
            });
        }
}

// Type 4: a or b is held in a house only by the two cells, so the other leaves both.
void locked_digit_hint(const CandidateGrid& grid, const std::vector<int>& loop, int c1, int c2, int a, int b,
                       std::vector<LoopHint>& hints) {
    int lock_house[2] = {-1, -1};
    for (int kind = 0; kind < 3; ++kind) {
        const int house = house_of_kind(c1, kind);
        if (house != house_of_kind(c2, kind)) continue;
        bool has[2] = {false, false};
        for (std::uint8_t c : house_cells(house))
            if (c != c1 && c != c2) {
                has[0] = has[0] || grid.has(c, a);
                has[1] = has[1] || grid.has(c, b);
            }
        if (!has[0]) lock_house[0] = house;
        if (!has[1]) lock_house[1] = house;
    }
    const int which = lock_house[0] >= 0 ? 0 : lock_house[1] >= 0 ? 1 : -1;
    if (which < 0) return;
    const int removed = which == 0 ? b : a;
    Step step = loop_step(loop, a, b, loop_rating(loop.size()));
    step.houses.push_back(static_cast<std::uint8_t>(lock_house[which]));
    step.eliminations = {candidate(c1, removed), candidate(c2, removed)};
    hints.push_back({std::move(step), 4});
}

}  // namespace

// Unique loops (4.5 and up with the loop's length): cells that all hold a and b, each house
// of the loop twice, would let the two digits swap; the cells holding more must keep the
// puzzle from it. Type 1: one such cell loses a and b. Type 2: they share one extra digit,
// which leaves the cells that see them all. Type 3: their extras make a naked set. Type 4: a
// digit of the pair locked to them in a house, so the other one goes.
bool find_unique_loops(const CandidateGrid& grid, const StepSink& sink) {
    std::vector<LoopHint> hints;
    for (int cell = 0; cell < 81; ++cell) {
        const unsigned held = grid.candidates(cell);
        if (mask_count(held) != 2) continue;
        const int a = std::countr_zero(held) + 1;
        const int b = 31 - std::countl_zero(held) + 1;
        LoopFinder finder(grid, a, b);
        finder.search(cell, 2, 0, -1);
        for (const std::vector<int>& loop : finder.loops) {
            if (!valid_loop(loop)) continue;
            std::vector<int> extra;
            for (int c : loop)
                if (mask_count(grid.candidates(c)) > 2) extra.push_back(c);
            const int rating = loop_rating(loop.size());
            if (extra.size() == 1) {
                Step step = loop_step(loop, a, b, rating);
                step.eliminations = {candidate(extra[0], a), candidate(extra[0], b)};
                hints.push_back({std::move(step), 1});
                continue;
            }
            const unsigned extra_digits = [&] {
                unsigned all = 0;
                for (int c : extra) all |= grid.candidates(c) & ~held;
                return all;
            }();
            if (extra.size() > 2 || (extra.size() == 2 && mask_count(extra_digits) == 1)) {
                const int x = std::countr_zero(grid.candidates(extra[0]) & ~held) + 1;
                Step step = loop_step(loop, a, b, rating);
                for (std::uint8_t v : peers(extra[0])) {
                    bool all = std::find(extra.begin(), extra.end(), v) == extra.end();
                    for (int c : extra) all = all && (c == extra[0] || sees(v, c));
                    if (all && grid.has(v, x)) step.eliminations.push_back(candidate(v, x));
                }
                if (!step.eliminations.empty()) hints.push_back({std::move(step), 2});
            } else if (extra.size() == 2) {
                naked_set_hints(grid, loop, extra[0], extra[1], a, b, hints);
            }
            if (extra.size() == 2) locked_digit_hint(grid, loop, extra[0], extra[1], a, b, hints);
        }
    }
    std::stable_sort(hints.begin(), hints.end(), [](const LoopHint& x, const LoopHint& y) {
        return x.step.rating != y.step.rating ? x.step.rating < y.step.rating : x.type < y.type;
    });
    for (LoopHint& hint : hints)
        if (!sink(std::move(hint.step))) return false;
    return true;
}

// The bivalue universal grave (5.6-5.8): were every empty cell down to two candidates, each
// twice in its houses, the grid would have two solutions; the cells holding more keep it
// from that. Type 1: one such cell keeps only its extra digit. Type 2: one extra digit in
// all of them leaves the cells that see them all. Type 3: their extras make a naked set with
// other cells of a house. Type 4: two such cells in a house share a digit besides the extra.
bool find_bivalue_grave(const CandidateGrid& grid, const StepSink& sink) {
    CandidateGrid rest = grid;
    std::vector<int> bug_cells;
    std::array<unsigned, 81> bug_digits{};
    unsigned all_digits = 0;
    std::vector<int> common;  // cells that see every bug cell
    bool common_started = false;
    for (int house = 0; house < 27; ++house) {
        for (int d = 1; d <= 9; ++d) {
            const unsigned places = grid.positions(house, d);
            const int count = mask_count(places);
            if (count == 0 || count == 2) continue;
            int found = -1, many = 0;
            for (int j = 0; j < 9; ++j)
                if ((places & (1u << j)) && mask_count(grid.candidates(house_cells(house)[j])) >= 3) {
                    found = house_cells(house)[j];
                    ++many;
                }
            if (many == 0) return true;
            if (many > 1) continue;
            if (std::find(bug_cells.begin(), bug_cells.end(), found) == bug_cells.end()) bug_cells.push_back(found);
            bug_digits[found] |= digit_bit(d);
            all_digits |= digit_bit(d);
            rest.eliminate(found, d);
            if (!common_started) {
                common.assign(peers(found).begin(), peers(found).end());
                common_started = true;
            } else {
                std::erase_if(common, [&](int c) { return !sees(c, found); });
            }
            std::erase_if(common, [&](int c) { return std::find(bug_cells.begin(), bug_cells.end(), c) != bug_cells.end(); });
            if (bug_cells.size() > 1 && mask_count(all_digits) > 1 && common.empty()) return true;
        }
    }
    for (int c = 0; c < 81; ++c)
        if (rest.digit(c) == 0 && mask_count(rest.candidates(c)) != 2) return true;
    for (int house = 0; house < 27; ++house)
        for (int d = 1; d <= 9; ++d) {
            const int count = mask_count(rest.positions(house, d));
            if (count != 0 && count != 2) return true;
        }
    auto base_step = [&](int rating) {
        Step step;
        step.technique = Technique::BivalueGrave;
        step.rating = rating;
        step.digits = static_cast<std::uint16_t>(all_digits);
        for (int c : bug_cells) step.cells.push_back(static_cast<std::uint8_t>(c));
        return step;
    };
    if (bug_cells.size() == 1) {
        Step step = base_step(56);
        for (int d = 1; d <= 9; ++d)
            if (grid.has(bug_cells[0], d) && !(all_digits & digit_bit(d))) step.eliminations.push_back(candidate(bug_cells[0], d));
        return step.eliminations.empty() || sink(std::move(step));
    }
    // The house both cells share, of each kind.
    auto shared_houses = [&] {
        std::vector<int> houses;
        for (int kind = 0; kind < 3; ++kind) {
            const int house = house_of_kind(bug_cells[0], kind);
            bool all = true;
            for (int c : bug_cells) all = all && house_of_kind(c, kind) == house;
            if (all) houses.push_back(house);
        }
        return houses;
    };
    auto type4 = [&]() {
        if (bug_cells.size() != 2) return true;
        const int c1 = bug_cells[0], c2 = bug_cells[1];
        const unsigned shared = grid.candidates(c1) & grid.candidates(c2) & ~all_digits;
        if (mask_count(shared) != 1) return true;
        for (int house : shared_houses()) {
            Step step = base_step(57);
            step.houses.push_back(static_cast<std::uint8_t>(house));
            for (int c : {c1, c2})
                for (int d = 1; d <= 9; ++d)
                    if (grid.has(c, d) && !(bug_digits[c] & digit_bit(d)) && !(shared & digit_bit(d)))
                        step.eliminations.push_back(candidate(c, d));
            if (!step.eliminations.empty() && !sink(std::move(step))) return false;
        }
        return true;
    };
    if (mask_count(all_digits) == 1) {
        const int x = std::countr_zero(all_digits) + 1;
        Step step = base_step(57);
        for (int c : common)
            if (grid.has(c, x)) step.eliminations.push_back(candidate(c, x));
        if (!step.eliminations.empty() && !sink(std::move(step))) return false;
        return type4();
    }
    if (common.empty()) return true;
    if (!type4()) return false;
    for (int house : shared_houses()) {
        std::vector<int> cells;
        for (int c : common)
            if (std::find(house_cells(house).begin(), house_cells(house).end(), c) != house_cells(house).end()) cells.push_back(c);
        for (int degree = 2; degree <= 6; ++degree) {
            if (static_cast<int>(cells.size()) < degree) continue;
            const bool go_on = for_each_combination(degree - 1, static_cast<int>(cells.size()), [&](unsigned chosen) {
                unsigned others = 0;
                for (std::size_t k = 0; k < cells.size(); ++k) {
                    if (!(chosen & (1u << k))) continue;
                    if (mask_count(grid.candidates(cells[k])) <= 1) return true;
                    others |= grid.candidates(cells[k]);
                }
                if (mask_count(others) != degree || mask_count(all_digits) <= 1) return true;
                const unsigned naked = others | all_digits;
                if (mask_count(naked) != degree) return true;
                Step step = base_step(57 + degree - 1);
                step.houses.push_back(static_cast<std::uint8_t>(house));
                for (std::size_t k = 0; k < cells.size(); ++k) {
                    if (chosen & (1u << k)) continue;
                    for (int d = 1; d <= 9; ++d)
                        if ((naked & digit_bit(d)) && grid.has(cells[k], d)) step.eliminations.push_back(candidate(cells[k], d));
                }
                return step.eliminations.empty() || sink(std::move(step));
            });
            if (!go_on) return false;
        }
    }
    return true;
}

}  // namespace varendo::logic
