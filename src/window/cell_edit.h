#pragma once

#include <QLineEdit>

namespace varendo {

// One cell box of the grid. It edits its own digit; moving between cells and copying or
// pasting a whole puzzle are left to the window, so that nothing reaches a cell except
// through typing or the program.
class CellEdit final : public QLineEdit {
    Q_OBJECT

public:
    CellEdit(const QColor& background, QWidget* parent);

    void set_text_color(const QColor& color);

signals:
    // An arrow key: move by this many rows and columns.
    void move_requested(int rows, int columns);
    void copy_requested();
    void paste_requested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace varendo
