#pragma once

#include <QFutureWatcher>
#include <QWidget>

#include "commands/technique_hint.h"

class QLabel;
class QListWidget;

namespace varendo {

class StepGrid;

// The Logic tab of the Steps window: the human ladder's steps from the frozen givens, one row
// each with its rating, the grid before the chosen step with its pattern drawn as Hint draws
// it, and a summary line. The path is worked out away from the window, which stays live.
class LogicView final : public QWidget {
    Q_OBJECT

public:
    explicit LogicView(QWidget* parent);

    // Works out the path of a frozen puzzle; what was shown goes at once.
    void show_puzzle(const Grid81& givens);
    void clear();

    bool busy() const { return watcher_.isRunning(); }
    QString summary() const;

private:
    void path_found();
    void row_changed();

    Grid81 givens_{};
    LogicalReport report_;
    QFutureWatcher<LogicalReport> watcher_;
    QLabel* summary_;
    QListWidget* list_;
    StepGrid* grid_;
};

}  // namespace varendo
