#include "window/printing/print_pages.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "logic/step_text.h"
#include "window/form/message_box.h"

namespace varendo {

namespace {

constexpr int kSolutionsPerPage = 12;

QRectF page_area(const QPagedPaintDevice& device) { return {0, 0, qreal(device.width()), qreal(device.height())}; }

// The pictures laid out in a table of `per_page` places on each page, page after page;
// the first page goes on the device as it is begun, so `fresh` says whether to start a new one.
void paint_pages(QPagedPaintDevice& device, QPainter& painter, const std::vector<GridPicture>& pictures,
                 int per_page, bool& fresh) {
    const int columns = per_page <= 2 ? 1 : per_page <= 6 ? 2 : 3;
    const int rows = (per_page + columns - 1) / columns;
    const QRectF page = page_area(device);
    const QSizeF place(page.width() / columns, page.height() / rows);
    const qreal gap = std::min(place.width(), place.height()) * 0.05;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const int slot = static_cast<int>(i % static_cast<std::size_t>(per_page));
        if (slot == 0 && !fresh) device.newPage();
        fresh = false;
        const QRectF area(page.left() + place.width() * (slot % columns),
                          page.top() + place.height() * (slot / columns), place.width(), place.height());
        paint_grid(painter, area.adjusted(gap, gap, -gap, -gap), pictures[i]);
    }
}

}  // namespace

QString level_name(Level level) {
    switch (level) {
    case Level::Easy: return QStringLiteral("Easy");
    case Level::Medium: return QStringLiteral("Medium");
    case Level::Difficult: return QStringLiteral("Difficult");
    case Level::VeryDifficult: return QStringLiteral("Very Difficult");
    }
    return {};
}

GridPicture puzzle_picture(const GeneratedPuzzle& puzzle, const QString& caption) {
    GridPicture picture;
    picture.digits = puzzle.puzzle;
    picture.roles.fill(DigitRole::Given);
    picture.caption = caption;
    return picture;
}

GridPicture solution_picture(const GeneratedPuzzle& puzzle, const QString& caption) {
    GridPicture picture;
    picture.digits = puzzle.solution;
    for (std::size_t cell = 0; cell < picture.roles.size(); ++cell)
        picture.roles[cell] = puzzle.puzzle[cell] != 0 ? DigitRole::Given : DigitRole::Placed;
    picture.caption = caption;
    return picture;
}

bool paint_page(QPagedPaintDevice& device, const GridPicture& picture) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRectF page = page_area(device);
    // As wide as the page, from its top: room for the caption, and paper below to work on.
    paint_grid(painter, QRectF(page.left(), page.top(), page.width(), std::min(page.height(), page.width() * 1.1)),
               picture);
    return painter.end();
}

bool paint_booklet(QPagedPaintDevice& device, const std::vector<GeneratedPuzzle>& puzzles, Level level,
                   int per_page) {
    std::vector<GridPicture> fronts;
    std::vector<GridPicture> backs;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const QString number = QString::number(i + 1);
        // A puzzle made to a rating is headed with its own ER.
        const QString kind = puzzles[i].er > 0 ? QStringLiteral("ER ") + QString::fromStdString(logic::rating_text(puzzles[i].er))
                                               : level_name(level);
        fronts.push_back(puzzle_picture(puzzles[i], QStringLiteral("Puzzle %1: %2").arg(number, kind)));
        backs.push_back(solution_picture(puzzles[i], QStringLiteral("Solution %1").arg(number)));
    }
    QPainter painter;
    if (!painter.begin(&device)) return false;
    bool fresh = true;
    paint_pages(device, painter, fronts, std::clamp(per_page, 1, kSolutionsPerPage), fresh);
    paint_pages(device, painter, backs, kSolutionsPerPage, fresh);
    return painter.end();
}

bool write_pdf(const QString& path, const QString& title, const std::function<bool(QPagedPaintDevice&)>& paint,
               QString& error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        bool painted = false;
        {
            // The writer is done with the file before the file is committed.
            QPdfWriter writer(&file);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Varendo"));
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            painted = paint(writer);
        }
        if (painted && file.commit()) return true;
    }
    error = QStringLiteral("Cannot save %1: %2").arg(quoted_path(path), file.errorString());
    return false;
}

QString with_pdf_suffix(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".pdf") : path;
}

}  // namespace varendo
