#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <functional>
#include <string>

#include "commands/pencil_marks.h"
#include "solver/units.h"

namespace varendo {

class Controls;

// The cell of a box index (down the columns) in a grid row by row.
constexpr int grid_cell_of(int index) { return 9 * (row_of_index(index) - 1) + column_of_index(index) - 1; }

// What the user has put into the grid, step by step, for Undo and Redo: a digit typed or
// deleted, a pencil mark, and the commands that change many cells at once (New, a load, a
// Hint's digit, Clear Pencil Marks). A step holds the cells' texts and pencil marks before
// and after it and nothing else: the frozen puzzle, the solver's counters, the labels and
// the buttons belong to Freeze, Restart and Solve, which history does not take back. Undo
// and Redo set the texts through the cells themselves, so the input filter sees them and
// each digit takes its cell's colour, as a typed digit does.
class GridHistory final : public QObject {
    Q_OBJECT

public:
    GridHistory(Controls& cells, QObject* parent);

    QUndoStack& stack() { return stack_; }

    // The user's own edit of a cell box is under way (the box's textEdited, which comes
    // before its textChanged).
    void user_edit(int index) { editing_ = index; }
    // A cell box's text changed, by the user or the program; connected after the input
    // filter, so the text it reads is the filtered one. A digit the user typed cleans the
    // marks of the cells that see it, in the same step.
    void text_changed(int index);
    // Runs a command that may change many cells and their marks, and keeps what it changed
    // as one step.
    void record(const QString& name, const std::function<void()>& command);

    // Puts a text into a cell through the cell (a step being undone or redone).
    void show(int index, const std::string& text);

    // The grid as the cells show it, row by row, 0 for an empty cell.
    Grid81 grid() const;
    // The pencil marks, row by row; changed in place within record(), or by forget_marks().
    const PencilMarks& marks() const { return marks_; }
    PencilMarks& marks() { return marks_; }
    void set_cell_marks(int cell, Digits own, Digits struck);
    // Takes every mark away outside history: Solve fills the grid.
    void forget_marks();
    // A digit placed in the cell of box index `index` takes itself from the marks that see
    // it, while that is on (it is by default).
    void clean_after_placement(int index);
    void set_auto_clean(bool on) { auto_clean_ = on; }

signals:
    // The text of some cell changed, whatever changed it.
    void grid_changed();
    void marks_changed();

private:
    using Texts = std::array<std::string, kCellCount>;

    void push(const QString& name, const Texts& before, const PencilMarks& marks_before);

    Controls& cells_;
    QUndoStack stack_;
    // The texts as the cells show them, kept up to date by text_changed.
    Texts shown_;
    PencilMarks marks_;
    bool auto_clean_ = true;
    int editing_ = -1;
};

}  // namespace varendo
