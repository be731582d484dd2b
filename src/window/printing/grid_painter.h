#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>

#include "solver/exact_search.h"

class QPainter;

// The one drawing of a 9x9 grid, for every place a grid is shown outside the form's cell
// boxes: the printer, PDF files and the Steps window. It paints into any QPainter (a widget,
// a QPrinter, a QPdfWriter) and knows nothing of the window: callers describe the picture
// in a GridPicture and its looks in a GridStyle.
//
// Cells here are indexed row by row (index = 9 * (row - 1) + (column - 1)), as Grid81 is,
// not down the columns as the form's cell boxes are.
namespace varendo {

// Where a digit came from: the puzzle's givens are drawn apart from every other digit
// (placed by Solve, typed after Freeze, or a solution's).
enum class DigitRole : std::uint8_t { Placed, Given };

struct GridPicture {
    Grid81 digits{};                       // 1..9, 0 for an empty cell
    std::array<DigitRole, 81> roles{};     // for the cells that hold a digit
    std::array<std::uint16_t, 81> candidates{};  // bit d for digit d; drawn small in empty cells
    int marked = -1;                       // the cell outlined (the newest digit), -1 for none
    std::array<bool, 81> tinted{};         // cells drawn on the tint (the unit that decided a step)
    // A technique's pattern (bit d for digit d): candidates that make it, candidates it
    // strikes, and its cells outlined.
    std::array<std::uint16_t, 81> pattern{};
    std::array<std::uint16_t, 81> eliminated{};
    std::array<bool, 81> outlined{};
    QString caption;                       // one line under the grid; none when empty
};

// The defaults are for paper: black givens in bold, grey other digits, white cells.
struct GridStyle {
    QColor paper = Qt::white;              // every cell's background; no fill when invalid
    QColor shaded_boxes;                   // the corner and centre boxes instead, when valid
    QColor tint{255, 236, 150};
    QColor given_digit = Qt::black;
    QColor placed_digit{110, 110, 110};
    QColor candidate_digit{110, 110, 110};
    QColor marked_digit;                   // the marked cell's digit; its role's colour when invalid
    QColor mark{200, 0, 0};                // the marked cell's outline
    QColor lines = Qt::black;
    QColor caption_text = Qt::black;
    QFont font;                            // family and style; the sizes follow the cells
};

// Draws the digits of a candidate mask (bit d for digit d) small in a cell's box, in the
// painter's font and pen: the printed grid's candidates and the form's pencil marks.
void paint_candidates(QPainter& painter, const QRectF& box, std::uint16_t candidates);

// Draws a pattern over a cell's candidates laid out as paint_candidates lays them: the digits
// that make it on a coloured disc, the ones it strikes in red and crossed out, in the
// painter's font.
void paint_pattern(QPainter& painter, const QRectF& box, std::uint16_t pattern, std::uint16_t eliminated);

// The square the grid takes in `area`: as large as fits beside the caption line, centred.
QRectF grid_square(const QRectF& area, const GridPicture& picture);

// Draws the grid (and its caption, below it) into `area`, scaled to fit; lines and digits
// scale with the cells, so the same call serves a small booklet grid and a full page.
void paint_grid(QPainter& painter, const QRectF& area, const GridPicture& picture,
                const GridStyle& style = {});

}  // namespace varendo
