#include "picture/reading_rules.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <optional>
#include <vector>

#include "solver/exact_search.h"

namespace varendo {
namespace {

bool repeats(const PictureReading& reading, int cell, int digit) {
    for (int other = 0; other < 81; ++other)
        if (other != cell && reading.digits[other] == digit && same_unit(cell, other)) return true;
    return false;
}

// The likeliest digit other than the cell's own that repeats none in its units; 0 for none.
int next_likeliest(const PictureReading& reading, const DigitScores& scores, int cell) {
    int best = 0;
    for (int digit = 1; digit <= 9; ++digit)
        if (digit != reading.digits[cell] && !repeats(reading, cell, digit) &&
            (best == 0 || scores[cell][digit] > scores[cell][best]))
            best = digit;
    return best;
}

// How much more the cell's digit is like itself than like any other digit.
float margin_of(const PictureReading& reading, const DigitScores& scores, int cell) {
    float second = -1;
    for (int digit = 1; digit <= 9; ++digit)
        if (digit != reading.digits[cell]) second = std::max(second, scores[cell][digit]);
    return scores[cell][reading.digits[cell]] - second;
}

bool one_solution(const PictureReading& reading) { return find_solutions(reading.digits, 2).count == 1; }

// A printed puzzle has one solution. When the reading has none or several, the changes to
// the cells most in doubt (each to its next likeliest digit, or empty) that give it one and
// cost its digits least of their likeness are made: of one or two changes, else of three to
// digits alone. Two changes that each cost little beat one that costs more, as a face's
// digits blurred alike are misread alike.
void try_changes_in_doubt(PictureReading& reading, const DigitScores& scores) {
    constexpr std::size_t kMostCells = 8;
    std::vector<int> doubtful;
    for (int cell = 0; cell < 81; ++cell)
        if (reading.uncertain[cell] && reading.digits[cell] != 0) doubtful.push_back(cell);
    std::stable_sort(doubtful.begin(), doubtful.end(),
                     [&](int a, int b) { return margin_of(reading, scores, a) < margin_of(reading, scores, b); });
    if (doubtful.size() > kMostCells) doubtful.resize(kMostCells);
    std::vector<std::array<std::uint8_t, 2>> options;
    std::vector<float> costs;
    for (const int cell : doubtful) {
        const int next = next_likeliest(reading, scores, cell);
        options.push_back({static_cast<std::uint8_t>(next), 0});
        costs.push_back(next != 0 ? scores[cell][reading.digits[cell]] - scores[cell][next] : margin_of(reading, scores, cell));
    }
    const std::size_t n = doubtful.size();
    std::optional<std::array<std::uint8_t, 81>> best;
    float best_cost = 0;
    // Tries every choice of up to `most` cells, each changed to one of its first `choices`
    // options, keeping the cheapest that gives one solution.
    const auto try_up_to = [&](std::size_t most, std::size_t choices) {
        const std::function<void(std::size_t, std::size_t, float)> pick = [&](std::size_t depth, std::size_t from, float cost) {
            if (best && cost >= best_cost) return;
            if (depth > 0 && one_solution(reading)) {
                best = reading.digits;
                best_cost = cost;
                return;
            }
            if (depth == most) return;
            for (std::size_t i = from; i < n; ++i) {
                const std::uint8_t was = reading.digits[doubtful[i]];
                for (std::size_t choice = 0; choice < choices; ++choice) {
                    reading.digits[doubtful[i]] = options[i][choice];
                    pick(depth + 1, i + 1, cost + costs[i]);
                }
                reading.digits[doubtful[i]] = was;
            }
        };
        pick(0, 0, 0);
        return best.has_value();
    };
    if (!try_up_to(2, 2)) try_up_to(3, 1);
    if (best) reading.digits = *best;
}

// Leaves out the faded digits all together when that leaves the puzzle one solution, or else
// each one alone that does.
void leave_out_faded(PictureReading& reading, const std::array<bool, 81>& faded) {
    const PictureReading as_read = reading;
    for (int cell = 0; cell < 81; ++cell) {
        if (!faded[cell] || reading.digits[cell] == 0) continue;
        reading.digits[cell] = 0;
        reading.uncertain[cell] = true;
    }
    if (one_solution(reading)) return;
    for (int cell = 0; cell < 81; ++cell) {
        if (!faded[cell] || as_read.digits[cell] == 0) continue;
        reading.digits = as_read.digits;
        reading.digits[cell] = 0;
        if (one_solution(reading)) return;
    }
    reading.digits = as_read.digits;
}

// Cells printed alike are one digit: a group of them read as different digits is read as each
// of those in turn, and kept so where the puzzle then has exactly one solution.
bool read_twins_alike(PictureReading& reading, const PrintTwins& twins) {
    for (int group = 1; group <= 81; ++group) {
        std::uint16_t read = 0;
        for (int cell = 0; cell < 81; ++cell)
            if (twins[cell] == group && reading.digits[cell] != 0) read |= static_cast<std::uint16_t>(1u << reading.digits[cell]);
        if (std::popcount(read) < 2) continue;
        const PictureReading as_read = reading;
        for (int digit = 1; digit <= 9; ++digit) {
            if ((read & (1u << digit)) == 0) continue;
            for (int cell = 0; cell < 81; ++cell)
                if (twins[cell] == group && as_read.digits[cell] != 0) {
                    reading.digits[cell] = static_cast<std::uint8_t>(digit);
                    reading.uncertain[cell] = true;
                }
            if (one_solution(reading)) return true;
        }
        reading = as_read;
    }
    return false;
}

}  // namespace

bool same_unit(int a, int b) {
    return a / 9 == b / 9 || a % 9 == b % 9 || (a / 27 == b / 27 && a % 9 / 3 == b % 9 / 3);
}

bool settle_by_rules(PictureReading& reading, const DigitScores& scores, const std::array<bool, 81>& faded,
                     const PrintTwins& twins) {
    // How much less like its ink a cell's reading becomes when changed to its next likeliest.
    const auto loss = [&](int cell) {
        return scores[cell][reading.digits[cell]] - scores[cell][next_likeliest(reading, scores, cell)];
    };
    leave_out_faded(reading, faded);
    bool mended = false;
    for (int round = 0; round < 81; ++round) {
        int weaker = -1;
        for (int a = 0; a < 81 && weaker < 0; ++a)
            for (int b = a + 1; b < 81 && weaker < 0; ++b)
                if (reading.digits[a] != 0 && reading.digits[a] == reading.digits[b] && same_unit(a, b))
                    weaker = loss(a) < loss(b) ? a : b;
        if (weaker < 0) break;
        reading.digits[weaker] = static_cast<std::uint8_t>(next_likeliest(reading, scores, weaker));
        reading.uncertain[weaker] = true;
        mended = true;
    }
    const bool one = one_solution(reading);
    if (one && !mended) return true;
    if (!one && !read_twins_alike(reading, twins)) try_changes_in_doubt(reading, scores);
    // A reading the rules had to mend, or could not, may be misread elsewhere too: every
    // digit not plainly its own is put in doubt.
    constexpr float kPlainMargin = 0.15f;
    for (int cell = 0; cell < 81; ++cell)
        if (reading.digits[cell] != 0 && margin_of(reading, scores, cell) < kPlainMargin) reading.uncertain[cell] = true;
    return one;
}

}  // namespace varendo
