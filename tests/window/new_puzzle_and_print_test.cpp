// New Puzzle, printing and PDF, through the menus as a person uses them. The PDF files are
// read back with poppler's tools (pdftotext, pdfinfo, pdftoppm); without them those tests skip.
#include <QtPrintSupport>
#include <atomic>
#include <thread>

#include "window/printing/booklet_dialog.h"
#include "window/printing/grid_painter.h"
#include "window/printing/print_pages.h"
#include "window_test.h"

namespace {

using varendo::GeneratedPuzzle;
using varendo::Level;

// The output of one of poppler's tools, ligatures ("ﬃ") taken apart; empty when it failed.
QString poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

QString pdf_text(const QString& pdf, int page) {
    return poppler("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-layout", pdf, "-"});
}

// The digits of the text's lines that hold nothing else, one line of them per grid row.
QString digit_rows(const QString& text) {
    QString rows;
    for (const QString& line : text.split(u'\n'))
        if (line.contains(QRegularExpression("^[1-9 ]+$"))) rows += QString(line).remove(u' ') + u'|';
    return rows;
}

int darkest(const QImage& image, const QRect& area) {
    int gray = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) gray = std::min(gray, qGray(image.pixel(x, y)));
    return gray;
}

}  // namespace

class NewPuzzleAndPrintTest : public WindowTest {
    Q_OBJECT

private:
    std::atomic<int> started_{0};
    std::atomic<int> stopped_{0};
    std::array<std::atomic<bool>, 4> released_{};  // by level: the generator may finish

