#include "window/cell_edit.h"

#include <QKeyEvent>
#include <QPainter>

#include "window/design.h"

namespace varendo {

CellEdit::CellEdit(const QColor& background, QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    setFont(design::arial(13.5, true));
    // Neither a drop nor the context menu's Paste may slip text past the window's own.
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    QPalette colors = palette();
    // Set for every colour group, so that a disabled cell keeps its checkerboard colour.
    colors.setColor(QPalette::Base, background);
    setPalette(colors);
}

void CellEdit::set_text_color(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
}

bool CellEdit::event(QEvent* event) {
    // A line edit claims these keys before any shortcut; left unclaimed, they reach the menu.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (const QKeySequence::StandardKey window_key :
             {QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo}) {
            if (key->matches(window_key)) return QWidget::event(event);
        }
    }
    return QLineEdit::event(event);
}

void CellEdit::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Up: emit move_requested(-1, 0); return;
        case Qt::Key_Down: emit move_requested(1, 0); return;
        case Qt::Key_Left: emit move_requested(0, -1); return;
        case Qt::Key_Right: emit move_requested(0, 1); return;
        default: break;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CellEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button would paste the X11 selection straight into the cell.
    if (event->button() == Qt::MiddleButton) return;
    QLineEdit::mouseReleaseEvent(event);
}

void CellEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(design::kCellBorderColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The arrow keys move the focus about, so the focused cell must stand out.
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
}

}  // namespace varendo
