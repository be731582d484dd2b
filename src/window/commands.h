#pragma once

#include <string_view>

#include "solver/controls.h"
#include "solver/solver.h"

namespace varendo {

inline constexpr std::string_view kUnableToWrite = "Unable to write to the file.";

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

    Solver& solver() { return solver_; }
    const Solver& solver() const { return solver_; }

private:
    void restart();
    void run_attempts();
    void report();
    void open_step_file();
    void close_step_file();
    void print_outcome(std::string_view text);

    Controls& controls_;
    Solver solver_;
};

// "Difficulty     : " with the rating and its name, as Label1 shows it.
std::string difficulty_line(int difficulty);

}  // namespace varendo
