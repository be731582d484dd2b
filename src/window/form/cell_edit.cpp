#include "window/form/cell_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "window/form/design.h"

namespace varendo {

CellEdit::CellEdit(int row, int column, const QColor& background, QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAlignment(Qt::AlignCenter);
    setFont(design::arial(13.5, true));
    // Neither a drop nor the context menu's Paste may slip text past the window's own.
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, background);
    // A locked cell looks locked: a greyed checkerboard and the desktop's disabled text.
    colors.setColor(QPalette::Disabled, QPalette::Base, background.darker(115));
    colors.setColor(QPalette::Disabled, QPalette::Text, QApplication::palette().color(QPalette::Disabled, QPalette::Text));
    setPalette(colors);
    setAccessibleName(QStringLiteral("Row %1, column %2").arg(row).arg(column));
    connect(this, &QLineEdit::textEdited, this, [this] {
        origin_ = QStringLiteral("Typed");
        describe();
    });
    connect(this, &QLineEdit::textChanged, this, &CellEdit::describe);
    describe();
}

void CellEdit::set_text_color(const QColor& color, const QString& origin) {
    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) colors.setColor(group, QPalette::Text, color);
    setPalette(colors);
    origin_ = origin;
    describe();
}

void CellEdit::describe() {
    setAccessibleDescription(text().isEmpty() ? QStringLiteral("Empty") : origin_ + QStringLiteral(": ") + text());
}

bool CellEdit::event(QEvent* event) {
    // A line edit claims Ctrl keys (Ctrl+K deletes to the end of the line, Ctrl+C copies)
    // before any shortcut; left unclaimed, they reach the menus, which own them all.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->modifiers().testFlag(Qt::ControlModifier)) {
        return QWidget::event(event);
    }
    return QLineEdit::event(event);
}

void CellEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Typing into a cell replaces its digit, however the cell was reached.
    selectAll();
}

void CellEdit::mousePressEvent(QMouseEvent* event) {
    // A click would put the cursor after the digit, where the one-character limit refuses
    // every key.
    QLineEdit::mousePressEvent(event);
    selectAll();
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
