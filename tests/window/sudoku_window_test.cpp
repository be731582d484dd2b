// The window driven as a person drives it: keys into the cells, clicks on the buttons.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "recording_sudoku.h"
#include "solver/units.h"

namespace {

// Row by row, '0' for an empty cell.
constexpr char kPuzzle[] =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
constexpr char kSolution[] =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";

const QColor kBlack{0, 0, 0};
const QColor kGiven{255, 100, 100};
const QColor kPlaced{0, 0, 255};
const QColor kOrange{255, 192, 128};
const QColor kWindowColor{255, 224, 192};

// The puzzle as the grid shows it: '.' for an empty cell.
QString shown(const char* grid) { return QString::fromLatin1(grid).replace(u'0', u'.'); }
const QString kEmptyGrid(81, u'.');
const QString kMedium = QStringLiteral("Difficulty     : 1 (Medium)");

}  // namespace

class SudokuWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<RecordingSudoku> window_;

    QLineEdit* cell(int index) const { return window_->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index)); }
    QLineEdit* cell(int row, int column) const { return cell(varendo::index_of(row, column)); }
    QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(QLatin1String(name)); }
    QString caption(const char* label) const { return window_->findChild<QLabel*>(QLatin1String(label))->text(); }
    static QColor text_color(const QLineEdit* box) { return box->palette().color(QPalette::Text); }
    QString step_file_path() const { return QDir(directory_->path()).filePath(QStringLiteral("steps.txt")); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // New, the puzzle typed row by row, Freeze, optionally Save to File ticked, then Solve.
    void solve(const char* puzzle, bool save_to_file = false) {
        click("cmdNew");
        for (int i = 0; i < varendo::kCellCount; ++i) QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), puzzle[i]);
        click("cmdFreeze");
        if (save_to_file) QTest::mouseClick(window_->findChild<QCheckBox*>(QStringLiteral("Check2")), Qt::LeftButton);
        click("CmdSolve");
    }

    // Row by row, '.' for an empty cell; a cell holding more than one character shows all of them.
    QString grid() const {
        QString text;
        for (int i = 0; i < varendo::kCellCount; ++i) text += cell(i / 9 + 1, i % 9 + 1)->text().leftJustified(1, u'.');
        return text;
    }

    // The buttons that take clicks, then "cells" if every cell takes keys ("some cells" if only some do).
    QString enabled() const {
        QStringList on;
        for (const char* name : {"cmdNew", "cmdFreeze", "cmdRestart", "CmdSolve"})
            if (button(name)->isEnabled()) on << QLatin1String(name);
        int cells = 0;
        for (int i = 0; i < varendo::kCellCount; ++i) cells += cell(i)->isEnabled() ? 1 : 0;
        if (cells > 0) on << (cells == varendo::kCellCount ? QStringLiteral("cells") : QStringLiteral("some cells"));
        return on.join(u' ');
    }

