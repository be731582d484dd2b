#include "window/commands.h"

#include <algorithm>
#include <string>

#include "solver/step_file.h"
#include "solver/units.h"

namespace varendo {

namespace {

constexpr int kAttempts = 200;

constexpr std::string_view kNotSolvable = "The sudoku is not solvable";
constexpr std::string_view kInvalid = "The sudoku is invalid";
constexpr std::string_view kSolved = "Sudoku Solved";
constexpr std::string_view kCannotComplete = "The sudoku is not solvable (can't be completed).";

std::int16_t capped(int value) { return static_cast<std::int16_t>(std::min(value, int{kCounterLimit})); }

}  // namespace

std::string difficulty_line(int difficulty) {
    std::string line = "Difficulty     : " + std::to_string(difficulty);
    switch (difficulty) {
    case 0: return line + " (Easy)";
    case 1: return line + " (Medium)";
    case 2: return line + " (Difficult)";
    default: return line + " (Very Difficult)";
    }
}

void Commands::on_create() {
    Solver& s = solver_;
    s.unit_sum = 0;
    for (int k = 1; k <= kCellCount; ++k) {
        controls_.set_cell_max_length(k - 1, 1);
        controls_.set_cell_enabled(k - 1, false);
        s.cell_mask[k] = kAllDigits;
        s.guess_mark[k] = 0;
        controls_.set_cell_color(k - 1, kTypedColor);
        s.cell_value[k - 1] = kEmptyCell;
    }
    s.is_valid = true;
    s.is_complete = true;
    s.written_value = 0;
    s.pass_count = 0;
    s.guess_count = 0;
    s.valid_after = true;
    s.valid_before = true;
    s.digit_counter = 0;
    s.save_to_file = false;
    controls_.set_check_state(CheckBox::Check2, 0);
}

void Commands::on_cell_text_changed(int index) {
    const std::string text = controls_.cell_text(index);
    if (text.empty()) return;
    const unsigned char first = static_cast<unsigned char>(text.front());
    // Clearing raises the event again, which stops at the empty text.
    if (first < '1' || first > '9') controls_.set_cell_text(index, "");
}

void Commands::on_new() {
    Solver& s = solver_;
    s.unit_sum = 0;
    for (int k = 1; k <= kCellCount; ++k) {
        s.guess_mark[k] = 0;
        controls_.set_cell_enabled(k - 1, true);
        controls_.set_cell_max_length(k - 1, 1);
        controls_.set_cell_text(k - 1, "");
        s.cell_value[k - 1] = kEmptyCell;
        s.cell_mask[k] = kAllDigits;
        controls_.set_cell_color(k - 1, kTypedColor);
        s.frozen_value[k] = kEmptyFrozen;
    }
    s.is_valid = true;
    s.is_complete = true;
    s.valid_after = true;
    s.pass_count = 0;
    s.guess_count = 0;
    controls_.set_caption(Label::Label1, "");
    controls_.set_button_enabled(Button::Freeze, true);
    controls_.set_button_enabled(Button::Solve, false);
    controls_.set_button_enabled(Button::Restart, false);
    s.valid_before = true;
    s.written_value = 0;
}

void Commands::on_freeze() {
    Solver& s = solver_;
    for (int k = 1; k <= kCellCount; ++k) {
        const std::string text = controls_.cell_text(k - 1);
        // The input filter lets nothing but one digit 1..9 into a cell.
        const int d = text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? text[0] - '0' : 0;
        if (d != 0) {
            s.cell_mask[k] = digit_mask(d);
            s.frozen_value[k] = static_cast<std::int16_t>(d);
            s.cell_value[k - 1] = static_cast<std::int16_t>(d);
            controls_.set_cell_color(k - 1, kGivenColor);
        } else {
            s.cell_value[k - 1] = kEmptyCell;
            s.cell_mask[k] = kAllDigits;
            s.frozen_value[k] = kEmptyFrozen;
        }
    }
    controls_.set_button_enabled(Button::Restart, true);
    controls_.set_button_enabled(Button::Solve, true);
    restart();
}

void Commands::restart() {
    Solver& s = solver_;
    for (int k = 1; k <= kCellCount; ++k) {
        const std::int16_t d = s.frozen_value[k];
        if (d == kEmptyFrozen) {
            s.cell_mask[k] = kAllDigits;
            controls_.set_cell_text(k - 1, "");
            s.cell_value[k - 1] = kEmptyCell;
        } else {
            s.cell_mask[k] = digit_mask(d);
            controls_.set_cell_color(k - 1, kGivenColor);
            const char digit = static_cast<char>('0' + d);
            controls_.set_cell_text(k - 1, std::string_view(&digit, 1));
            s.cell_value[k - 1] = d;
        }
        s.guess_mark[k] = 0;
    }
    s.written_value = 0;
    s.valid_before = true;
    s.is_valid = true;
    s.is_complete = true;
    s.pass_count = 0;
    s.guess_count = 0;
    s.valid_after = true;
}

void Commands::on_solve() {
    controls_.set_caption(Label::Label4, "No");
    try {
        if (solver_.save_to_file) open_step_file();
        if (controls_.check_state(CheckBox::Check2) == 1) open_step_file();
        run_attempts();
        report();
        if (controls_.check_state(CheckBox::Check2) == 1) close_step_file();
    } catch (const StepFileFailure&) {
        // Closed here, or every later Solve would fail to open it again.
        controls_.step_file().close();
        controls_.show_message(kUnableToWrite);
    }
}

void Commands::run_attempts() {
    Solver& s = solver_;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (!s.valid_before) continue;
        s.main_function();
        if (s.valid_after && s.valid_before) break;
        // A contradiction: start again from the givens. The next attempt first runs the
        // driver once more on the state this run leaves.
        s.reload_fixed_puzzle();
        s.main_function();
    }
}

