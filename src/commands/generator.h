#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "solver/exact_search.h"

namespace varendo {

// The four levels of the difficulty legend, by the rating Solve reports: 0 Easy, 1 Medium,
// 2 Difficult, 3 and more Very Difficult.
enum class Level { Easy, Medium, Difficult, VeryDifficult };

// Which givens go together: none, or each with its partner turned half a turn about the centre.
enum class Symmetry { None, Rotate180 };

constexpr Level level_of(int difficulty) {
    return difficulty <= 0 ? Level::Easy
           : difficulty == 1 ? Level::Medium
           : difficulty == 2 ? Level::Difficult
                             : Level::VeryDifficult;
}

struct GeneratedPuzzle {
    Grid81 puzzle{};     // row by row, 0 for an empty cell
    Grid81 solution{};   // its one solution, row by row
    int difficulty = 0;  // the rating Solve gives it, from New, typing, Freeze and Solve (by level)
    int er = 0;          // in tenths, the hardest step of the Explainer ladder (by technique rating)
};

// An ER range in tenths, both ends included: 70-79 for 7.0-7.9.
struct RatingRange {
    int low = 0;
    int high = 0;
};

// A puzzle with exactly one solution that Solve rates at `level`. The same level, seed and
// symmetry give the same puzzle on every machine. Nothing when the bounded tries run out,
// or as soon as `cancel` is set. A puzzle that fails the last check throws a GeneratorFault.
std::optional<GeneratedPuzzle> generate(Level level, std::uint64_t seed, Symmetry symmetry,
                                        const std::atomic<bool>* cancel = nullptr);

// The seed of puzzle `index` of a series begun from `seed`: each puzzle its own, so that a
// series comes out the same whatever order or threads make it.
std::uint64_t series_seed(std::uint64_t seed, std::uint64_t index);

// A puzzle the generator made that the complete search, asked once more before the puzzle
// leaves it, finds with other than its one solution: a fault of the generator, never a puzzle.
class GeneratorFault : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// `made`, once the complete search finds its puzzle's one solution and no other; throws a
// GeneratorFault that names the puzzle otherwise.
const GeneratedPuzzle& confirmed_unique(const GeneratedPuzzle& made);

// How many full grids generate() starts from before it gives up.
constexpr int kGenerateTries = 1000;

// The same with a bound of one's own: `tries` full grids at most (0 makes nothing).
std::optional<GeneratedPuzzle> generate(Level level, std::uint64_t seed, Symmetry symmetry,
                                        const std::atomic<bool>* cancel, int tries);

// A minimal puzzle, made as generate() makes the three harder levels, that the Explainer ladder
// solves with its hardest step (ER) in `range`; a puzzle its techniques cannot finish is never
// kept. Repeatable and bounded as generate() is.
std::optional<GeneratedPuzzle> generate_rated(RatingRange range, std::uint64_t seed, Symmetry symmetry,
                                              const std::atomic<bool>* cancel, int tries);

}  // namespace varendo
