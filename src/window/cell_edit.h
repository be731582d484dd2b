#pragma once

#include <QLineEdit>

namespace varendo {

// One cell box of the grid. It edits its own digit; moving between cells is left to the
// window, and so are the keys of Copy, Paste, Undo and Redo, which the window's menu takes for
// the whole puzzle: nothing reaches a cell except through typing or the program.
class CellEdit final : public QLineEdit {
    Q_OBJECT

public:
    CellEdit(const QColor& background, QWidget* parent);

    void set_text_color(const QColor& color);

signals:
    // An arrow key: move by this many rows and columns.
    void move_requested(int rows, int columns);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace varendo