private slots:
    void init() {
        directory_ = std::make_unique<QTemporaryDir>();
        QVERIFY(directory_->isValid());
        window_ = std::make_unique<RecordingSudoku>(directory_->path());
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); directory_.reset(); }

    void the_window_as_it_opens() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Varendo - By Tamsiel"));
        QCOMPARE(window_->size(), QSize(755, 578));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMinMaxButtonsHint));

        // Cells are numbered down the columns; neighbours overlap by a pixel to share a border.
        QCOMPARE(cell(0)->geometry(), QRect(16, 104, 81, 41));
        QCOMPARE(cell(1)->geometry().top(), cell(0)->geometry().bottom());
        QCOMPARE(cell(9)->geometry(), QRect(16 + 80, 104, 81, 41));
        QCOMPARE(cell(80)->geometry(), QRect(16 + 8 * 80, 104 + 8 * 40, 81, 41));

        // Corner and centre boxes orange, edge boxes the window colour; a different cell of each box sampled.
        const QImage image = window_->grab().toImage();
        QCOMPARE(image.pixelColor(5, 80), kWindowColor);
        for (int box = 0; box < 9; ++box) {
            const QRect at = cell(box / 3 * 3 + box % 3 + 1, box % 3 * 3 + box / 3 + 1)->geometry();
            QCOMPARE(image.pixelColor(at.topLeft() + QPoint(4, 4)), box % 2 == 0 ? kOrange : kWindowColor);
        }

        // Only New responds before the first puzzle.
        QCOMPARE(enabled(), QStringLiteral("cmdNew"));
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        click("CmdSolve");
        QCOMPARE(grid(), kEmptyGrid);
        QVERIFY(window_->messages.isEmpty());
        QCOMPARE(caption("Label1") + caption("Label4"), QString());
    }

    void the_step_file_goes_beside_the_program() {
        varendo::Sudoku window;
        const auto& file = dynamic_cast<varendo::DiskStepFile&>(window.step_file());
        QCOMPARE(QString::fromStdString(file.path().string()),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/steps.txt"));
    }

    void only_digits_one_to_nine_stay_in_a_cell_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digit") << "7" << "7";
        QTest::newRow("nine") << "9" << "9";
        QTest::newRow("zero") << "0" << "";
        QTest::newRow("letter") << "a" << "";
        QTest::newRow("space") << " " << "";
        QTest::newRow("punctuation") << ".-+" << "";
        QTest::newRow("second digit refused") << "38" << "3";
        QTest::newRow("erased and retyped") << "3\b8" << "8";
    }

    void only_digits_one_to_nine_stay_in_a_cell() {
        QFETCH(QString, keys);
        QFETCH(QString, kept);
        click("cmdNew");
        QTest::keyClicks(cell(4, 6), keys);
        QCOMPARE(cell(4, 6)->text(), kept);
        QCOMPARE(text_color(cell(4, 6)), kBlack);
    }

    void new_freeze_and_restart() {
        click("cmdNew");
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        QTest::keyClicks(cell(9, 9), QStringLiteral("2"));
        click("cmdFreeze");
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cmdRestart CmdSolve cells"));
        QCOMPARE(text_color(cell(1, 1)), kGiven);
        QCOMPARE(text_color(cell(9, 9)), kGiven);
        // A digit typed now is no given until the next Freeze.
        QTest::keyClicks(cell(5, 5), QStringLiteral("4"));
        QCOMPARE(text_color(cell(5, 5)), kBlack);
        click("cmdRestart");
        QCOMPARE(grid(), u'5' + QString(79, u'.') + u'2');
    }

    void the_acceptance_puzzle_is_solved_restarted_and_cleared() {
        solve(kPuzzle);
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
        QCOMPARE(caption("Label1"), kMedium);
        QCOMPARE(caption("Label4"), QStringLiteral("No"));
        for (int i = 0; i < varendo::kCellCount; ++i)
            QCOMPARE(text_color(cell(i / 9 + 1, i % 9 + 1)), kPuzzle[i] == '0' ? kPlaced : kGiven);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!QFile::exists(step_file_path()));  // Save to File is not ticked.
        // The blue reaches the screen, not just the palette.
        const QImage image = window_->grab(cell(1, 1)->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        QVERIFY(std::count(pixels, pixels + image.width() * image.height(), kPlaced.rgb()) > 0);

        click("cmdRestart");
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kGiven);
        QCOMPARE(caption("Label1"), kMedium);

        click("cmdNew");
        QCOMPARE(grid(), kEmptyGrid);
        QCOMPARE(caption("Label1"), QString());
        QCOMPARE(text_color(cell(1, 3)), kBlack);
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
    }

    void a_repeated_given_is_reported_in_a_plain_modal_box() {
        // The real box this time; the window as context cancels the timer if no box comes.
        window_->intercept = false;
        QString seen;
        bool plain = false;
        QTimer::singleShot(0, window_.get(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            seen = box->windowTitle() + u'|' + box->text();
            plain = box->isModal() && box->icon() == QMessageBox::NoIcon &&
                    box->standardButtons() == QMessageBox::StandardButtons(QMessageBox::Ok);
            box->accept();
        });
        solve(QByteArray("77").leftJustified(varendo::kCellCount, '0').constData());
        QCOMPARE(seen, QStringLiteral("Varendo|   Validation failed for row 1 - The number 7 is getting repeated   1  10"));
        QVERIFY(plain);
        QCOMPARE(grid(), QStringLiteral("77") + QString(79, u'.'));
        QCOMPARE(caption("Label1"), QString());
    }

    void save_to_file_writes_every_placed_digit_data() {
        QTest::addColumn<QByteArray>("puzzle");
        QTest::newRow("one empty cell") << QByteArray(kSolution).replace(12, 1, "0");
        QTest::newRow("acceptance puzzle") << QByteArray(kPuzzle);
    }

    void save_to_file_writes_every_placed_digit() {
        QFETCH(QByteArray, puzzle);
        QFile file(step_file_path());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("from an earlier solve\r\n") > 0);
        file.close();

        solve(puzzle.constData(), true);
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        // One "\r\n" line per placed digit and nothing else; with one empty cell that is the whole file.
        QByteArrayList expected;
        for (int i = 0; i < varendo::kCellCount; ++i)
            if (puzzle[i] == '0')
                expected << QStringLiteral("\" Column %1 row %2  :Value%3\"\r")
                                .arg(i % 9 + 1).arg(i / 9 + 1).arg(kSolution[i]).toLatin1();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArrayList lines = file.readAll().split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        std::sort(lines.begin(), lines.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(lines, expected);
    }

    void a_step_file_that_cannot_be_written_stops_the_solve() {
        // A directory of that name stands where the file would go.
        QVERIFY(QDir(directory_->path()).mkdir(QStringLiteral("steps.txt")));
        solve(kPuzzle, true);
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Unable to write to the file.")});
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(caption("Label1"), QString());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void keys_move_between_cells() {
        click("cmdNew");
        cell(1, 1)->setFocus(Qt::OtherFocusReason);
        const auto press = [](Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            while (times-- > 0) QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            return QApplication::focusWidget();
        };
        // Arrows stop at the edges: nine presses cross eight cells.
        QCOMPARE(press(Qt::Key_Left), cell(1, 1));
        QCOMPARE(press(Qt::Key_Up), cell(1, 1));
        QCOMPARE(press(Qt::Key_Down, 9), cell(9, 1));
        QCOMPARE(press(Qt::Key_Right, 9), cell(9, 9));
        QCOMPARE(press(Qt::Key_Up), cell(8, 9));
        QCOMPARE(press(Qt::Key_Left), cell(8, 8));
        // Tab goes row by row.
        QCOMPARE(press(Qt::Key_Tab, 2), cell(9, 1));
        QCOMPARE(press(Qt::Key_Backtab, 1, Qt::ShiftModifier), cell(8, 9));
    }

    void pasting_a_puzzle_fills_the_grid_as_typed_and_copy_takes_it_back() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("9"));
        click("cmdFreeze");
        QApplication::clipboard()->setText(QStringLiteral("  ") + shown(kPuzzle) + QStringLiteral("\n"));
        QTest::keyClick(cell(5, 5), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kBlack);
        QCOMPARE(text_color(cell(1, 1)), kBlack);

        QTest::keyClicks(cell(9, 9), QStringLiteral("2"));
        QTest::keyClick(cell(5, 5), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), shown(kPuzzle).chopped(1) + u'2');

        // Zeros work as well as dots, and the pasted puzzle solves like a typed one.
        QApplication::clipboard()->setText(QString::fromLatin1(kPuzzle));
        QTest::keyClick(cell(9, 9), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid(), shown(kPuzzle));
        click("cmdFreeze");
        click("CmdSolve");
        QTest::keyClick(cell(2, 3), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(kSolution));
        // The work counters: no guesses, so the weighted sum is the pass count, 5 to 9 for Medium.
        button("Command19")->click();
        const QRegularExpressionMatch counters =
            QRegularExpression(QStringLiteral("^(\\d+) {4}0 {7}(\\d+)$")).match(caption("Label1"));
        QVERIFY2(counters.hasMatch(), qPrintable(caption("Label1")));
        QCOMPARE(counters.captured(1), counters.captured(2));
        QVERIFY(counters.captured(1).toInt() >= 5 && counters.captured(1).toInt() <= 9);
    }

    void other_clipboard_text_pastes_nothing_data() {
        QTest::addColumn<QString>("clipboard");
        const QString puzzle = QString::fromLatin1(kPuzzle);
        QTest::newRow("one digit") << "5";
        QTest::newRow("empty") << "";
        QTest::newRow("80 characters") << puzzle.left(80);
        QTest::newRow("82 characters") << puzzle + u'1';
        QTest::newRow("a letter inside") << QString(puzzle).replace(40, 1, u'x');
        QTest::newRow("a space inside") << QString(puzzle).replace(40, 1, u' ');
        QTest::newRow("two lines") << puzzle.left(40) + u'\n' + puzzle.mid(40);
    }

    void other_clipboard_text_pastes_nothing() {
        QFETCH(QString, clipboard);
        click("cmdNew");
        QTest::keyClicks(cell(3, 3), QStringLiteral("6"));
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(cell(3, 3), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(cell(4, 4), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(cell(4, 4), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(grid(), QString(20, u'.') + u'6' + QString(60, u'.'));
    }
};

QTEST_MAIN(SudokuWindowTest)
#include "sudoku_window_test.moc"
