#include "commands/memory_window.h"

#include "commands/puzzle_text.h"

namespace varendo {

MemoryWindow::MemoryWindow(StepFile* step_file)
    : step_file_(step_file != nullptr ? step_file : &memory_step_file_), commands_(*this) {
    commands_.on_create();
}

bool MemoryWindow::click(Button button) {
    if (!button_enabled(button)) return false;
    switch (button) {
    case Button::New: commands_.on_new(); break;
    case Button::Freeze: commands_.on_freeze(); break;
    case Button::Restart: commands_.on_restart(); break;
    case Button::Solve: commands_.on_solve(); break;
    }
    return true;
}

bool MemoryWindow::click_check1() {
    // A click toggles a two-state box, then runs its handler.
    int& state = check_states_[static_cast<int>(CheckBox::Check1)];
    state = state == 0 ? 1 : 0;
    commands_.on_check1_click();
    return true;
}

bool MemoryWindow::type(int index, char key) {
    if (!cell_enabled_[index] || static_cast<int>(texts_[index].size()) >= max_lengths_[index])
        return false;
    set_cell_text(index, texts_[index] + key);
    return true;
}

bool MemoryWindow::erase(int index) {
    if (!cell_enabled_[index]) return false;
    set_cell_text(index, "");
    return true;
}

std::string MemoryWindow::grid_text() const { return puzzle_text(commands_.shown_grid()); }

void MemoryWindow::set_cell_text(int index, std::string_view text) {
    // Like a real text box, only a change of the text raises the change event. Texts are
    // a digit or nothing, compared without a library call: the solver sets thousands.
    std::string& shown = texts_[index];
    bool same = shown.size() == text.size();
    for (std::size_t i = 0; same && i < text.size(); ++i) same = shown[i] == text[i];
    if (same) return;
    shown.assign(text.data(), text.size());
    commands_.on_cell_text_changed(index);
}

void MemoryWindow::set_caption(Label label, std::string_view caption) {
    captions_[static_cast<int>(label)] = caption;
}

void MemoryWindow::set_button_enabled(Button button, bool enabled) {
    button_enabled_[static_cast<int>(button)] = enabled;
}

void MemoryWindow::show_message(std::string_view text) {
    last_message_ = text;
    ++message_count_;
}

}  // namespace varendo
