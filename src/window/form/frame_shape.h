#pragma once

#include <QColor>
#include <QWidget>

namespace varendo {

// A rectangle outline with no fill, for decoration only: it takes no mouse input and lies
// beneath the controls it frames. The line is centred on the outline, half of it outside.
class FrameShape final : public QWidget {
public:
    FrameShape(const QRect& outline, int line_width, const QColor& color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int line_width_;
    QColor color_;
};

}  // namespace varendo
