#include <algorithm>
#include <array>
#include <bit>
#include <initializer_list>
#include <utility>
#include <vector>

#include "logic/combinations.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

// Four cells on two rows and two columns in two boxes: 0 and 1 share a row, 0 and 2 a column;
// corner k faces corner 3 - k across the diagonal.
using Rectangle = std::array<int, 4>;

template <typename F>
bool for_each_rectangle(F&& f) {
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    const bool one_band = r1 / 3 == r2 / 3, one_stack = c1 / 3 == c2 / 3;
                    if (one_band == one_stack) continue;
                    if (!f(Rectangle{9 * r1 + c1, 9 * r1 + c2, 9 * r2 + c1, 9 * r2 + c2})) return false;
                }
    return true;
}

Step rectangle_step(Technique technique, int rating, const Rectangle& corners, unsigned digits) {
    Step step;
    step.technique = technique;
    step.rating = rating;
    step.digits = static_cast<std::uint16_t>(digits);
    for (int c : corners) step.cells.push_back(static_cast<std::uint8_t>(c));
    return step;
}

// Strikes a digit from the cells outside the pattern that see every one of `cells`.
void strike_seen_by_all(const CandidateGrid& grid, const std::vector<int>& cells, int digit, Step& step) {
    for (std::uint8_t v : peers(cells[0])) {
        bool all = grid.has(v, digit);
        for (int c : cells) all = all && v != c && sees(v, c);
        if (all) step.eliminations.push_back(candidate(v, digit));
    }
}

// The line (row or column) of the rectangle through corners j and k, which share one.
int line_through(int j, int k) { return row_of(j) == row_of(k) ? kRowHouse + row_of(j) : kColumnHouse + column_of(j); }

// Whether `digit` lies in a house only on the two given cells.
bool only_on(const CandidateGrid& grid, int house, int digit, int j, int k) {
    return (grid.positions(house, digit) & ~((1u << position_in(house, j)) | (1u << position_in(house, k)))) == 0;
}

// Each rectangle of four unsolved cells, with each pair a and b that one corner holds alone
// and that no house of any corner has placed: whatever was struck from the corners since,
// their ending with a and b alone would let the digits swap.
template <typename F>
bool for_each_open_rectangle(const CandidateGrid& grid, F&& f) {
    std::array<unsigned, 27> placed{};
    for (int cell = 0; cell < 81; ++cell)
        if (grid.digit(cell) != 0)
            for (int house : houses_of(cell)) placed[house] |= digit_bit(grid.digit(cell));
    return for_each_rectangle([&](const Rectangle& corners) {
        unsigned open = kAllDigits;
        for (int c : corners) {
            if (grid.digit(c) != 0) return true;
            for (int house : houses_of(c)) open &= ~placed[house];
        }
        for (int k = 0; k < 4; ++k) {
            const unsigned pair = grid.candidates(corners[k]);
            bool seen = mask_count(pair) != 2 || (pair & open) != pair;
            for (int j = 0; j < k; ++j) seen = seen || grid.candidates(corners[j]) == pair;
            if (!seen && !f(corners, pair)) return false;
        }
        return true;
    });
}

// The two digits of a pair, lower first.
std::array<int, 2> digits_of(unsigned pair) { return {std::countr_zero(pair) + 1, 32 - std::countl_zero(pair)}; }

// Strikes each listed digit that the cells hold.
void strike(const CandidateGrid& grid, std::initializer_list<int> cells, unsigned digits, Step& step) {
    for (int c : cells)
        for (int d = 1; d <= 9; ++d)
            if ((digits & digit_bit(d)) && grid.has(c, d)) step.eliminations.push_back(candidate(c, d));
}

