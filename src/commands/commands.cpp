#include "commands/commands.h"

#include <algorithm>
#include <string>

#include "solver/step_file.h"
#include "solver/units.h"

namespace varendo {

namespace {

constexpr int kAttempts = 200;

std::int16_t capped(int value) { return static_cast<std::int16_t>(std::min(value, int{kCounterLimit})); }

// The digit a cell's text holds; 0 for none. The input filter lets nothing but one digit
// 1..9 into a cell.
int digit_of(const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? text[0] - '0' : 0;
}

// The cell box index of place i (0..80) of a grid written row by row.
int box_index(int i) { return index_of(i / 9 + 1, i % 9 + 1); }

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
    reset(CellLook::Locked);
    solver_.digit_counter = 0;
    solver_.save_to_file = false;
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
    path_.clear();
    reset(CellLook::Open);
    controls_.set_caption(Label::Label1, "");
    controls_.set_button_enabled(Button::Freeze, true);
    controls_.set_button_enabled(Button::Solve, false);
    controls_.set_button_enabled(Button::Restart, false);
}

void Commands::on_freeze() {
    Solver& s = solver_;
    for (int k = 1; k <= kCellCount; ++k) {
        const int d = digit_of(controls_.cell_text(k - 1));
        s.frozen_value[k] = d != 0 ? static_cast<std::int16_t>(d) : kEmptyFrozen;
    }
    frozen_ = true;
    path_.clear();
    controls_.set_button_enabled(Button::Restart, true);
    controls_.set_button_enabled(Button::Solve, true);
    restart();
}

void Commands::reset(CellLook look) {
    Solver& s = solver_;
    if (look != CellLook::AsTheyAre) {
        s.unit_sum = 0;
        std::fill(s.frozen_value.begin() + 1, s.frozen_value.begin() + kCellCount + 1, kEmptyFrozen);
        frozen_ = false;
    }
    s.reload_fixed_puzzle();
    for (int k = 1; k <= kCellCount; ++k) {
        const int index = k - 1;
        if (look != CellLook::AsTheyAre) {
            controls_.set_cell_enabled(index, look == CellLook::Open);
            controls_.set_cell_max_length(index, 1);
            controls_.set_cell_color(index, kTypedColor);
        }
        // Cells the fixed puzzle leaves empty keep their colour.
        if (s.frozen_value[k] == kEmptyFrozen) controls_.set_cell_text(index, "");
        s.guess_mark[k] = 0;
    }
    show_givens();
    s.written_value = 0;
    s.valid_before = true;
    s.is_valid = true;
    s.is_complete = true;
    s.pass_count = 0;
    s.guess_count = 0;
    s.valid_after = true;
}

void Commands::show_givens() {
    for (int k = 1; k <= kCellCount; ++k) {
        const std::int16_t d = solver_.frozen_value[k];
        if (d == kEmptyFrozen) continue;
        const char digit = static_cast<char>('0' + d);
        controls_.set_cell_color(k - 1, kGivenColor);
        controls_.set_cell_text(k - 1, std::string_view(&digit, 1));
    }
}

void Commands::on_solve() {
    controls_.set_caption(Label::Label4, "No");
    searched_solutions_.reset();
    if (recording_) path_.begin(puzzle());
    bool started = false;
    try {
        if (solver_.save_to_file) open_step_file();
        if (controls_.check_state(CheckBox::Check2) == 1) open_step_file();
        started = true;
        run_attempts();
        const Outcome outcome = decide_outcome();
        if (recording_) path_.finished(outcome);
        report(outcome);
    } catch (const StepFileFailure&) {
        // Closed here, or every later Solve would fail to open it again.
        controls_.step_file().close();
        // No box may stand over a half-filled grid.
        if (started) restart();
        outcome_ = Outcome::StepFileFailure;
        if (recording_) path_.finished(Outcome::StepFileFailure);
        controls_.show_step_file_failure(outcome_text(Outcome::StepFileFailure));
    }
}

void Commands::run_attempts() {
    Solver& s = solver_;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (!s.valid_before) continue;
        if (recording_) path_.start_attempt(attempt);
        s.main_function();
        if (s.valid_after && s.valid_before) break;
        // A contradiction: start again from the givens. The next attempt first runs the
        // driver once more on the state this run leaves.
        s.reload_fixed_puzzle();
        if (recording_) path_.reloaded();
        s.main_function();
    }
}

