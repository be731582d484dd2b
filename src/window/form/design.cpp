#include "window/form/design.h"

#include "solver/units.h"

namespace varendo::design {

namespace {

QFont named_font(const QString& family, qreal points, bool bold) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont arial(qreal points, bool bold) { return named_font(QStringLiteral("Arial"), points, bold); }

QFont ms_sans_serif_bold(qreal points) {
    return named_font(QStringLiteral("MS Sans Serif"), points, true);
}

QRect cell_rect(int index) {
    const int column = column_of_index(index);
    const int row = row_of_index(index);
    // The boxes are 15 twips larger than their pitch, so neighbours share one border line.
    return twips_rect(240 + 1200 * (column - 1), 1560 + 600 * (row - 1), 1215, 615);
}

QColor cell_background(int index) {
    const int box_column = (column_of_index(index) - 1) / 3;
    const int box_row = (row_of_index(index) - 1) / 3;
    return (box_column + box_row) % 2 == 0 ? kOrange : kWindowColor;
}

}  // namespace varendo::design
