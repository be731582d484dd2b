#include "commands/generator.h"

#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "commands/memory_window.h"
#include "commands/puzzle_run.h"
#include "commands/puzzle_text.h"
#include "logic/ladder.h"

namespace varendo {

namespace {

// Draws made here, not by the std distributions, so that a seed gives the same numbers
// with every standard library.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, bound), bound > 0: the multiply-shift map with the few biased draws
    // thrown away.
    std::uint32_t below(std::uint32_t bound) {
        std::uint64_t product = (engine_() >> 32) * bound;
        auto low = static_cast<std::uint32_t>(product);
        if (low < bound) {
            const std::uint32_t threshold = static_cast<std::uint32_t>(-bound) % bound;
            while (low < threshold) {
                product = (engine_() >> 32) * bound;
                low = static_cast<std::uint32_t>(product);
            }
        }
        return static_cast<std::uint32_t>(product >> 32);
    }

    // Fisher-Yates.
    template <typename T>
    void shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[below(static_cast<std::uint32_t>(i))]);
    }

private:
    std::mt19937_64 engine_;
};

// A random solved grid: the three boxes on the diagonal share no line, so any digits
// may fill them; the search completes the rest, always in the same way.
Grid81 full_grid(Draws& draws) {
    Grid81 grid{};
    std::vector<std::uint8_t> digits{1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int box = 0; box < 3; ++box) {
        draws.shuffle(digits);
        for (int i = 0; i < 9; ++i) grid[9 * (3 * box + i / 3) + 3 * box + i % 3] = digits[i];
    }
    return find_solutions(grid, 1).solution;
}

// The cells that come and go together, row by row: one each, or a cell and its partner
// half a turn about the centre (the centre is its own).
std::vector<std::pair<int, int>> removal_groups(Symmetry symmetry) {
    std::vector<std::pair<int, int>> groups;
    const int last = symmetry == Symmetry::Rotate180 ? 40 : 80;
    for (int i = 0; i <= last; ++i) groups.emplace_back(i, symmetry == Symmetry::Rotate180 ? 80 - i : i);
    return groups;
}

// The rows, columns and boxes, as lists of cells row by row, and the three of each cell.
struct Units {
    std::array<std::array<int, 9>, 27> cells{};
    std::array<std::array<int, 3>, 81> of{};
};

constexpr Units kUnits = [] {
    Units units;
    std::array<int, 27> filled{};
    for (int i = 0; i < 81; ++i) {
        units.of[i] = {i / 9, 9 + i % 9, 18 + i / 27 * 3 + i % 9 / 3};
        for (const int u : units.of[i]) units.cells[u][filled[u]++] = i;
    }
    return units;
}();

// A puzzle being thinned out, with the digits given in each row, column and box kept up
// to date: they tell cheaply whether a given is forced by the others.
class Thinning {
public:
    explicit Thinning(const Grid81& solution) : solution_(solution), puzzle_(solution) {
        for (int i = 0; i < 81; ++i) put(i);
    }

    const Grid81& puzzle() const { return puzzle_; }
    bool given(int i) const { return puzzle_[i] != 0; }
    void take(int i) {
        for (const int u : kUnits.of[i]) seen_[u] &= ~(1u << puzzle_[i]);
        puzzle_[i] = 0;
    }
    void put(int i) {
        puzzle_[i] = solution_[i];
        for (const int u : kUnits.of[i]) seen_[u] |= 1u << puzzle_[i];
    }

    // Whether the puzzle keeps its one solution without the givens at a and b (perhaps
    // the same); they are taken away either way.
    bool unique_without(int a, int b) {
        take(a);
        if (b != a) take(b);
        if (forced(a)) {
            if (a == b) return true;
            put(a);
            const bool partner_forced = forced(b);
            take(a);
            if (partner_forced) return true;
        }
        return find_solutions(puzzle_, 2).count == 1;
    }

private:
    unsigned allowed(int i) const {
        const auto& [row, column, box] = kUnits.of[i];
        return ~(seen_[row] | seen_[column] | seen_[box]) & 0x3feu;
    }

    // Whether the givens leave empty `cell` no other digit than its own: all the others
    // stand in its row, column or box, or no other empty cell of one of them can take it.
    // Then the puzzle has the solutions it had with the digit given there, and no complete
    // search is needed to tell that; near the start of the removals most cells are so.
    bool forced(int cell) const {
        const unsigned digit = 1u << solution_[cell];
        if (allowed(cell) == digit) return true;
        for (const int u : kUnits.of[cell]) {
            bool alone = true;
            for (const int i : kUnits.cells[u])
                if (i != cell && puzzle_[i] == 0 && (allowed(i) & digit) != 0) alone = false;
            if (alone) return true;
        }
        return false;
    }

