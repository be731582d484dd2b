// Solving by hand: pencil marks (Edit menu), candidates, mistakes and a highlighted digit
// (View menu), and the keys that reach them from a cell.
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "window/form/cell_edit.h"
#include "window/guidance/grid_history.h"
#include "window/guidance/mark_board.h"
#include "window/sudoku.h"

namespace varendo {

void Sudoku::add_marks(QMenu* edit, QMenu* view) {
    marks_ = new MarkBoard(commands_, *history_, cells_, this);
    for (int i = 0; i < kCellCount; ++i) {
        connect(cells_[i], &CellEdit::mark_requested, marks_, [this, i](int digit) { marks_->toggle(i, digit); });
        connect(cells_[i], &CellEdit::clear_marks_requested, marks_, [this, i] { marks_->clear_cell(i); });
        connect(cells_[i], &CellEdit::highlight_requested, this, &Sudoku::highlight_digit);
    }
    const auto item = [](QMenu* menu, const QString& name, const QString& text, const QKeySequence& key,
                         const QString& tip) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setStatusTip(tip);
        return action;
    };

    edit->addSeparator();
    QAction* pencil_mode = item(edit, QStringLiteral("pencilMode"), QStringLiteral("Pe&ncil Mode"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                                QStringLiteral("Digits typed into a cell toggle its pencil marks"));
    pencil_mode->setCheckable(true);
    connect(pencil_mode, &QAction::toggled, this, &Sudoku::set_pencil_mode);
    QMenu* toggle = edit->addMenu(QStringLiteral("&Toggle Mark"));
    for (int digit = 1; digit <= 9; ++digit) {
        QAction* action = item(toggle, QStringLiteral("toggleMark%1").arg(digit), QString::number(digit),
                               QKeySequence(Qt::CTRL | (Qt::Key_0 + digit)),
                               QStringLiteral("Mark %1 in the cell, or take it away").arg(digit));
        connect(action, &QAction::triggered, this, [this, digit] {
            if (const int index = focused_cell(); index >= 0) marks_->toggle(index, digit);
        });
    }
    connect(item(edit, QStringLiteral("clearPencilMarks"), QStringLiteral("C&lear Pencil Marks"), {},
                 QStringLiteral("Take every pencil mark away")),
            &QAction::triggered, marks_, &MarkBoard::clear_all);
    QAction* auto_clean =
        item(edit, QStringLiteral("cleanMarksOnPlacement"), QStringLiteral("Remove Marks &When Placing"), {},
             QStringLiteral("A digit typed takes itself from the marks of its row, column and box"));
    auto_clean->setCheckable(true);
    auto_clean->setChecked(true);
    connect(auto_clean, &QAction::toggled, history_, &GridHistory::set_auto_clean);

    QAction* candidates = item(view, QStringLiteral("showCandidates"), QStringLiteral("Show &Candidates"),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
                               QStringLiteral("Every empty cell shows the digits its row, column and box leave"));
    candidates->setCheckable(true);
    connect(candidates, &QAction::toggled, marks_, &MarkBoard::set_with_candidates);
    QAction* mistakes = item(view, QStringLiteral("showMistakes"), QStringLiteral("Show &Mistakes"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M),
                             QStringLiteral("Outline the digits and marks that the solution contradicts"));
    mistakes->setCheckable(true);
    connect(mistakes, &QAction::toggled, marks_, &MarkBoard::set_show_mistakes);
    view->addSeparator();
    QMenu* highlight = view->addMenu(QStringLiteral("&Highlight Digit"));
    for (int digit = 1; digit <= 9; ++digit) {
        QAction* action = item(highlight, QStringLiteral("highlightDigit%1").arg(digit), QString::number(digit),
                               QKeySequence(Qt::ALT | (Qt::Key_0 + digit)),
                               QStringLiteral("Tint the cells that hold %1 or may take it").arg(digit));
        connect(action, &QAction::triggered, this, [this, digit] { highlight_digit(digit); });
    }
    clear_highlight_ = item(view, QStringLiteral("clearHighlight"), QStringLiteral("C&lear Highlight"),
                            QKeySequence(Qt::Key_Escape), QStringLiteral("Tint no digit's cells"));
    clear_highlight_->setEnabled(false);
    connect(clear_highlight_, &QAction::triggered, this, [this] { highlight_digit(0); });

    pencil_indicator_ = new QLabel(QStringLiteral("Pencil"), this);
    pencil_indicator_->setObjectName(QStringLiteral("pencilIndicator"));
    pencil_indicator_->setToolTip(QStringLiteral("Pencil mode: digits typed toggle marks"));
    statusBar()->addPermanentWidget(pencil_indicator_);
    pencil_indicator_->hide();
}

void Sudoku::set_pencil_mode(bool on) {
    for (CellEdit* cell : cells_) cell->set_pencil_mode(on);
    pencil_indicator_->setVisible(on);
    announce(on ? QStringLiteral("Pencil mode: digits typed toggle marks") : QStringLiteral("Pencil mode off"));
}

void Sudoku::highlight_digit(int digit) {
    marks_->highlight(digit);
    clear_highlight_->setEnabled(digit != 0);
    announce(digit != 0 ? QStringLiteral("Digit %1 highlighted").arg(digit) : QStringLiteral("No digit highlighted"));
}

void Sudoku::announce(const QString& text) { statusBar()->showMessage(text, 4000); }

int Sudoku::focused_cell() const {
    for (int i = 0; i < kCellCount; ++i)
        if (cells_[i]->hasFocus()) return i;
    return -1;
}

}  // namespace varendo