// Type 3: the two cells holding more act as one cell with their extra digits; with other
// cells of a house they share it makes a naked set, whose digits leave the rest of the house,
// and of the other house they share when the set lies in it too.
bool naked_set_steps(const CandidateGrid& grid, const Rectangle& corners, int e1, int e2, unsigned pair,
                     const StepSink& sink) {
    const unsigned extra = (grid.candidates(e1) | grid.candidates(e2)) & ~pair;
    std::vector<int> shared;
    for (int kind = 0; kind < 3; ++kind)
        if (houses_of(e1)[kind] == houses_of(e2)[kind]) shared.push_back(houses_of(e1)[kind]);
    for (int house : shared) {
        std::vector<int> others;
        for (std::uint8_t c : house_cells(house))
            if (c != e1 && c != e2 && grid.digit(c) == 0) others.push_back(c);
        const int n = static_cast<int>(others.size());
        for (int size = 1; size < n; ++size) {
            const bool go_on = for_each_combination(size, n, [&](unsigned chosen) {
                unsigned digits = extra;
                std::vector<int> set{e1, e2};
                for (int k = 0; k < n; ++k)
                    if (chosen & (1u << k)) {
                        digits |= grid.candidates(others[k]);
                        set.push_back(others[k]);
                    }
                if (mask_count(digits) != size + 1) return true;
                std::vector<int> houses;  // the house, then another shared one that holds the set
                for (int other : shared) {
                    const bool holds_set = std::all_of(set.begin(), set.end(), [&](int c) {
                        const auto mine = houses_of(c);
                        return std::find(mine.begin(), mine.end(), other) != mine.end();
                    });
                    if (other < house && holds_set) return true;  // found from that house
                    if (other == house || holds_set) houses.push_back(other);
                }
                Step step = rectangle_step(Technique::UniqueRectangle, 45 + size, corners, pair);
                for (int h : houses) {
                    step.houses.push_back(static_cast<std::uint8_t>(h));
                    for (std::uint8_t v : house_cells(h)) {
                        if (std::find(set.begin(), set.end(), v) != set.end()) continue;
                        for (int d = 1; d <= 9; ++d)
                            if ((digits & digit_bit(d)) && grid.has(v, d)) step.eliminations.push_back(candidate(v, d));
                    }
                }
                return step.eliminations.empty() || sink(std::move(step));
            });
            if (!go_on) return false;
        }
    }
    return true;
}

// Type 4: a digit of the pair has no other place in a house of the two cells holding more,
// so one of them takes it; the other digit of the pair leaves both, or all four would end
// with the pair.
bool locked_digit_steps(const CandidateGrid& grid, const Rectangle& corners, int e1, int e2, unsigned pair,
                        const StepSink& sink) {
    for (int x : digits_of(pair)) {
        for (int kind = 0; kind < 3; ++kind) {
            const int house = houses_of(e1)[kind];
            if (house != houses_of(e2)[kind] || !only_on(grid, house, x, e1, e2)) continue;
            Step step = rectangle_step(Technique::UniqueRectangle, 45, corners, pair);
            step.houses.push_back(static_cast<std::uint8_t>(house));
            strike(grid, {e1, e2}, pair & ~digit_bit(x), step);
            if (!step.eliminations.empty() && !sink(std::move(step))) return false;
            break;
        }
    }
    return true;
}

}  // namespace

// Unique rectangles: four unsolved cells on two rows, two columns and two boxes that all
// ended with a and b alone would let the digits swap, so a corner holding more must keep one
// of its extras; the corners holding a, b or both alone take part whichever was struck. The
// loops find types 1, 2 and 4 where every corner still holds both digits. Type 1: three
// corners hold no more, so the fourth loses a and b. Types 2 and 5: the corners holding more
// share one extra digit, which leaves what sees them all. Type 3: the extras of two cells in
// a line make a naked set with other cells. Type 4: a digit of the pair has no other place
// in a house of two such cells in a line, so the other digit leaves both. Type 6: two
// diagonal cells hold more, and a digit of the pair lies in both rows and both columns only
// on the corners; it goes from them.
bool find_unique_rectangles(const CandidateGrid& grid, const StepSink& sink) {
    return for_each_open_rectangle(grid, [&](const Rectangle& corners, unsigned pair) {
        bool missing = false;
        std::vector<int> extra;  // corners 0..3 that hold more than the pair
        unsigned extra_digits = 0;
        for (int k = 0; k < 4; ++k) {
            const unsigned held = grid.candidates(corners[k]);
            missing = missing || (held & pair) != pair;
            if (held & ~pair) {
                extra.push_back(k);
                extra_digits |= held & ~pair;
            }
        }
        const auto emit = [&](Step&& step) { return step.eliminations.empty() || sink(std::move(step)); };
        if (missing && extra.size() == 1) {
            Step step = rectangle_step(Technique::UniqueRectangle, 45, corners, pair);
            strike(grid, {corners[extra[0]]}, pair, step);
            if (!emit(std::move(step))) return false;
        }
        const bool diagonal = extra.size() == 2 && extra[0] + extra[1] == 3;
        if (extra.size() == 2 && !diagonal) {
            const int e1 = corners[extra[0]], e2 = corners[extra[1]];
            if (!naked_set_steps(grid, corners, e1, e2, pair, sink)) return false;
            if (missing && !locked_digit_steps(grid, corners, e1, e2, pair, sink)) return false;
        }
        if ((diagonal || extra.size() == 3 || (missing && extra.size() == 2)) && mask_count(extra_digits) == 1) {
            std::vector<int> cells;
            for (int k : extra) cells.push_back(corners[k]);
            Step step = rectangle_step(Technique::UniqueRectangle, diagonal || extra.size() == 3 ? 46 : 45, corners, pair);
            strike_seen_by_all(grid, cells, std::countr_zero(extra_digits) + 1, step);
            if (!emit(std::move(step))) return false;
        }
        if (!diagonal) return true;
        const int p = extra[0], q = extra[1];  // their rows and columns are the rectangle's
        for (int x : digits_of(pair)) {
            const bool locked = only_on(grid, line_through(corners[p], corners[p ^ 1]), x, corners[p], corners[p ^ 1]) &&
                                only_on(grid, line_through(corners[q], corners[q ^ 1]), x, corners[q], corners[q ^ 1]) &&
                                only_on(grid, line_through(corners[p], corners[p ^ 2]), x, corners[p], corners[p ^ 2]) &&
                                only_on(grid, line_through(corners[q], corners[q ^ 2]), x, corners[q], corners[q ^ 2]);
            if (!locked) continue;
            Step step = rectangle_step(Technique::UniqueRectangle, 46, corners, pair);
            strike(grid, {corners[p], corners[q]}, digit_bit(x), step);
            if (!emit(std::move(step))) return false;
        }
        return true;
    });
}

