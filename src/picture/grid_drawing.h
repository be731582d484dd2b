#pragma once

#include <QColor>
#include <QImage>
#include <QRawFont>
#include <array>
#include <cstdint>

namespace varendo {

// How a grid is drawn: its digits' face, its size and colours, as screens and pages show them.
struct GridLook {
    QRawFont face;                 // loaded from a font file at any size
    int cell = 32;                 // a cell's side in pixels
    double digit_height = 0.62;    // a digit's height as a share of the cell
    QColor paper = Qt::white;
    QColor ink = Qt::black;
    QColor lines = Qt::black;
    QColor other_ink;              // when valid, every third digit is drawn in this colour
    QColor box_shade;              // when valid, every other box is tinted with it
    int thin = 1;                  // the lines between cells, in pixels
    int thick = 3;                 // the lines between boxes and round the grid
    bool dotted = false;           // the thin lines drawn dotted
    bool pencil_marks = false;     // small candidate digits in the empty cells
    int margin = 16;               // paper round the grid
};

// A picture of a grid holding `digits` row by row (0 for an empty cell).
QImage draw_grid(const std::array<std::uint8_t, 81>& digits, const GridLook& look);

}  // namespace varendo
