#pragma once

#include <array>
#include <string>
#include <string_view>

#include "commands/commands.h"
#include "solver/controls.h"
#include "solver/exact_search.h"
#include "solver/step_file.h"

namespace varendo {

// The window kept in memory: the same controls and commands as the Qt window, driven by
// calls instead of clicks. Serves the command-line tool and the tests.
class MemoryWindow final : public Controls {
public:
    // The step file defaults to one in memory; another (a file on disk) may be given.
    explicit MemoryWindow(StepFile* step_file = nullptr);

    // What a person can do. A disabled button or cell ignores the action; the return
    // value tells whether it was taken.
    bool click(Button button);
    bool click_check1();
    void click_command19() { commands_.on_command19_click(); }
    // Ticks or clears the visible "Save to File" box (it has no click behaviour).
    void set_save_to_file(bool checked) { check_states_[1] = checked ? 1 : 0; }
    // One keystroke into a cell; refused when the cell is disabled or full.
    bool type(int index, char key);
    // Deletes the cell's text, as Backspace on a one-character cell does.
    bool erase(int index);
    // New, then the givens typed in (cells row by row, 0 for empty).
    void enter_puzzle(const Grid81& cells) { commands_.load(cells); }

    std::string cell_text(int index) const override { return texts_[index]; }
    Rgb cell_color(int index) const { return colors_[index]; }
    bool cell_enabled(int index) const { return cell_enabled_[index]; }
    int cell_max_length(int index) const { return max_lengths_[index]; }
    bool button_enabled(Button button) const { return button_enabled_[static_cast<int>(button)]; }
    const std::string& caption(Label label) const { return captions_[static_cast<int>(label)]; }
    int check_state(CheckBox box) const override { return check_states_[static_cast<int>(box)]; }
    const std::string& last_message() const { return last_message_; }
    int message_count() const { return message_count_; }
    // The grid row by row, '.' for an empty cell.
    std::string grid_text() const;

    Commands& commands() { return commands_; }
    const Commands& commands() const { return commands_; }
    const Solver& solver() const { return commands_.solver(); }
    StepFile& step_file() override { return *step_file_; }
    // The bytes of the in-memory step file (empty when another file was given).
    const std::string& step_file_contents() const { return memory_step_file_.contents(); }

    void set_cell_text(int index, std::string_view text) override;
    void set_cell_color(int index, Rgb color) override { colors_[index] = color; }
    void set_cell_enabled(int index, bool enabled) override { cell_enabled_[index] = enabled; }
    void set_cell_max_length(int index, int length) override { max_lengths_[index] = length; }
    void set_caption(Label label, std::string_view caption) override;
    void set_button_enabled(Button button, bool enabled) override;
    void set_check_state(CheckBox box, int state) override { check_states_[static_cast<int>(box)] = state; }
    void show_message(std::string_view text) override;

private:
    std::array<std::string, 81> texts_{};
    std::array<Rgb, 81> colors_{};
    std::array<bool, 81> cell_enabled_{};
    std::array<int, 81> max_lengths_{};
    std::array<bool, 4> button_enabled_{true, false, false, false};
    std::array<std::string, 2> captions_{};
    std::array<int, 2> check_states_{};
    std::string last_message_;
    int message_count_ = 0;
    MemoryStepFile memory_step_file_;
    StepFile* step_file_;
    Commands commands_;
};

}  // namespace varendo
