// Puzzle > Show Steps: the window that walks through the path of the last Solve.
#include <QMenu>
#include <QPushButton>

#include "window/steps/logic_view.h"
#include "window/steps/steps_window.h"
#include "window/sudoku.h"

namespace varendo {

void Sudoku::add_show_steps(QMenu* puzzle) {
    steps_ = new StepsWindow(this);
    // Solve records its path whether or not a step file is asked for.
    commands_.set_path_recording(true);
    for (Button command : {Button::New, Button::Freeze})
        connect(buttons_[static_cast<int>(command)], &QPushButton::clicked, steps_, &StepsWindow::clear);
    // The steps by logic follow the frozen givens.
    connect(buttons_[static_cast<int>(Button::New)], &QPushButton::clicked, &steps_->logic(), &LogicView::clear);
    connect(buttons_[static_cast<int>(Button::Freeze)], &QPushButton::clicked, this, [this] {
        if (commands_.frozen()) steps_->logic().show_puzzle(commands_.puzzle());
    });
    QAction* show = puzzle->addAction(QStringLiteral("Show S&teps"));
    show->setObjectName(QStringLiteral("showSteps"));
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    show->setStatusTip(QStringLiteral("Walk through the last Solve placement by placement, or the frozen puzzle step by logic"));
    connect(show, &QAction::triggered, this, [this] { steps_->present(*this); });
}

void Sudoku::show_solve_path() { steps_->show_path(commands_.path()); }

}  // namespace varendo
