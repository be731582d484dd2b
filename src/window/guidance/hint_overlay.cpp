#include "window/guidance/hint_overlay.h"

#include <QPainter>

#include "window/form/design.h"

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

void HintOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPoint origin = geometry().topLeft();
    // Multiplied into the cells beneath, so that their digits stay black and sharp.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (int i = 0; i < kCellCount; ++i) {
        if (tinted_[i]) painter.fillRect(design::cell_rect(i).translated(-origin), QColor(255, 255, 120));
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (outlined_ < 0) return;
    painter.setPen(QPen(QColor(0, 110, 0), 4));
    painter.drawRect(QRectF(design::cell_rect(outlined_).translated(-origin)).adjusted(3, 3, -4, -4));
}

}  // namespace varendo
