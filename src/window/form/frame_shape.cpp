#include "window/form/frame_shape.h"

#include <QPainter>

namespace varendo {

FrameShape::FrameShape(const QRect& outline, int line_width, const QColor& color, QWidget* parent)
    : QWidget(parent), line_width_(line_width), color_(color) {
    const int outside = line_width / 2;
    const int inside = line_width - outside;
    setGeometry(outline.adjusted(-outside, -outside, inside, inside));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrameShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = line_width_;
    const QRect r = rect();
    painter.fillRect(0, 0, r.width(), w, color_);
    painter.fillRect(0, r.height() - w, r.width(), w, color_);
    painter.fillRect(0, w, w, r.height() - 2 * w, color_);
    painter.fillRect(r.width() - w, w, w, r.height() - 2 * w, color_);
}

}  // namespace varendo
