#include "window/form/cell_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "window/form/design.h"
#include "window/printing/grid_painter.h"

namespace varendo {

CellEdit::CellEdit(int row, int column, const QColor& background, QWidget* parent)
    : QLineEdit(parent), background_(background) {
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

void CellEdit::set_marks(Digits marks, bool tinted, bool mistake) {
    if (marks == marks_ && tinted == tinted_ && mistake == mistake_) return;
    if (tinted != tinted_) {
        QPalette colors = palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            colors.setColor(group, QPalette::Base, tinted ? design::kHighlightTint : background_);
        setPalette(colors);
    }
    marks_ = marks;
    tinted_ = tinted;
    mistake_ = mistake;
    describe();
    update();
}

void CellEdit::describe() {
    if (!text().isEmpty()) {
        setAccessibleDescription(origin_ + QStringLiteral(": ") + text());
        return;
    }
    QStringList digits;
    for (int digit = 1; digit <= 9; ++digit)
        if ((marks_ & digit_bit(digit)) != 0) digits << QString::number(digit);
    setAccessibleDescription(digits.isEmpty() ? QStringLiteral("Empty")
                                              : QStringLiteral("Empty, marks ") + digits.join(QStringLiteral(", ")));
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
    // Ctrl+click on a digit highlights it, as Alt and the digit do.
    if (event->modifiers() == Qt::ControlModifier && !text().isEmpty()) {
        emit highlight_requested(text().toInt());
        return;
    }
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
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (text().isEmpty()) {
                emit clear_marks_requested();
                return;
            }
            break;
        default: break;
        }
        if (pencil_mode_ && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9) {
            emit mark_requested(event->key() - Qt::Key_0);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CellEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button would paste the X11 selection straight into the cell.
    if (event->button() == Qt::MiddleButton) return;
    QLineEdit::mouseReleaseEvent(event);
}

QRectF marks_box(const QRectF& cell) {
    const qreal side = cell.height() - 2;
    const qreal width = std::min<qreal>(cell.width() - 4, side * 1.5);
    return {cell.left() + (cell.width() - width) / 2, cell.top() + 1, width, side};
}

void CellEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    if (text().isEmpty() && marks_ != 0) {
        QFont small = font();
        small.setBold(false);
        small.setPixelSize(height() / 3 - 1);
        painter.setFont(small);
        painter.setPen(design::kMarkColor);
        paint_candidates(painter, marks_box(rect()), marks_);
    }
    painter.setPen(design::kCellBorderColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The arrow keys move the focus about, so the focused cell must stand out.
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
    if (mistake_) {
        painter.setPen(QPen(design::kMistakeColor, 3));
        painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    }
}

}  // namespace varendo
