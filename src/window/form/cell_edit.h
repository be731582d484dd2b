#pragma once

#include <QLineEdit>

#include "commands/pencil_marks.h"

namespace varendo {

// Where an empty cell's marks are drawn within the cell: a keypad about as wide as it is high,
// so that the digits of a wide cell stay together.
QRectF marks_box(const QRectF& cell);

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

    // The pencil marks an empty cell shows, in small digits placed as on a phone keypad;
    // `tinted` draws the cell on the highlight's tint and `mistake` outlines it.
    void set_marks(Digits marks, bool tinted, bool mistake);
    Digits marks() const { return marks_; }
    bool tinted() const { return tinted_; }
    bool mistake() const { return mistake_; }
    // In pencil mode a digit typed toggles a mark instead of taking the cell.
    void set_pencil_mode(bool on) { pencil_mode_ = on; }

signals:
    // An arrow key: move by this many rows and columns.
    void move_requested(int rows, int columns);
    // A digit typed in pencil mode.
    void mark_requested(int digit);
    // Delete or Backspace in an empty cell.
    void clear_marks_requested();
    // Ctrl+click on a cell that holds a digit.
    void highlight_requested(int digit);

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
    QColor background_;
    Digits marks_ = 0;
    bool tinted_ = false;
    bool mistake_ = false;
    bool pencil_mode_ = false;
};

}  // namespace varendo
