#include "window/guidance/mark_board.h"

#include "commands/commands.h"
#include "window/form/cell_edit.h"
#include "window/guidance/grid_history.h"

namespace varendo {

MarkBoard::MarkBoard(Commands& commands, GridHistory& history, const std::array<CellEdit*, kCellCount>& cells,
                     QObject* parent)
    : QObject(parent), commands_(commands), history_(history), cells_(cells) {
    connect(&history_, &GridHistory::grid_changed, this, &MarkBoard::refresh);
    connect(&history_, &GridHistory::marks_changed, this, &MarkBoard::refresh);
}

void MarkBoard::set_with_candidates(bool on) {
    with_candidates_ = on;
    refresh();
}

void MarkBoard::set_show_mistakes(bool on) {
    show_mistakes_ = on;
    refresh();
}

void MarkBoard::highlight(int digit) {
    highlighted_ = digit;
    refresh();
}

void MarkBoard::toggle(int index, int digit) {
    history_.record(QStringLiteral("Pencil Mark"), [this, index, digit] {
        toggle_mark(history_.marks(), history_.grid(), with_candidates_, grid_cell_of(index), digit);
    });
}

void MarkBoard::clear_cell(int index) {
    history_.record(QStringLiteral("Clear Marks"), [this, index] {
        clear_cell_marks(history_.marks(), history_.grid(), with_candidates_, grid_cell_of(index));
    });
}

void MarkBoard::clear_all() {
    history_.record(QStringLiteral("Clear Pencil Marks"), [this] { history_.marks() = {}; });
}

GridDigits MarkBoard::shown() const { return shown_marks(history_.marks(), history_.grid(), with_candidates_); }

std::optional<Grid81> MarkBoard::solution() {
    if (!commands_.frozen()) return std::nullopt;
    const Grid81 puzzle = commands_.puzzle();
    if (solved_puzzle_ != puzzle) {
        solved_puzzle_ = puzzle;
        solution_ = only_solution(puzzle);
    }
    return solution_;
}

void MarkBoard::hold(bool on) {
    held_ = on;
    if (!on) refresh();
}

void MarkBoard::refresh() {
    if (held_) return;
    const Grid81 grid = history_.grid();
    const GridDigits marks = shown();
    const std::optional<Grid81> answer = show_mistakes_ ? solution() : std::nullopt;
    for (int index = 0; index < kCellCount; ++index) {
        const int cell = grid_cell_of(index);
        const bool tinted = highlighted_ != 0 && (grid[cell] == highlighted_ || (marks[cell] & digit_bit(highlighted_)) != 0);
        const bool mistake = answer && ((grid[cell] != 0 && grid[cell] != (*answer)[cell]) ||
                                        misses_solution(history_.marks(), grid, with_candidates_, *answer, cell));
        cells_[index]->set_marks(marks[cell], tinted, mistake);
    }
}

}  // namespace varendo
