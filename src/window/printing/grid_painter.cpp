#include "window/printing/grid_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "solver/units.h"

namespace varendo {

namespace {

// Sizes as fractions of a cell's side.
constexpr qreal kCaptionHeight = 0.9;
constexpr qreal kThinLine = 0.02;
constexpr qreal kThickLine = 0.07;
constexpr qreal kMarkLine = 0.08;
constexpr qreal kDigitSize = 0.62;
constexpr qreal kCandidateSize = 0.26;
constexpr qreal kCaptionSize = 0.5;

QFont sized(QFont font, qreal pixels, bool bold) {
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

bool shaded_box(int cell) { return ((cell / 9 / 3) + (cell % 9 / 3)) % 2 == 0; }

QRectF cell_rect(const QRectF& square, int cell) {
    const qreal side = square.width() / 9;
    return {square.left() + side * (cell % 9), square.top() + side * (cell / 9), side, side};
}

void paint_backgrounds(QPainter& painter, const QRectF& square, const GridPicture& picture, const GridStyle& style) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        QColor fill = style.paper;
        if (style.shaded_boxes.isValid() && shaded_box(cell)) fill = style.shaded_boxes;
        if (picture.tinted[cell]) fill = style.tint;
        if (fill.isValid()) painter.fillRect(cell_rect(square, cell), fill);
    }
}

void paint_digits(QPainter& painter, const QRectF& square, const GridPicture& picture, const GridStyle& style) {
    const qreal side = square.width() / 9;
    const QFont given = sized(style.font, side * kDigitSize, true);
    const QFont placed = sized(style.font, side * kDigitSize, false);
    const QFont candidate = sized(style.font, side * kCandidateSize, false);
    for (int cell = 0; cell < kCellCount; ++cell) {
        const QRectF box = cell_rect(square, cell);
        if (const int digit = picture.digits[cell]; digit != 0) {
            const bool is_given = picture.roles[cell] == DigitRole::Given;
            QColor color = is_given ? style.given_digit : style.placed_digit;
            if (cell == picture.marked && style.marked_digit.isValid()) color = style.marked_digit;
            painter.setFont(is_given ? given : placed);
            painter.setPen(color);
            painter.drawText(box, Qt::AlignCenter, QString::number(digit));
            continue;
        }
        if (picture.candidates[cell] == 0) continue;
        painter.setFont(candidate);
        painter.setPen(style.candidate_digit);
        paint_candidates(painter, box, picture.candidates[cell]);
        paint_pattern(painter, box, picture.pattern[cell], picture.eliminated[cell]);
    }
}

void paint_lines(QPainter& painter, const QRectF& square, const GridStyle& style) {
    const qreal side = square.width() / 9;
    painter.setBrush(Qt::NoBrush);
    // Thin lines first, so that the box lines lie on top where they cross.
    for (const bool thick : {false, true}) {
        QPen pen(style.lines, side * (thick ? kThickLine : kThinLine));
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        for (int line = 0; line <= 9; ++line) {
            if ((line % 3 == 0) != thick) continue;
            const qreal x = square.left() + side * line;
            const qreal y = square.top() + side * line;
            painter.drawLine(QPointF(x, square.top()), QPointF(x, square.bottom()));
            painter.drawLine(QPointF(square.left(), y), QPointF(square.right(), y));
        }
    }
}

void paint_mark(QPainter& painter, const QRectF& square, int cell, const GridStyle& style) {
    const qreal side = square.width() / 9;
    const qreal width = side * kMarkLine;
    QPen pen(style.mark, width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = side * kThickLine / 2 + width / 2;
    painter.drawRect(cell_rect(square, cell).adjusted(inset, inset, -inset, -inset));
}

void paint_caption(QPainter& painter, const QRectF& square, const GridPicture& picture, const GridStyle& style) {
    const qreal side = square.width() / 9;
    const QRectF line(square.left(), square.bottom(), square.width(), side * kCaptionHeight);
    QFont font = sized(style.font, side * kCaptionSize, true);
    // A long caption is set smaller rather than cut.
    const qreal width = QFontMetricsF(font, painter.device()).horizontalAdvance(picture.caption);
    if (width > line.width()) font = sized(style.font, side * kCaptionSize * line.width() / width, true);
    painter.setFont(font);
    painter.setPen(style.caption_text);
    painter.drawText(line, Qt::AlignCenter, picture.caption);
}

}  // namespace

namespace {

// Digit d sits in the d-th place of a 3x3 keypad, 1 at the top left.
QRectF keypad_place(const QRectF& box, int digit) {
    return {box.left() + box.width() * ((digit - 1) % 3) / 3, box.top() + box.height() * ((digit - 1) / 3) / 3,
            box.width() / 3, box.height() / 3};
}

}  // namespace

void paint_candidates(QPainter& painter, const QRectF& box, std::uint16_t candidates) {
    for (int digit = 1; digit <= 9; ++digit) {
        if ((candidates & (1u << digit)) == 0) continue;
        painter.drawText(keypad_place(box, digit), Qt::AlignCenter, QString::number(digit));
    }
}

void paint_pattern(QPainter& painter, const QRectF& box, std::uint16_t pattern, std::uint16_t eliminated) {
    if ((pattern | eliminated) == 0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int digit = 1; digit <= 9; ++digit) {
        const bool makes = (pattern & (1u << digit)) != 0;
        const bool struck = (eliminated & (1u << digit)) != 0;
        if (!makes && !struck) continue;
        const QRectF place = keypad_place(box, digit);
        const qreal side = std::min(place.width(), place.height());
        const QRectF disc(place.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
        // Drawn over whatever shows there, so the digit reads the same with marks on or off.
        painter.setPen(Qt::NoPen);
        painter.setBrush(makes ? QColor(120, 200, 255) : QColor(255, 225, 225));
        painter.drawEllipse(disc);
        painter.setPen(makes ? QColor(0, 0, 120) : QColor(210, 0, 0));
        painter.drawText(place, Qt::AlignCenter, QString::number(digit));
        if (struck) painter.drawLine(disc.bottomLeft(), disc.topRight());
    }
    painter.restore();
}

QRectF grid_square(const QRectF& area, const GridPicture& picture) {
    const qreal caption = picture.caption.isEmpty() ? 0 : kCaptionHeight / 9;
    const qreal side = std::min(area.width(), area.height() / (1 + caption));
    const qreal height = side * (1 + caption);
    return {area.left() + (area.width() - side) / 2, area.top() + (area.height() - height) / 2, side, side};
}

void paint_grid(QPainter& painter, const QRectF& area, const GridPicture& picture, const GridStyle& style) {
    const QRectF square = grid_square(area, picture);
    if (square.width() <= 0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paint_backgrounds(painter, square, picture, style);
    paint_digits(painter, square, picture, style);
    paint_lines(painter, square, style);
    for (int cell = 0; cell < kCellCount; ++cell)
        if (picture.outlined[cell]) paint_mark(painter, square, cell, style);
    if (picture.marked >= 0 && picture.marked < kCellCount) paint_mark(painter, square, picture.marked, style);
    if (!picture.caption.isEmpty()) paint_caption(painter, square, picture, style);
    painter.restore();
}

}  // namespace varendo
