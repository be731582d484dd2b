#pragma once

#include <QWidget>

#include "commands/solve_path.h"
#include "window/printing/grid_painter.h"

class QListView;
class QPushButton;
class QTabWidget;

namespace varendo {

class LogicView;
class StepsModel;

// The grid of the Steps window, painted read-only from a picture.
class StepGrid final : public QWidget {
    Q_OBJECT

public:
    explicit StepGrid(QWidget* parent);

    void set_picture(const GridPicture& picture);
    const GridPicture& picture() const { return picture_; }

    QSize sizeHint() const override { return {400, 400}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GridPicture picture_;
    GridStyle style_;
};

// "Steps - Varendo": the path of the last Solve, placement by placement, beside the grid as
// it stood after the chosen row; and in a tab beside it the steps by logic of the frozen
// puzzle. It only shows: nothing here changes the main window.
class StepsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit StepsWindow(QWidget* parent);

    // Shows a copy of a path from its first row: the window keeps its own, whatever the
    // commands do with theirs.
    void show_path(const SolvePath& path);
    void clear() { show_path(SolvePath()); }
    LogicView& logic() { return *logic_; }
    // Opens the window beside `beside` the first time (moving `beside` over where only that
    // makes room beside it), and brings it to the front.
    void present(QWidget& beside);

    int current_row() const;
    const StepGrid& grid() const { return *grid_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void go_to(int row);
    void row_changed();

    SolvePath path_;
    QTabWidget* tabs_;
    LogicView* logic_;
    StepsModel* model_;
    QListView* list_;
    StepGrid* grid_;
    QPushButton* first_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* last_;
    bool placed_ = false;
};

}  // namespace varendo
