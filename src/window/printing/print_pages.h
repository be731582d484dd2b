#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "commands/generator.h"
#include "window/printing/grid_painter.h"

class QPagedPaintDevice;

// Pages for the printer and for PDF files: one grid on a page, and booklets of generated
// puzzles with their solutions at the back. The same pages go to either device.
namespace varendo {

// The level's name as the difficulty legend writes it: "Easy" ... "Very Difficult".
QString level_name(Level level);

// The puzzle's givens alone; a solution with its givens apart from the digits it adds.
GridPicture puzzle_picture(const GeneratedPuzzle& puzzle, const QString& caption);
GridPicture solution_picture(const GeneratedPuzzle& puzzle, const QString& caption);

// One grid across the top of one page. False when the device cannot be painted on.
bool paint_page(QPagedPaintDevice& device, const GridPicture& picture);

// The puzzles `per_page` to a page (1, 2, 4 or 6), each captioned with its number and
// level, then their solutions, up to 12 to a page.
bool paint_booklet(QPagedPaintDevice& device, const std::vector<GeneratedPuzzle>& puzzles, Level level,
                   int per_page);

// Writes a PDF file with `paint`; the file is replaced only once all of it is written.
// False, with a text for the user in `error`, when it could not be.
bool write_pdf(const QString& path, const QString& title,
               const std::function<bool(QPagedPaintDevice&)>& paint, QString& error);

// The path with ".pdf" added when it has no suffix.
QString with_pdf_suffix(const QString& path);

}  // namespace varendo
