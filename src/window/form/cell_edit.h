#pragma once

#include <QLineEdit>

namespace varendo {

// One cell box of the grid. It edits its own digit; moving between cells is left to the
// window, and so are all Ctrl keys, which the window's menus take (Copy and Paste work on the
// whole puzzle): nothing reaches a cell except through typing or the program.
class CellEdit final : public QLineEdit {
    Q_OBJECT

public:
    // `row` and `column` name the cell to a screen reader.
    CellEdit(int row, int column, const QColor& background, QWidget* parent);

    // The colour of the digit and where a digit in that colour comes from ("Given"), as a
    // screen reader tells it; a digit the user types is "Typed" whatever its colour.
    void set_text_color(const QColor& color, const QString& origin);

signals:
    // An arrow key: move by this many rows and columns.
    void move_requested(int rows, int columns);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    QString origin_;
};

}  // namespace varendo
