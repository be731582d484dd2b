#include "window/guidance/hint_overlay.h"

#include <QPainter>

#include "window/form/cell_edit.h"
#include "window/form/design.h"
#include "window/printing/grid_painter.h"

namespace varendo {

HintOverlay::HintOverlay(QWidget* form) : QWidget(form) {
    setObjectName(QStringLiteral("hintOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(design::cell_rect(0).united(design::cell_rect(kCellCount - 1)));
    raise();
}

void HintOverlay::mark(const std::array<bool, kCellCount>& tinted, int outlined) {
    tinted_ = tinted;
    outlined_ = outlined;
    update();
}

void HintOverlay::show_pattern(const StepPattern& pattern) {
    pattern_ = pattern;
    update();
}

void HintOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPoint origin = geometry().topLeft();
    // Multiplied into the cells beneath, so that their digits stay black and sharp.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (int i = 0; i < kCellCount; ++i) {
        if (tinted_[i]) painter.fillRect(design::cell_rect(i).translated(-origin), QColor(255, 255, 120));
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QPen outline(QColor(0, 110, 0), 4);
    for (int cell = 0; cell < kCellCount; ++cell) {
        const QRectF box = design::cell_rect(index_of(cell / 9 + 1, cell % 9 + 1)).translated(-origin);
        QFont small = design::arial(12, false);
        small.setPixelSize(qRound(box.height()) / 3 - 1);
        painter.setFont(small);
        paint_pattern(painter, marks_box(box), pattern_.candidates[cell], pattern_.eliminated[cell]);
        // Thinner than the hint's cell outline, to leave the marks inside readable.
        painter.setPen(QPen(outline.color(), 2));
        if (pattern_.cells[cell]) painter.drawRect(box.adjusted(1, 1, -2, -2));
    }
    if (outlined_ < 0) return;
    painter.setPen(outline);
    painter.drawRect(QRectF(design::cell_rect(outlined_).translated(-origin)).adjusted(3, 3, -4, -4));
}

}  // namespace varendo
