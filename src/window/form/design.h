#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

// The window's fixed design values. Positions and sizes come in twips, as the layout was
// drawn; 15 twips make one pixel at 96 dots per inch.
namespace varendo::design {

constexpr int pixels(int twips) { return twips / 15; }

constexpr QRect twips_rect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

constexpr QSize kClientSize{pixels(11325), pixels(8670)};

inline const QColor kWindowColor{255, 224, 192};
inline const QColor kOrange{255, 192, 128};
inline const QColor kFrameColor{255, 128, 0};
inline const QColor kLegendColor{192, 64, 0};
// The line where two cells meet.
inline const QColor kCellBorderColor{128, 128, 128};
// Solving by hand: pencil marks, the cells of the highlighted digit, and the outline of a
// mistake, in colours the form's own do not use.
inline const QColor kMarkColor{70, 70, 70};
inline const QColor kHighlightTint{200, 235, 160};
inline const QColor kMistakeColor{170, 0, 200};

// Arial where it is installed; otherwise fontconfig's stand-in for it, or any sans serif.
QFont arial(qreal points, bool bold);
// The bold face of the old Windows dialog font, mapped the same way.
QFont ms_sans_serif_bold(qreal points);

// Cell box index runs down the columns: index 9 is the top cell of the second column.
QRect cell_rect(int index);
// The 3x3 boxes form a checkerboard: the corner and centre boxes are orange.
QColor cell_background(int index);

}  // namespace varendo::design
