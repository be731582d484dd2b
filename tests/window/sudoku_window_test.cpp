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
    static QWidget* focused() { return QApplication::focusWidget(); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Types one key into every cell, row by row.
    void type_grid(const char* keys) {
        for (int i = 0; i < varendo::kCellCount; ++i) QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), keys[i]);
    }

    QString grid() const {
        QString text;
        for (int i = 0; i < varendo::kCellCount; ++i) {
            const QString digit = cell(i / 9 + 1, i % 9 + 1)->text();
            text += digit.isEmpty() ? QStringLiteral(".") : digit;
        }
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

    void enter_and_freeze(const char* puzzle) {
        click("cmdNew");
        type_grid(puzzle);
        click("cmdFreeze");
    }

    QString step_file_path() const { return QDir(directory_->path()).filePath(QStringLiteral("steps.txt")); }

    void focus(QWidget* widget) {
        widget->setFocus(Qt::OtherFocusReason);
        QCOMPARE(focused(), widget);
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

    void cleanup() {
        window_.reset();
        directory_.reset();
    }

    void window_layout() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Varendo - By Tamsiel"));
        QCOMPARE(window_->size(), QSize(755, 578));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMinMaxButtonsHint));

        // Cells are numbered down the columns; neighbours overlap by a pixel to share a border.
        QCOMPARE(cell(0)->geometry(), QRect(16, 104, 81, 41));
        QCOMPARE(cell(1)->geometry().top(), cell(0)->geometry().bottom());
        QCOMPARE(cell(9)->geometry(), QRect(16 + 80, 104, 81, 41));
        QCOMPARE(cell(80)->geometry(), QRect(16 + 8 * 80, 104 + 8 * 40, 81, 41));

        const QImage image = window_->grab().toImage();
        QCOMPARE(image.pixelColor(5, 80), kWindowColor);
        const auto background = [&](int row, int column) {
            return image.pixelColor(cell(row, column)->geometry().topLeft() + QPoint(4, 4));
        };
        for (const QPoint& orange : {QPoint(1, 1), QPoint(3, 9), QPoint(5, 5), QPoint(9, 1), QPoint(7, 7)})
            QCOMPARE(background(orange.x(), orange.y()), kOrange);
        for (const QPoint& plain : {QPoint(1, 4), QPoint(5, 1), QPoint(5, 9), QPoint(9, 6)})
            QCOMPARE(background(plain.x(), plain.y()), kWindowColor);
    }

    void only_new_responds_before_the_first_puzzle() {
        QCOMPARE(enabled(), QStringLiteral("cmdNew"));
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        click("CmdSolve");
        QCOMPARE(grid(), kEmptyGrid);
        QVERIFY(window_->messages.isEmpty());
        QCOMPARE(caption("Label1"), QString());
        QCOMPARE(caption("Label4"), QString());
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
        QTest::newRow("letter then digit") << "x4" << "4";
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
        QCOMPARE(text_color(cell(1, 1)), kBlack);

        click("cmdFreeze");
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cmdRestart CmdSolve cells"));
        QCOMPARE(text_color(cell(1, 1)), kGiven);
        QCOMPARE(text_color(cell(9, 9)), kGiven);
        // A digit typed now is no given until the next Freeze.
        QTest::keyClicks(cell(5, 5), QStringLiteral("4"));
        QCOMPARE(text_color(cell(5, 5)), kBlack);

        click("cmdRestart");
        QCOMPARE(grid(), u'5' + QString(79, u'.') + u'2');
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cmdRestart CmdSolve cells"));
    }

    void the_acceptance_puzzle_is_solved() {
        enter_and_freeze(kPuzzle);
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
        QCOMPARE(caption("Label1"), QStringLiteral("Difficulty     : 1 (Medium)"));
        QCOMPARE(caption("Label4"), QStringLiteral("No"));
        for (int i = 0; i < varendo::kCellCount; ++i)
            QCOMPARE(text_color(cell(i / 9 + 1, i % 9 + 1)), kPuzzle[i] == '0' ? kPlaced : kGiven);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!QFile::exists(step_file_path()));  // Save to File is not ticked.
        // The blue reaches the screen, not just the palette.
        const QImage image = window_->grab(cell(1, 1)->geometry().adjusted(2, 2, -2, -2)).toImage();
        bool blue_drawn = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) blue_drawn |= image.pixelColor(x, y) == kPlaced;
        QVERIFY(blue_drawn);

        // No guesses, so the weighted sum is the number of passes; Medium means 5 to 9 passes.
        button("Command19")->click();
        const QRegularExpressionMatch counters =
            QRegularExpression(QStringLiteral("^(\\d+) {4}0 {7}(\\d+)$")).match(caption("Label1"));
        QVERIFY2(counters.hasMatch(), qPrintable(caption("Label1")));
        QCOMPARE(counters.captured(1), counters.captured(2));
        QVERIFY(counters.captured(1).toInt() >= 5 && counters.captured(1).toInt() <= 9);
    }

    void restart_after_a_solve_keeps_the_givens_and_new_clears_all() {
        enter_and_freeze(kPuzzle);
        click("CmdSolve");
        click("cmdRestart");
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kGiven);
        QCOMPARE(caption("Label1"), QStringLiteral("Difficulty     : 1 (Medium)"));

        click("cmdNew");
        QCOMPARE(grid(), kEmptyGrid);
        QCOMPARE(caption("Label1"), QString());
        QCOMPARE(text_color(cell(1, 3)), kBlack);
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
    }

    void a_repeated_given_shows_a_real_message_box() {
        varendo::Sudoku plain(directory_->path());
        plain.show();
        QTest::mouseClick(plain.findChild<QPushButton*>(QStringLiteral("cmdNew")), Qt::LeftButton);
        QTest::keyClicks(plain.findChild<QLineEdit*>(QStringLiteral("Text1_0")), QStringLiteral("7"));
        QTest::keyClicks(plain.findChild<QLineEdit*>(QStringLiteral("Text1_9")), QStringLiteral("7"));
        QTest::mouseClick(plain.findChild<QPushButton*>(QStringLiteral("cmdFreeze")), Qt::LeftButton);

        QString text, title;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QMessageBox::StandardButtons buttons;
        bool modal = false;
        // Closes the box once it is up; the window as context cancels it if no box comes.
        QTimer::singleShot(0, &plain, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            modal = box->isModal();
            box->accept();
        });
        QTest::mouseClick(plain.findChild<QPushButton*>(QStringLiteral("CmdSolve")), Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("   Validation failed for row 1 - The number 7 is getting repeated   1  10"));
        QCOMPARE(title, QStringLiteral("Varendo"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(modal);
        // The puzzle stays as it was, with no difficulty.
        QCOMPARE(plain.findChild<QLineEdit*>(QStringLiteral("Text1_9"))->text(), QStringLiteral("7"));
        QCOMPARE(plain.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString());
    }

    void save_to_file_writes_every_placed_digit_data() {
        QTest::addColumn<QByteArray>("puzzle");
        QByteArray one_empty(kSolution);
        one_empty[12] = '0';
        QTest::newRow("one empty cell") << one_empty;
        QTest::newRow("acceptance puzzle") << QByteArray(kPuzzle);
    }

    void save_to_file_writes_every_placed_digit() {
        QFETCH(QByteArray, puzzle);
        QFile file(step_file_path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("from an earlier solve\r\n");
        file.close();

        enter_and_freeze(puzzle.constData());
        QTest::mouseClick(window_->findChild<QCheckBox*>(QStringLiteral("Check2")), Qt::LeftButton);
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});

        // One line per placed digit and nothing else; the old content is gone.
        QByteArrayList expected;
        for (int i = 0; i < varendo::kCellCount; ++i) {
            if (puzzle[i] == '0')
                expected << QStringLiteral("\" Column %1 row %2  :Value%3\"\r\n")
                                .arg(i % 9 + 1).arg(i / 9 + 1).arg(kSolution[i]).toLatin1();
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QByteArrayList lines = bytes.split('\n');
        QVERIFY(lines.takeLast().isEmpty());
        for (QByteArray& line : lines) line += '\n';
        if (expected.size() == 1) QCOMPARE(bytes, expected.first());
        std::sort(lines.begin(), lines.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(lines, expected);
    }

    void a_step_file_that_cannot_be_written_stops_the_solve() {
        // A directory of that name stands where the file would go.
        QVERIFY(QDir(directory_->path()).mkdir(QStringLiteral("steps.txt")));
        enter_and_freeze(kPuzzle);
        QTest::mouseClick(window_->findChild<QCheckBox*>(QStringLiteral("Check2")), Qt::LeftButton);
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Unable to write to the file.")});
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(caption("Label1"), QString());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void keys_move_between_cells() {
        click("cmdNew");
        focus(cell(1, 1));
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(focused(), key, modifiers);
        };
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QCOMPARE(focused(), cell(1, 1));
        press(Qt::Key_Down);
        QCOMPARE(focused(), cell(2, 1));
        press(Qt::Key_Right);
        QCOMPARE(focused(), cell(2, 2));
        press(Qt::Key_Up);
        QCOMPARE(focused(), cell(1, 2));
        focus(cell(9, 9));
        press(Qt::Key_Down);
        press(Qt::Key_Right);
        QCOMPARE(focused(), cell(9, 9));
        press(Qt::Key_Left);
        QCOMPARE(focused(), cell(9, 8));
        // Tab goes row by row.
        focus(cell(1, 9));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), cell(2, 1));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), cell(1, 9));
    }

    void pasting_a_puzzle_fills_the_grid_as_typed() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("9"));
        click("cmdFreeze");
        QApplication::clipboard()->setText(QStringLiteral("  ") + shown(kPuzzle) + QStringLiteral("\n"));
        QTest::keyClick(cell(5, 5), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kBlack);
        QCOMPARE(text_color(cell(1, 1)), kBlack);

        // Zeros work as well as dots, and the pasted puzzle solves like a typed one.
        QApplication::clipboard()->setText(QString::fromLatin1(kPuzzle));
        QTest::keyClick(cell(9, 9), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid(), shown(kPuzzle));
        click("cmdFreeze");
        click("CmdSolve");
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
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

    void copy_takes_the_whole_grid() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 2), QStringLiteral("4"));
        QTest::keyClicks(cell(9, 1), QStringLiteral("7"));
        QTest::keyClick(cell(5, 5), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral(".4") + QString(70, u'.') + u'7' + QString(8, u'.'));

        enter_and_freeze(kPuzzle);
        click("CmdSolve");
        QTest::keyClick(cell(2, 3), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(kSolution));
    }
};

QTEST_MAIN(SudokuWindowTest)
#include "sudoku_window_test.moc"
