// Puzzle > Hint: the line under the form that tells, and the marks over the grid.
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "window/guidance/hint_guide.h"
#include "window/guidance/hint_overlay.h"
#include "window/sudoku.h"

namespace varendo {

void Sudoku::add_hint(QMenu* puzzle) {
    // The hint's line goes below the form, which keeps its size and its controls.
    auto* line = new QLabel(statusBar());
    line->setObjectName(QStringLiteral("hintLine"));
    line->setAccessibleName(QStringLiteral("Hint"));
    statusBar()->addWidget(line, 1);
    statusBar()->setSizeGripEnabled(false);
    hint_ = new HintGuide(commands_, *this, *history_, *marks_, *new HintOverlay(form_), *line, this);

    hint_action_ = puzzle->addAction(QStringLiteral("&Hint"));
    hint_action_->setObjectName(QStringLiteral("hint"));
    hint_action_->setShortcut(QKeySequence(Qt::Key_F2));
    hint_action_->setStatusTip(QStringLiteral("Show where the next step is; press again for its pattern, then take it"));
    connect(hint_action_, &QAction::triggered, hint_, &HintGuide::press);
    connect(hint_, &HintGuide::candidates_needed, this,
            [this] { findChild<QAction*>(QStringLiteral("showCandidates"))->setChecked(true); });
}

}  // namespace varendo