Outcome Commands::decide_outcome() {
    Solver& s = solver_;
    // The attempts never take a guess back, so they can miss a solution that exists: before
    // calling the puzzle unsolvable, ask the complete search.
    const bool failed = !s.valid_after || (s.valid_before && (!s.is_valid || !s.is_complete));
    if (failed) searched_solutions_ = s.complete_by_search();

    if (!s.valid_after) return Outcome::RepeatAfterElimination;
    if (!s.valid_before) return Outcome::RepeatInGivens;
    if (!s.is_valid) return Outcome::Invalid;
    if (s.is_complete) return Outcome::Solved;
    return Outcome::CannotComplete;
}

void Commands::report(Outcome outcome) {
    Solver& s = solver_;
    const std::string repeat_text = outcome == Outcome::RepeatInGivens ? s.message.text() : std::string();
    const std::string_view text = outcome_text(outcome, repeat_text);
    // The step file is finished before the box, so that its failure is the only box shown.
    if (s.save_to_file) print_outcome(text);
    close_step_file();
    outcome_ = outcome;
    if (outcome == Outcome::Solved) {
        // guess_count + pass_count div 5, worked out wide so that it cannot overflow.
        s.difficulty = capped(s.guess_count + s.pass_count / 5);
        controls_.set_caption(Label::Label1, difficulty_line(s.difficulty));
    }
    // The run worked on the fixed puzzle, whatever was typed over a given since.
    if (outcome == Outcome::Solved || outcome == Outcome::RepeatInGivens) {
        show_givens();
    } else {
        restart();
    }
    controls_.show_message(text);
}

void Commands::open_step_file() {
    if (!controls_.step_file().open()) throw StepFileFailure{};
}

void Commands::close_step_file() {
    if (!controls_.step_file().close()) throw StepFileFailure{};
}

void Commands::print_outcome(std::string_view text) {
    std::string line(text);
    line += kStepLineEnd;
    if (!controls_.step_file().write(line)) throw StepFileFailure{};
}

void Commands::set_path_recording(bool on) {
    recording_ = on;
    solver_.recorder = on ? &path_ : nullptr;
    if (!on) path_.clear();
}

void Commands::on_check1_click() {
    solver_.save_to_file = controls_.check_state(CheckBox::Check1) != 0;
}

void Commands::load(const Grid81& cells) {
    on_new();
    for (int i = 0; i < kCellCount; ++i) {
        const char key = static_cast<char>('0' + cells[i]);
        if (cells[i] != 0) controls_.set_cell_text(box_index(i), std::string_view(&key, 1));
    }
}

Grid81 Commands::shown_grid() const {
    Grid81 cells{};
    for (int i = 0; i < kCellCount; ++i)
        cells[i] = static_cast<std::uint8_t>(digit_of(controls_.cell_text(box_index(i))));
    return cells;
}

Grid81 Commands::puzzle() const {
    if (!frozen_) return shown_grid();
    Grid81 cells{};
    for (int i = 0; i < kCellCount; ++i) {
        const std::int16_t d = solver_.frozen_value[box_index(i) + 1];
        if (d != kEmptyFrozen) cells[i] = static_cast<std::uint8_t>(d);
    }
    return cells;
}

void Commands::on_command19_click() {
    const Solver& s = solver_;
    const int weighted = 30 * s.guess_count + s.pass_count;
    controls_.set_caption(Label::Label1, std::to_string(s.pass_count) + "    " +
                                             std::to_string(s.guess_count) + "       " +
                                             std::to_string(capped(weighted)));
}

}  // namespace varendo
