#pragma once

#include <QImage>
#include <QWidget>

#include "picture/grid_finder.h"

namespace varendo {

// The picture, scaled to fit, with the grid at its four corners drawn over it. Each corner
// can be dragged with the mouse, or moved by the arrow keys after Tab chooses it; the grid's
// lines follow, and cornersMoved tells when a move is over.
class CornerView : public QWidget {
    Q_OBJECT

public:
    explicit CornerView(const QImage& picture, QWidget* parent = nullptr);

    const Quad& corners() const { return corners_; }
    void set_corners(const Quad& corners);
    // Where a corner is shown on the widget, for the tests that drag it.
    QPoint corner_on_screen(int corner) const;
    QSize sizeHint() const override;

signals:
    void cornersMoved(const varendo::Quad& corners);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The picture's place on the widget: its scale and top left.
    QTransform to_widget() const;

    QImage picture_;
    Quad corners_{};
    int dragged_ = -1;
    int chosen_ = 0;   // the corner the keys move
};

}  // namespace varendo
