#include "commands/puzzle_run.h"

namespace varendo {

void run_puzzle(MemoryWindow& window, const Grid81& puzzle, StepMode mode) {
    window.enter_puzzle(puzzle);
    if (mode == StepMode::Visible) window.set_save_to_file(true);
    // The hidden box keeps its state from one puzzle to the next: click it only to tick it.
    if (mode == StepMode::Detailed && window.check_state(CheckBox::Check1) == 0) window.click_check1();
    window.click(Button::Freeze);
    window.click(Button::Solve);
}

std::optional<int> solved_difficulty(const MemoryWindow& window) {
    if (window.commands().outcome() != Outcome::Solved) return std::nullopt;
    return window.solver().difficulty;
}

}  // namespace varendo
