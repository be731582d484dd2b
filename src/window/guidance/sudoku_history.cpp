// Edit > Undo and Redo, and the commands that history keeps as steps.
#include <QMenu>

#include "window/form/cell_edit.h"
#include "window/guidance/grid_history.h"
#include "window/steps/steps_window.h"
#include "window/sudoku.h"

namespace varendo {

void Sudoku::add_undo_redo(QMenu* edit) {
    history_ = new GridHistory(*this, this);
    for (int i = 0; i < kCellCount; ++i) {
        connect(cells_[i], &QLineEdit::textEdited, history_, [this, i] { history_->user_edit(i); });
        // After the input filter's connection, so that history sees the filtered text.
        connect(cells_[i], &QLineEdit::textChanged, history_, [this, i] { history_->text_changed(i); });
    }
    QAction* undo = history_->stack().createUndoAction(edit, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = history_->stack().createRedoAction(edit, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo")));
    redo->setShortcuts(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
}

void Sudoku::load(const Grid81& cells, const GridDigits& marks) {
    history_->record(QStringLiteral("Load"), [this, &cells, &marks] {
        commands_.load(cells);
        // A plain puzzle brings no marks; a pencil-mark grid brings exactly its own.
        history_->marks() = marks == GridDigits{} ? PencilMarks{} : marks_showing(marks, cells);
    });
    // A load starts with New, which the Steps window follows.
    steps_->clear();
}

}  // namespace varendo
