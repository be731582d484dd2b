#include "picture/grid_drawing.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPen>

namespace varendo {
namespace {

// Draws one digit of `face` with its outline centred on `centre`, `height` pixels tall.
void draw_digit(QPainter& painter, QRawFont face, int digit, QPointF centre, double height) {
    const QString text = QString::number(digit);
    face.setPixelSize(100);
    const quint32 glyph = face.glyphIndexesForString(text).value(0);
    const QRectF at_100 = face.boundingRect(glyph);
    if (at_100.height() <= 0) return;
    face.setPixelSize(100 * height / at_100.height());
    const QRectF bounds = face.boundingRect(glyph);
    QGlyphRun run;
    run.setRawFont(face);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    painter.drawGlyphRun(centre - bounds.center(), run);
}

}  // namespace

QImage draw_grid(const std::array<std::uint8_t, 81>& digits, const GridLook& look) {
    const int side = 9 * look.cell;
    QImage picture(side + 2 * look.margin, side + 2 * look.margin, QImage::Format_RGB32);
    picture.fill(look.paper);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(look.margin, look.margin);
    if (look.box_shade.isValid())
        for (int box = 0; box < 9; box += 2)
            painter.fillRect(box % 3 * 3 * look.cell, box / 3 * 3 * look.cell, 3 * look.cell, 3 * look.cell, look.box_shade);
    for (int cell = 0; cell < 81; ++cell) {
        const QPointF centre((cell % 9 + 0.5) * look.cell, (cell / 9 + 0.5) * look.cell);
        if (digits[cell] != 0) {
            painter.setPen(look.other_ink.isValid() && cell % 3 == 1 ? look.other_ink : look.ink);
            draw_digit(painter, look.face, digits[cell], centre, look.cell * look.digit_height);
        } else if (look.pencil_marks) {
            painter.setPen(look.ink);
            for (int mark = cell % 4; mark < 9; mark += 3)
                draw_digit(painter, look.face, mark + 1,
                           centre + QPointF((mark % 3 - 1) * look.cell * 0.3, (mark / 3 - 1) * look.cell * 0.3),
                           look.cell * 0.2);
        }
    }
    for (int line = 0; line <= 9; ++line) {
        const bool thick = line % 3 == 0;
        QPen pen(look.lines, thick ? look.thick : look.thin, thick || !look.dotted ? Qt::SolidLine : Qt::DotLine);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        const double at = line * look.cell;
        painter.drawLine(QPointF(at, 0), QPointF(at, side));
        painter.drawLine(QPointF(0, at), QPointF(side, at));
    }
    return picture;
}

}  // namespace varendo