    void freeze_and_solve() { click("cmdFreeze"); click("CmdSolve"); }
    void trigger(const char* name) { action(name)->trigger(); }
    QProgressDialog* progress(const char* name) const { return window_->findChild<QProgressDialog*>(QLatin1String(name)); }
    static void need_poppler() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("poppler-utils is not installed");
    }
    // The booklet dialog answered: to a PDF file, or with the count, level and places to a page given.
    void make_booklet(int count, const QString& level, const QString& per_page) {
        trigger("printBooklet");
        auto* dialog = window_->findChild<varendo::BookletDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QSpinBox*>("count")->setValue(count);
        dialog->findChild<QComboBox*>("level")->setCurrentText(level);
        dialog->findChild<QComboBox*>("perPage")->setCurrentText(per_page);
        dialog->findChild<QComboBox*>("destination")->setCurrentText("PDF file");
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

private slots:
    void init() {
        started_ = stopped_ = 0;
        for (std::atomic<bool>& released : released_) released = false;
        WindowTest::init();
        window_->puzzle_supply().set_stock(0);
    }

    void new_puzzle_difficult_is_loaded_as_typed_and_solve_rates_it_difficult() {
        QVERIFY(!action("anotherPuzzle")->isEnabled());
        trigger("newPuzzleDifficult");
        QTRY_VERIFY_WITH_TIMEOUT(grid() != QString(81, u'.'), 60000);
        const QString first = grid();
        // Loaded as a load is: typed digits, black, and Freeze next.
        QCOMPARE(cell(first.indexOf(QRegularExpression("[1-9]")))->palette().color(QPalette::Text), QColor(Qt::black));
        freeze_and_solve();
        QCOMPARE(window_->messages, QStringList{"Sudoku Solved"});
        QCOMPARE(caption("Label1"), "Difficulty     : 2 (Difficult)");
        // Another of the same level, by its keys.
        QTest::keySequence(window_.get(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
        QTRY_VERIFY_WITH_TIMEOUT(grid() != first && caption("Label1").isEmpty() && grid().contains(u'.'), 60000);
        freeze_and_solve();
        QCOMPARE(caption("Label1"), "Difficulty     : 2 (Difficult)");
    }

    void puzzles_made_ahead_come_at_once() {
        GeneratedPuzzle made;
        for (int i = 0; i < 81; ++i) made.puzzle[i] = kPuzzle[i] - '0';
        window_->puzzle_supply().set_generator([&](Level, std::uint64_t, varendo::Symmetry, const std::atomic<bool>*) {
            ++started_;
            return std::optional<GeneratedPuzzle>(made);
        });
        window_->puzzle_supply().set_stock(1);
        window_->puzzle_supply().fill();
        QTRY_VERIFY_WITH_TIMEOUT(started_ >= 4, 60000);  // made at idle priority
        QTest::qWait(200);  // the last one handed over
        QCOMPARE(started_.load(), 4);
        trigger("newPuzzleVeryDifficult");
        // No event has been handled since the click: the puzzle was there.
        QCOMPARE(grid(), shown(kPuzzle));
        // The stock is topped up again, and only the level taken needed one.
        QTRY_VERIFY_WITH_TIMEOUT(started_ >= 5, 60000);
        QTest::qWait(50);
        QCOMPARE(started_.load(), 5);
    }

    void a_puzzle_made_ahead_for_another_level_is_kept_while_one_is_awaited() {
        // Each level's puzzle carries its level + 1 in its first cell, once released.
        window_->puzzle_supply().set_generator([this](Level level, std::uint64_t, varendo::Symmetry, const std::atomic<bool>* cancel) {
            ++started_;
            while (!released_[static_cast<std::size_t>(level)] && !*cancel) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            GeneratedPuzzle made;
            for (int i = 0; i < 81; ++i) made.puzzle[i] = kPuzzle[i] - '0';
            made.puzzle[0] = static_cast<std::uint8_t>(static_cast<int>(level) + 1);
            return std::optional<GeneratedPuzzle>(made);
        });
        window_->puzzle_supply().set_stock(1);
        window_->puzzle_supply().fill();  // an Easy one first
        QTRY_COMPARE(started_.load(), 1);
        trigger("newPuzzleDifficult");
        QTRY_COMPARE(started_.load(), 2);
        released_[0] = true;
        QTRY_COMPARE(started_.load(), 3);  // the Easy one is made, and the next made ahead begins
        QCOMPARE(grid(), kEmptyGrid);
        released_[2] = true;
        QTRY_COMPARE(grid().left(2), QStringLiteral("3."));
        trigger("newPuzzleEasy");
        QCOMPARE(grid().left(2), QStringLiteral("1."));
    }

    void cancel_leaves_the_grid_as_it_was_and_closing_stops_the_generation() {
        window_->puzzle_supply().set_generator([this](Level, std::uint64_t, varendo::Symmetry, const std::atomic<bool>* cancel) {
            ++started_;
            while (!*cancel) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++stopped_;
            return std::optional<GeneratedPuzzle>();
        });
        click("cmdNew");
        QTest::keyClicks(cell(40), "5");
        trigger("newPuzzleEasy");
        QTRY_VERIFY(progress("newPuzzleProgress") && progress("newPuzzleProgress")->isVisible());
        QTest::mouseClick(progress("newPuzzleProgress")->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_VERIFY(stopped_ == 1 && !progress("newPuzzleProgress"));
        QCOMPARE(grid() + window_->messages.join(u'|'), QString(40, u'.') + u'5' + QString(40, u'.'));

        // Closing the window while a puzzle and a booklet are being made stops both.
        trigger("newPuzzleMedium");
        window_->chosen_file = path("booklet.pdf");
        make_booklet(12, "Easy", "4");
        QTRY_VERIFY(started_ >= 3);
        window_.reset();
        QCOMPARE(stopped_.load(), started_.load());
        QVERIFY(!QFileInfo::exists(path("booklet.pdf")));
    }

    void export_pdf_holds_the_grid_as_shown_and_the_difficulty_line() {
        need_poppler();
        enter(kPuzzle);
        click("CmdSolve");
        window_->chosen_file = path("solved");
        trigger("exportPdf");
        const QString pdf = path("solved.pdf");
        QString rows;
        for (int row = 0; row < 9; ++row) rows += QLatin1String(kSolution + 9 * row, 9) + u'|';
        const QString text = pdf_text(pdf, 1);
        QCOMPARE(digit_rows(text), rows);
        QVERIFY2(text.simplified().endsWith(caption("Label1").simplified()), qPrintable(text));

        // Givens black, the digits Solve placed grey: the darkest pixel of each cell tells.
        poppler("pdftoppm", {"-r", "40", "-gray", "-singlefile", pdf, path("page")});
        const QImage page(path("page.pgm"));
        QVERIFY(!page.isNull());
        QRect lines;  // the grid's outer lines: the black that spans the page's width
        for (int y = 0; y < page.height() && lines.isNull(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 40) lines = lines.united(QRect(x, y, 1, 1));
        const double side = lines.width() / 9.0;
        for (int i = 0; i < varendo::kCellCount; ++i) {
            const int gray = darkest(page, QRect(lines.left() + int(side * (i % 9 + 0.25)), lines.top() + int(side * (i / 9 + 0.25)), int(side / 2), int(side / 2)));
            QVERIFY2(kPuzzle[i] == '0' ? gray > 70 && gray < 180 : gray < 40, qPrintable(QString::number(i)));
        }

        // Where no file can go: a box, and no file.
        window_->chosen_file = path("missing/puzzle.pdf");
        trigger("exportPdf");
        QVERIFY(window_->messages.last().startsWith("Cannot save “") && !QFileInfo::exists(window_->chosen_file));
    }

    void the_grid_painter_draws_candidates_a_marked_cell_and_tinted_cells() {
        varendo::GridPicture picture;
        picture.candidates[0] = 1 << 1 | 1 << 5 | 1 << 9;
        picture.digits[80] = 7;
        picture.marked = 80;
        for (int cell = 36; cell < 45; ++cell) picture.tinted[cell] = true;
        QImage image(450, 450, QImage::Format_RGB32);  // cells of 50 pixels
        image.fill(Qt::white);
        QPainter painter(&image);
        const varendo::GridStyle style;
        varendo::paint_grid(painter, image.rect(), picture, style);
        painter.end();
        // Candidate d in the d-th place of a 3x3 keypad.
        for (int digit = 1; digit <= 9; ++digit)
            QCOMPARE(darkest(image, QRect(3 + (digit - 1) % 3 * 15, 3 + (digit - 1) / 3 * 15, 12, 12)) < 255, digit % 4 == 1);
        QCOMPARE(image.pixelColor(235, 205), style.tint);
        QCOMPARE(image.pixelColor(75, 165), QColor(Qt::white));
        const QColor mark = image.pixelColor(404, 425);
        QVERIFY2(mark.red() > 150 && mark.green() < 60 && darkest(image, QRect(410, 410, 30, 30)) < 255, qPrintable(mark.name()));

        // A booklet's solution: its givens bold and black, the other digits grey, as on the puzzle's page.
        GeneratedPuzzle made;
        for (int i = 0; i < 81; ++i) {
            made.puzzle[i] = kPuzzle[i] - '0';
            made.solution[i] = kSolution[i] - '0';
        }
        image.fill(Qt::white);
        painter.begin(&image);
        varendo::paint_grid(painter, image.rect(), varendo::solution_picture(made, QString()), style);
        painter.end();
        for (int i = 0; i < varendo::kCellCount; ++i) {
            const int gray = darkest(image, QRect(i % 9 * 50 + 10, i / 9 * 50 + 10, 30, 30));
            QVERIFY2(kPuzzle[i] == '0' ? gray > 70 && gray < 180 : gray < 40, qPrintable(QString::number(i)));
        }
    }

    void print_previews_the_grid_on_one_page() {
        QTest::keySequence(window_.get(), QKeySequence::Print);
        QPrintPreviewDialog* preview = nullptr;
        QTRY_VERIFY((preview = window_->findChild<QPrintPreviewDialog*>()) && preview->isVisible());
        QTRY_COMPARE(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 1);
        preview->reject();
        QTRY_VERIFY(!window_->findChild<QPrintPreviewDialog*>());
    }

    void a_booklet_of_12_very_difficult_puzzles_4_to_a_page_is_4_pages() {
        need_poppler();
        window_->chosen_file = path("booklet");
        make_booklet(12, "Very Difficult", "4");
        QTRY_VERIFY_WITH_TIMEOUT(!progress("bookletProgress"), 120000);
        QCOMPARE(window_->messages, QStringList());
        const QString pdf = path("booklet.pdf");
        QVERIFY(poppler("pdfinfo", {pdf}).contains(QRegularExpression("\nPages: +4\n")));
        for (int n = 1; n <= 12; ++n) {
            QVERIFY(pdf_text(pdf, (n - 1) / 4 + 1).contains(QStringLiteral("Puzzle %1: Very Difficult").arg(n)));
            QVERIFY(pdf_text(pdf, 4).contains(QStringLiteral("Solution %1").arg(n)));
        }
        // Twelve full solutions: 108 rows of nine digits, three grids beside each other.
        QCOMPARE(digit_rows(pdf_text(pdf, 4)).count(QRegularExpression("\\d{27}\\|")), 36);
    }

    void a_booklet_made_to_a_rating_heads_each_puzzle_with_its_er_in_the_range() {
        need_poppler();
        window_->chosen_file = path("rated");
        trigger("printBooklet");
        auto* dialog = window_->findChild<varendo::BookletDialog*>();
        dialog->findChild<QComboBox*>("level")->setCurrentText("By rating (ER)");
        dialog->findChild<QDoubleSpinBox*>("ratingFrom")->setValue(7.1);
        auto* to = dialog->findChild<QDoubleSpinBox*>("ratingTo");
        to->setValue(7.0);  // below the bottom: held at 7.1
        QCOMPARE(to->value(), 7.1);
        to->setValue(7.2);
        make_booklet(4, "By rating (ER)", "4");
        QTRY_VERIFY_WITH_TIMEOUT(!progress("bookletProgress"), 120000);
        QCOMPARE(window_->messages, QStringList());
        const QString text = pdf_text(path("rated.pdf"), 1);
        QCOMPARE(text.count(QRegularExpression("Puzzle \\d: ER 7\\.[12]\\b")), 4);
    }
};

QTEST_MAIN(NewPuzzleAndPrintTest)
#include "new_puzzle_and_print_test.moc"
