// Printing and PDF: the grid as shown, on paper or in a file, and booklets of generated
// puzzles with their solutions.
#include <QFutureWatcher>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <memory>

#include "logic/step_text.h"
#include "window/guidance/mark_board.h"
#include "window/printing/booklet_dialog.h"
#include "window/printing/print_pages.h"
#include "window/sudoku.h"

namespace varendo {

namespace {


}  // namespace

void Sudoku::add_print_actions(QMenu* file) {
    const auto add = [this, file](const char* name, const QString& text, const char* icon, auto slot) {
        QAction* action = file->addAction(QIcon::fromTheme(QLatin1String(icon)), text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    file->addSeparator();
    add("print", QStringLiteral("&Print…"), "document-print", &Sudoku::print)->setShortcuts(QKeySequence::Print);
    add("exportPdf", QStringLiteral("&Export PDF…"), "x-office-document", &Sudoku::export_pdf);
    add("printBooklet", QStringLiteral("Print &Booklet…"), "", &Sudoku::print_booklet);
}

GridPicture Sudoku::shown_picture() const {
    GridPicture picture;
    picture.digits = commands_.shown_grid();
    const Grid81 givens = commands_.puzzle();
    for (std::size_t cell = 0; cell < givens.size(); ++cell)
        picture.roles[cell] =
            givens[cell] != 0 && givens[cell] == picture.digits[cell] ? DigitRole::Given : DigitRole::Placed;
    picture.caption = labels_[static_cast<int>(Label::Label1)]->text();
    // The pencil marks as the cells show them: none unless some are on.
    picture.candidates = marks_->shown();
    return picture;
}

void Sudoku::print() {
    auto* preview = new QPrintPreviewDialog(this);
    preview->setObjectName(QStringLiteral("printPreview"));
    preview->setAttribute(Qt::WA_DeleteOnClose);
    // What was shown when Print was chosen, however often the preview is drawn again.
    connect(preview, &QPrintPreviewDialog::paintRequested, preview,
            [picture = shown_picture()](QPrinter* printer) { paint_page(*printer, picture); });
    preview->open();
}

void Sudoku::export_pdf() {
    const QString path = choose_file_in_last_folder(FileChoice::Pdf);
    if (path.isEmpty()) return;
    const GridPicture picture = shown_picture();
    QString error;
    if (!write_pdf(with_pdf_suffix(path), QStringLiteral("Sudoku"),
                   [&picture](QPagedPaintDevice& device) { return paint_page(device, picture); }, error))
        present_message(error);
}

void Sudoku::print_booklet() {
    // One dialog for the whole session, so that it offers the last choice again.
    if (!booklet_dialog_) {
        booklet_dialog_ = new BookletDialog(BookletChoice{}, this);
        connect(booklet_dialog_, &QDialog::accepted, this, [this] { make_booklet(booklet_dialog_->choice()); });
    }
    booklet_dialog_->open();
}

void Sudoku::make_booklet(const BookletChoice& choice) {
    // Where it goes is asked first, so that nobody waits for puzzles they then cancel.
    QString path;
    std::shared_ptr<QPrinter> printer;
    if (choice.to_pdf) {
        path = choose_file_in_last_folder(FileChoice::BookletPdf);
        if (path.isEmpty()) return;
        path = with_pdf_suffix(path);
    } else {
        printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(printer.get(), this);
        if (dialog.exec() != QDialog::Accepted) return;
    }

    PuzzleSupply::Batch batch =
        choice.rating ? supply_->make_rated(*choice.rating, choice.count) : supply_->make(choice.level, choice.count);
    const QString level = choice.rating ? QStringLiteral("ER %1-%2").arg(QString::fromStdString(logic::rating_text(choice.rating->low)),
                                                                          QString::fromStdString(logic::rating_text(choice.rating->high)))
                                        : level_name(choice.level);
    const QString making = choice.count == 1 ? QStringLiteral("Making a %1 puzzle…").arg(level)
                                             : QStringLiteral("Making %1 %2 puzzles…").arg(choice.count).arg(level);
    auto* progress = new QProgressDialog(making, QStringLiteral("Cancel"), 0, choice.count, this);
    progress->setObjectName(QStringLiteral("bookletProgress"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(kProgressDelay);
    // The first value starts the wait after which the box shows.
    progress->setValue(0);
    auto* watcher = new QFutureWatcher<std::optional<GeneratedPuzzle>>(progress);
    connect(watcher, &QFutureWatcherBase::progressValueChanged, progress, &QProgressDialog::setValue);
    connect(progress, &QProgressDialog::canceled, watcher, [batch]() mutable {
        *batch.cancel = true;
        batch.future.cancel();
    });
    connect(watcher, &QFutureWatcherBase::finished, this, [this, batch, progress, choice, level, path, printer] {
        progress->deleteLater();
        if (*batch.cancel) return;
        std::vector<GeneratedPuzzle> puzzles;
        for (const std::optional<GeneratedPuzzle>& puzzle : batch.future.results()) {
            if (!puzzle) {
                present_message(QStringLiteral("Not enough %1 puzzles could be made for the booklet.").arg(level));
                return;
            }
            puzzles.push_back(*puzzle);
        }
        const auto paint = [&](QPagedPaintDevice& device) {
            return paint_booklet(device, puzzles, choice.level, choice.per_page);
        };
        QString error;
        if (printer) {
            if (!paint(*printer)) present_message(QStringLiteral("The booklet could not be printed."));
        } else if (!write_pdf(path, QStringLiteral("Sudoku booklet"), paint, error)) {
            present_message(error);
        }
    });
    watcher->setFuture(batch.future);
}

}  // namespace varendo
