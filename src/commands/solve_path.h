#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "commands/outcome.h"
#include "solver/exact_search.h"
#include "solver/path_recorder.h"

namespace varendo {

class Solver;

// One event of a Solve command, in the order it happened.
struct PathRecord {
    enum class Event : std::uint8_t {
        Start,      // an attempt starts: attempt
        Placement,  // a digit placed: placement, pass
        Stall,      // a run stalled; a guess follows if one is left: pass
        Repeat,     // a run found a repeated digit: units, at_start, pass
        Reload,     // the fixed puzzle reloaded, within the attempt
        Outcome,    // what Solve reported, after every other record: outcome
    };
    Event event = Event::Start;
    bool at_start = false;  // Repeat: in the grid the run started from, before any elimination
    std::int16_t attempt = 0;  // the attempt (1..200) it belongs to
    std::int16_t pass = 0;     // pass_count at the time
    Placement placement;
    std::uint32_t units = 0;   // Repeat: bit u for each unit u (1..27) that repeats a digit
    Outcome outcome = Outcome::Solved;

    // Of the placed cell, 1..9 from the top left.
    int row() const { return (placement.cell - 1) % 9 + 1; }
    int column() const { return (placement.cell - 1) / 9 + 1; }
};

// The row-by-row index (9 * (row - 1) + column - 1) of cell k (1..81, down the columns).
constexpr int row_major_index(int k) { return 9 * ((k - 1) % 9) + (k - 1) / 9; }

// Fixes a grid (row by row, 0 for empty) as the solver's puzzle and loads it, as Freeze
// does, without touching any cell box: the start of a run that only records.
void fix_puzzle(Solver& s, const Grid81& grid);

// The grid as it stood after one record of a path. Cells row by row.
struct PathSnapshot {
    enum class Origin : std::uint8_t { Empty, Given, Placed };
    Grid81 digits{};  // 0 for an empty cell
    std::array<Origin, 81> origins{};
    // For an empty cell, its candidates as the engine's own mask held them: bit d for digit d.
    // 0 for a filled cell.
    std::array<std::uint16_t, 81> candidates{};
    int new_cell = -1;  // the index of the digit the record placed; -1 when it placed none
    int unit = 0;       // the unit that decided it, 1..27 (columns, rows, boxes); 0 for none
};

// The path of one Solve command: its records, and the grid after each of them. Solve fills
// it through the engine's recorder hook and its own attempt loop.
class SolvePath final : public PathRecorder {
public:
    // Starts an empty path for the fixed puzzle's givens (row by row, 0 for empty).
    void begin(const Grid81& givens);
    void start_attempt(int attempt);
    void reloaded();
    void finished(Outcome outcome);
    void clear();

    void placed(const Placement& placement, std::int16_t pass) override;
    void stalled(std::int16_t pass) override;
    void repeated(std::uint32_t units, bool at_start, std::int16_t pass) override;

    bool empty() const { return rows_.empty(); }
    const Grid81& givens() const { return givens_; }
    // Every record, one row each.
    const std::vector<PathRecord>& rows() const { return rows_; }
    // The grid after row i. The first call works out every row's at once, by running the
    // passes again cell by cell, as the engine defines them, from the grid each run started
    // from: about 10 ms for a path of 6,000 rows.
    const PathSnapshot& snapshot(std::size_t row) const;
    // Whether that replay placed every digit the path records, in the same order; it always
    // should, and the snapshots hold what the path records either way.
    bool replay_agrees() const;

private:
    struct Replay;
    PathRecord& add(PathRecord::Event event, std::int16_t pass = 0);
    const Replay& replay() const;

    Grid81 givens_{};
    std::vector<PathRecord> rows_;
    std::int16_t attempt_ = 0;
    mutable std::shared_ptr<const Replay> replay_;
};

// The step file's bytes that the path's records stand for: the quoted lines of the visible
// "Save to File" box, and the printed lines of the hidden one, each with its CR LF.
std::string quoted_step_lines(const SolvePath& path);
std::string detailed_step_lines(const SolvePath& path);

}  // namespace varendo
