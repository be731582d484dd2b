// Puzzle > Show Steps: the window that walks through the path of the last Solve.
#include <QMenu>
#include <QPushButton>

#include "window/steps/steps_window.h"
#include "window/sudoku.h"

namespace varendo {

void Sudoku::add_show_steps(QMenu* puzzle) {
    steps_ = new StepsWindow(this);
    // Solve records its path whether or not a step file is asked for.
    commands_.set_path_recording(true);
    for (Button command : {Button::New, Button::Freeze})
        connect(buttons_[static_cast<int>(command)], &QPushButton::clicked, steps_, &StepsWindow::clear);
    QAction* show = puzzle->addAction(QStringLiteral("Show S&teps"));
    show->setObjectName(QStringLiteral("showSteps"));
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    show->setStatusTip(QStringLiteral("Walk through the last Solve placement by placement"));
    connect(show, &QAction::triggered, this, [this] { steps_->present(*this); });
}

void Sudoku::show_solve_path() { steps_->show_path(commands_.path()); }

}  // namespace varendo