void Commands::report() {
    Solver& s = solver_;
    // The attempts never take a guess back, so they can miss a solution that exists: before
    // calling the puzzle unsolvable, ask the complete search.
    const bool failed = !s.valid_after || (s.valid_before && (!s.is_valid || !s.is_complete));
    if (failed) s.complete_by_search();

    std::string text;
    if (!s.valid_after) {
        restart();
        text = kNotSolvable;
    } else if (!s.valid_before) {
        text = s.message.text();
    } else if (!s.is_valid) {
        restart();
        text = kInvalid;
    } else if (s.is_complete) {
        // guess_count + pass_count div 5, worked out wide so that it cannot overflow.
        s.difficulty = capped(s.guess_count + s.pass_count / 5);
        controls_.set_caption(Label::Label1, difficulty_line(s.difficulty));
        text = kSolved;
    } else {
        restart();
        text = kCannotComplete;
    }
    controls_.show_message(text);
    if (s.save_to_file) {
        print_outcome(text);
        close_step_file();
    }
}

void Commands::open_step_file() {
    if (!controls_.step_file().open()) throw StepFileFailure{};
}

void Commands::close_step_file() {
    if (!controls_.step_file().close()) throw StepFileFailure{};
}

void Commands::print_outcome(std::string_view text) {
    std::string line(text);
    line += "\r\n";
    if (!controls_.step_file().write(line)) throw StepFileFailure{};
}

void Commands::on_check1_click() {
    solver_.save_to_file = controls_.check_state(CheckBox::Check1) != 0;
}

void Commands::on_command19_click() {
    const Solver& s = solver_;
    const int weighted = 30 * s.guess_count + s.pass_count;
    controls_.set_caption(Label::Label1, std::to_string(s.pass_count) + "    " +
                                             std::to_string(s.guess_count) + "       " +
                                             std::to_string(capped(weighted)));
}

}  // namespace varendo