    const Grid81& solution_;
    Grid81 puzzle_;
    std::array<unsigned, 27> seen_{};  // digits given in each row, column and box
};

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

}  // namespace

const GeneratedPuzzle& confirmed_unique(const GeneratedPuzzle& made) {
    // The removals keep uniqueness by their own bookkeeping; this search does not rely on it.
    const SearchResult search = find_solutions(made.puzzle, 2);
    if (search.count != 1 || search.solution != made.solution) {
        throw GeneratorFault("the generator made " + puzzle_text(made.puzzle) + ", which has " +
                             (search.count == 0 ? "no solution" : search.count == 1 ? "another solution" : "several solutions"));
    }
    return made;
}

std::uint64_t series_seed(std::uint64_t seed, std::uint64_t index) {
    // splitmix64's step and mix: neighbouring indices give unrelated seeds.
    std::uint64_t z = seed + (index + 1) * 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::optional<GeneratedPuzzle> generate(Level level, std::uint64_t seed, Symmetry symmetry,
                                        const std::atomic<bool>* cancel) {
    return generate(level, seed, symmetry, cancel, kGenerateTries);
}

namespace {

// What a series of attempts looks for: whether a removal that keeps one solution may stand
// (empty: every one may), and whether a finished puzzle is one wanted, its rating filled in.
struct Wanted {
    std::function<bool(const Grid81&)> removal_stands;
    std::function<bool(GeneratedPuzzle&)> accept;
};

std::optional<GeneratedPuzzle> first_wanted(const Wanted& wanted, std::uint64_t seed, Symmetry symmetry,
                                             const std::atomic<bool>* cancel, int tries) {
    Draws draws(seed);
    std::vector<std::pair<int, int>> groups = removal_groups(symmetry);
    for (int attempt = 0; attempt < tries; ++attempt) {
        const Grid81 solution = full_grid(draws);
        Thinning thinning(solution);
        draws.shuffle(groups);
        // Each group is tried once: a given that a second solution needed then is needed
        // by every puzzle with fewer givens, so one pass leaves no group that could go.
        for (const auto& [a, b] : groups) {
            if (cancelled(cancel)) return std::nullopt;
            bool keep = thinning.unique_without(a, b);
            if (keep && wanted.removal_stands) keep = wanted.removal_stands(thinning.puzzle());
            if (!keep) {
                thinning.put(a);
                thinning.put(b);
            }
        }
        GeneratedPuzzle made{thinning.puzzle(), solution};
        if (wanted.accept(made)) return confirmed_unique(made);
    }
    return std::nullopt;
}

}  // namespace

std::optional<GeneratedPuzzle> generate(Level level, std::uint64_t seed, Symmetry symmetry,
                                        const std::atomic<bool>* cancel, int tries) {
    MemoryWindow window;
    const auto rating = [&window](const Grid81& puzzle) {
        run_puzzle(window, puzzle);
        return solved_difficulty(window);
    };
    Wanted wanted;
    // An Easy puzzle stops short of the first removal that Solve rates above 0.
    if (level == Level::Easy) wanted.removal_stands = [&rating](const Grid81& puzzle) { return rating(puzzle) == 0; };
    wanted.accept = [&](GeneratedPuzzle& made) {
        const std::optional<int> difficulty = rating(made.puzzle);
        if (!difficulty || level_of(*difficulty) != level) return false;
        made.difficulty = *difficulty;
        return true;
    };
    return first_wanted(wanted, seed, symmetry, cancel, tries);
}

std::optional<GeneratedPuzzle> generate_rated(RatingRange range, std::uint64_t seed, Symmetry symmetry,
                                              const std::atomic<bool>* cancel, int tries) {
    Wanted wanted;
    wanted.accept = [range](GeneratedPuzzle& made) {
        const logic::LogicalPath path = logic::solve_logically(made.puzzle, logic::Ladder::Explainer);
        if (path.outcome != logic::LogicalPath::Outcome::Solved || path.er < range.low || path.er > range.high)
            return false;
        made.er = path.er;
        return true;
    };
    return first_wanted(wanted, seed, symmetry, cancel, tries);
}

}  // namespace varendo
