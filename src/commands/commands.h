#pragma once

#include <optional>
#include <string>

#include "commands/outcome.h"
#include "commands/solve_path.h"
#include "solver/controls.h"
#include "solver/exact_search.h"
#include "solver/solver.h"

namespace varendo {

// The window's event handlers, written against the controls interface so that the Qt
// window, the command-line tool and the tests run the very same commands.
class Commands {
public:
    explicit Commands(Controls& controls) : controls_(controls), solver_(controls) {}

    // Window created, before it is first shown.
    void on_create();
    // The text of cell box index changed, by typing or by the program.
    void on_cell_text_changed(int index);

    void on_new();
    void on_freeze();
    void on_restart() { restart(); }
    void on_solve();
    void on_check1_click();
    void on_command19_click();
    // A puzzle from elsewhere (row by row, 0 for empty): New, then its digits typed in.
    void load(const Grid81& cells);

    // The grid as the cells show it, row by row, 0 for an empty cell.
    Grid81 shown_grid() const;
    // The puzzle the user has set: the givens once frozen, before that the grid as shown.
    Grid81 puzzle() const;
    // Whether Freeze has fixed a puzzle since the last New.
    bool frozen() const { return frozen_; }

    Solver& solver() { return solver_; }
    const Solver& solver() const { return solver_; }

    // What the last Solve reported; nothing before the first.
    std::optional<Outcome> outcome() const { return outcome_; }
    // How many solutions the complete search found for the last Solve's givens (0, 1, or
    // 2 for two or more); nothing when that Solve did not need the search.
    std::optional<int> searched_solutions() const { return searched_solutions_; }

    // Whether each later Solve records its path; off at the start.
    void set_path_recording(bool on);
    // The path of the last Solve while recording; empty before, and after New or Freeze.
    const SolvePath& path() const { return path_; }

private:
    // How a reset leaves the cell boxes besides their texts.
    enum class CellLook {
        AsTheyAre,  // Restart: only the givens take their colour
        Locked,     // window creation: black, disabled
        Open,       // New: black, enabled for typing
    };
    // The fixed puzzle back in the grid and the state (emptied first unless the cells keep
    // their look), with no guesses tried and the flags and counters at their start.
    void reset(CellLook look);
    void restart() { reset(CellLook::AsTheyAre); }
    // Every given back in its cell and its colour, whatever was typed over it.
    void show_givens();
    void run_attempts();
    Outcome decide_outcome();
    void report(Outcome outcome);
    void open_step_file();
    void close_step_file();
    void print_outcome(std::string_view text);

    Controls& controls_;
    Solver solver_;
    // Freeze has fixed a puzzle since the last New.
    bool frozen_ = false;
    std::optional<Outcome> outcome_;
    std::optional<int> searched_solutions_;
    bool recording_ = false;
    SolvePath path_;
};

// "Difficulty     : " with the rating and its name, as Label1 shows it.
std::string difficulty_line(int difficulty);

}  // namespace varendo