// Hidden rectangle: a corner holds no more than a and b, and in the row and the column of the
// corner facing it a lies only on the rectangle; were that corner b, the other two would be
// a and the four could swap, so b leaves it.
bool find_hidden_rectangles(const CandidateGrid& grid, const StepSink& sink) {
    return for_each_open_rectangle(grid, [&](const Rectangle& corners, unsigned pair) {
        for (int k = 0; k < 4; ++k) {
            if (grid.candidates(corners[k]) & ~pair) continue;
            const int far = corners[3 - k], row_mate = corners[(3 - k) ^ 1], column_mate = corners[(3 - k) ^ 2];
            const auto [a, b] = digits_of(pair);
            for (const auto& [x, other] : {std::pair{a, b}, std::pair{b, a}}) {
                if (!grid.has(far, other)) continue;
                if (!only_on(grid, line_through(far, row_mate), x, far, row_mate) ||
                    !only_on(grid, line_through(far, column_mate), x, far, column_mate))
                    continue;
                Step step = rectangle_step(Technique::HiddenRectangle, 46, corners, pair);
                step.eliminations.push_back(candidate(far, other));
                if (!sink(std::move(step))) return false;
            }
        }
        return true;
    });
}

// Avoidable rectangle: no corner is a given and the digits placed would, with the rest,
// make two diagonals of equal digits, which could swap. Type 1: three corners are placed, so
// the fourth cannot take the digit of the corner facing it. Type 2: two corners of a line are
// placed and the other two hold the digit that completes the pattern and one extra digit x,
// the same in both: one of them is x, which leaves what sees both.
bool find_avoidable_rectangles(const CandidateGrid& grid, const StepSink& sink) {
    return for_each_rectangle([&](const Rectangle& corners) {
        std::vector<int> open;
        for (int k = 0; k < 4; ++k) {
            if (grid.given(corners[k])) return true;
            if (grid.digit(corners[k]) == 0) open.push_back(k);
        }
        const auto value = [&](int k) { return grid.digit(corners[k]); };
        if (open.size() == 1) {
            const int k = open[0];
            const int facing = value(3 - k);
            if (value(k ^ 1) != value(k ^ 2) || facing == value(k ^ 1) || !grid.has(corners[k], facing)) return true;
            Step step = rectangle_step(Technique::AvoidableRectangle, 45, corners, digit_bit(facing) | digit_bit(value(k ^ 1)));
            step.eliminations.push_back(candidate(corners[k], facing));
            return sink(std::move(step));
        }
        if (open.size() != 2 || open[0] + open[1] == 3) return true;
        const int u = open[0], v = open[1];
        const unsigned extra_u = grid.candidates(corners[u]) & ~digit_bit(value(3 - u));
        const unsigned extra_v = grid.candidates(corners[v]) & ~digit_bit(value(3 - v));
        if (!grid.has(corners[u], value(3 - u)) || !grid.has(corners[v], value(3 - v)) || extra_u != extra_v ||
            mask_count(extra_u) != 1)
            return true;
        Step step = rectangle_step(Technique::AvoidableRectangle, 46, corners, digit_bit(value(3 - u)) | digit_bit(value(3 - v)));
        strike_seen_by_all(grid, {corners[u], corners[v]}, std::countr_zero(extra_u) + 1, step);
        return step.eliminations.empty() || sink(std::move(step));
    });
}

}  // namespace varendo::logic
