#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <functional>
#include <string>

#include "solver/units.h"

namespace varendo {

class Controls;

// What the user has put into the grid, step by step, for Undo and Redo: a digit typed or
// deleted, and the commands that put many digits at once (New, a load, a Hint's digit).
// A step holds the cells' texts before and after it and nothing else: the frozen puzzle,
// the solver's counters, the labels and the buttons belong to Freeze, Restart and Solve,
// which history does not take back. Undo and Redo set the texts through the cells
// themselves, so the input filter sees them and each digit takes its cell's colour, as a
// typed digit does.
class GridHistory final : public QObject {
    Q_OBJECT

public:
    GridHistory(Controls& cells, QObject* parent);

    QUndoStack& stack() { return stack_; }

    // The user's own edit of a cell box is under way (the box's textEdited, which comes
    // before its textChanged).
    void user_edit(int index) { editing_ = index; }
    // A cell box's text changed, by the user or the program; connected after the input
    // filter, so the text it reads is the filtered one.
    void text_changed(int index);
    // Runs a command that may change many cells and keeps what it changed as one step.
    void record(const QString& name, const std::function<void()>& command);

    // Puts a text into a cell through the cell (a step being undone or redone).
    void show(int index, const std::string& text);

signals:
    // The text of some cell changed, whatever changed it.
    void grid_changed();

private:
    using Texts = std::array<std::string, kCellCount>;

    void push(const QString& name, const Texts& before);

    Controls& cells_;
    QUndoStack stack_;
    // The texts as the cells show them, kept up to date by text_changed.
    Texts shown_;
    int editing_ = -1;
};

}  // namespace varendo
