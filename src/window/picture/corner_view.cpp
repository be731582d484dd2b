#include "window/picture/corner_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace varendo {
namespace {

constexpr double kHandleRadius = 7;

}  // namespace

CornerView::CornerView(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(240, 240);
    setAccessibleName(QStringLiteral("Picture"));
    setAccessibleDescription(QStringLiteral("The grid as found; drag a corner, or press Tab to choose one and the arrow keys to move it"));
    setToolTip(QStringLiteral("Drag a corner onto the grid's corner; Tab chooses a corner, the arrow keys move it"));
}

void CornerView::set_corners(const Quad& corners) {
    corners_ = corners;
    update();
}

QSize CornerView::sizeHint() const { return picture_.size().scaled(460, 460, Qt::KeepAspectRatio); }

QTransform CornerView::to_widget() const {
    if (picture_.isNull()) return {};
    const double scale = std::min(width() / static_cast<double>(picture_.width()), height() / static_cast<double>(picture_.height()));
    const double left = (width() - picture_.width() * scale) / 2;
    const double top = (height() - picture_.height() * scale) / 2;
    return QTransform(scale, 0, 0, scale, left, top);
}

QPoint CornerView::corner_on_screen(int corner) const { return to_widget().map(corners_[corner]).toPoint(); }

void CornerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QTransform transform = to_widget();
    painter.setTransform(transform);
    painter.drawImage(0, 0, picture_);
    painter.resetTransform();
    QTransform grid;
    if (!QTransform::quadToQuad(QPolygonF({{0, 0}, {9, 0}, {9, 9}, {0, 9}}),
                                QPolygonF({transform.map(corners_[0]), transform.map(corners_[1]),
                                           transform.map(corners_[2]), transform.map(corners_[3])}),
                                grid))
        return;
    const QColor line(0x1c, 0x71, 0xd8);
    for (int i = 0; i <= 9; ++i) {
        painter.setPen(QPen(line, i % 3 == 0 ? 2.5 : 1));
        painter.drawLine(grid.map(QPointF(i, 0)), grid.map(QPointF(i, 9)));
        painter.drawLine(grid.map(QPointF(0, i)), grid.map(QPointF(9, i)));
    }
    for (int corner = 0; corner < 4; ++corner) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(corner == chosen_ && hasFocus() ? QColor(0xe0, 0x1b, 0x24) : line);
        painter.drawEllipse(transform.map(corners_[corner]), kHandleRadius, kHandleRadius);
    }
}

void CornerView::mousePressEvent(QMouseEvent* event) {
    dragged_ = -1;
    double nearest = kHandleRadius * 2.5;
    for (int corner = 0; corner < 4; ++corner) {
        const double distance = QLineF(event->position(), to_widget().map(corners_[corner])).length();
        if (distance < nearest) {
            nearest = distance;
            dragged_ = corner;
        }
    }
    if (dragged_ >= 0) chosen_ = dragged_;
    update();
}

void CornerView::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ < 0) return;
    const QPointF at = to_widget().inverted().map(event->position());
    corners_[dragged_] = QPointF(std::clamp(at.x(), 0.0, static_cast<double>(picture_.width())),
                                 std::clamp(at.y(), 0.0, static_cast<double>(picture_.height())));
    update();
}

void CornerView::mouseReleaseEvent(QMouseEvent* event) {
    if (dragged_ < 0) return;
    mouseMoveEvent(event);
    dragged_ = -1;
    emit cornersMoved(corners_);
}

void CornerView::keyPressEvent(QKeyEvent* event) {
    // One screen pixel a press, or ten with Shift.
    const double step = (event->modifiers() & Qt::ShiftModifier ? 10 : 1) / to_widget().m11();
    QPointF move;
    switch (event->key()) {
    case Qt::Key_Left: move = {-step, 0}; break;
    case Qt::Key_Right: move = {step, 0}; break;
    case Qt::Key_Up: move = {0, -step}; break;
    case Qt::Key_Down: move = {0, step}; break;
    default: QWidget::keyPressEvent(event); return;
    }
    corners_[chosen_] += move;
    update();
    emit cornersMoved(corners_);
}

// Tab runs through the four corners before it leaves the picture.
bool CornerView::focusNextPrevChild(bool next) {
    if (hasFocus() && (next ? chosen_ < 3 : chosen_ > 0)) {
        chosen_ += next ? 1 : -1;
        update();
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

}  // namespace varendo
