// The window driven as a person drives it: keys into the cells and the menus, clicks on the
// buttons, files and text dropped on it.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
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

// kPuzzle on nine lines, with a line of separators.
QByteArray nine_lines() {
    QByteArray text;
    for (int row = 0; row < 9; ++row) text += QByteArray(kPuzzle + 9 * row, 9).replace('0', " . ") + (row == 2 ? "\n---+---\n" : "\n");
    return text;
}

QString native(const QString& path) { return u'“' + QDir::toNativeSeparators(path) + u'”'; }

}  // namespace

class SudokuWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<RecordingSudoku> window_;

    QLineEdit* cell(int index) const { return window_->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index)); }
    QLineEdit* cell(int row, int column) const { return cell(varendo::index_of(row, column)); }
    QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(QLatin1String(name)); }
    QAction* action(const char* name) const { return window_->findChild<QAction*>(QLatin1String(name)); }
    QString caption(const char* label) const { return window_->findChild<QLabel*>(QLatin1String(label))->text(); }
    static QColor text_color(const QLineEdit* box) { return box->palette().color(QPalette::Text); }
    QString path(const QString& name) const { return QDir(directory_->path()).filePath(name); }
    QString step_file_path() const { return path(QStringLiteral("steps.txt")); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // A menu's keys, pressed in a cell that could take them once cells are open.
    void press(const QKeySequence& keys) {
        cell(5, 5)->setFocus(Qt::OtherFocusReason);
        QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(), keys);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(name));
        return file.fileName();
    }

    // New, the puzzle typed row by row, Freeze.
    void enter(const char* puzzle) {
        click("cmdNew");
        for (int i = 0; i < varendo::kCellCount; ++i) QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), puzzle[i]);
        click("cmdFreeze");
    }

    // Entered, optionally Save to File ticked, then Solve.
    void solve(const char* puzzle, bool save_to_file = false) {
        enter(puzzle);
        if (save_to_file) QTest::mouseClick(window_->findChild<QCheckBox*>(QStringLiteral("Check2")), Qt::LeftButton);
        click("CmdSolve");
    }

    void drop(QMimeData* data) {
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &drop);
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
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
        // The form keeps its design size under the menu bar, and the window cannot be resized.
        QWidget* form = window_->centralWidget();
        QCOMPARE(form->geometry(), QRect(0, window_->menuBar()->height(), 755, 578));
        QCOMPARE(window_->size(), QSize(755, 578 + window_->menuBar()->height()));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMinMaxButtonsHint));

        // Cells are numbered down the columns; neighbours overlap by a pixel to share a border.
        QCOMPARE(cell(0)->geometry(), QRect(16, 104, 81, 41));
        QCOMPARE(cell(1)->geometry().top(), cell(0)->geometry().bottom());
        QCOMPARE(cell(9)->geometry(), QRect(16 + 80, 104, 81, 41));
        QCOMPARE(cell(80)->geometry(), QRect(16 + 8 * 80, 104 + 8 * 40, 81, 41));

        // Corner and centre boxes orange, edge boxes the window colour; a different cell of each box sampled.
        const QImage image = form->grab().toImage();
        QCOMPARE(image.pixelColor(5, 80), kWindowColor);
        for (int box = 0; box < 9; ++box) {
            const QRect at = cell(box / 3 * 3 + box % 3 + 1, box % 3 * 3 + box / 3 + 1)->geometry();
            QCOMPARE(image.pixelColor(at.topLeft() + QPoint(4, 4)), box % 2 == 0 ? kOrange : kWindowColor);
        }

        action("about")->trigger();
        QVERIFY(window_->messages.value(0).startsWith(QStringLiteral("Varendo " VARENDO_VERSION "\n")));
        QVERIFY(window_->messages.value(0).endsWith(QStringLiteral("MIT licence")));

        // Only New responds before the first puzzle.
        window_->messages.clear();
        QCOMPARE(enabled(), QStringLiteral("cmdNew"));
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        click("CmdSolve");
        QCOMPARE(grid(), kEmptyGrid);
        QVERIFY(window_->messages.isEmpty());
        QCOMPARE(caption("Label1") + caption("Label4"), QString());
        press(QKeySequence(Qt::CTRL | Qt::Key_Q));
        QVERIFY(!window_->isVisible());
    }

    void only_digits_one_to_nine_stay_in_a_cell_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digit") << "7" << "7";
        QTest::newRow("nine") << "9" << "9";
        QTest::newRow("zero, a letter, a space, punctuation") << "0a .-+" << "";
        QTest::newRow("second digit refused") << "38" << "3";
        QTest::newRow("erased and retyped") << "3\b8" << "8";
    }

    void only_digits_one_to_nine_stay_in_a_cell() {
        QFETCH(QString, keys);
        QFETCH(QString, kept);
        click("cmdNew");
        QTest::keyClicks(cell(4, 6), keys);
        QCOMPARE(cell(4, 6)->text(), kept);
    }

    void entry_solve_restart_and_new() {
        click("cmdNew");
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
        enter(kPuzzle);
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cmdRestart CmdSolve cells"));
        // Digits typed after Freeze are no givens; one typed over a given comes back at Solve.
        QTest::keyClicks(cell(1, 1), QStringLiteral("4"));
        QCOMPARE(text_color(cell(1, 1)), kBlack);
        QTest::keyClicks(cell(1, 3), QStringLiteral("\b9"));
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
        QCOMPARE(caption("Label1"), kMedium);
        QCOMPARE(caption("Label4"), QStringLiteral("No"));
        for (int i = 0; i < varendo::kCellCount; ++i)
            QCOMPARE(text_color(cell(i / 9 + 1, i % 9 + 1)), kPuzzle[i] == '0' ? kPlaced : kGiven);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!QFile::exists(step_file_path()));  // Save to File is not ticked.
        // The blue reaches the screen, not just the palette.
        const QImage image = window_->centralWidget()->grab(cell(1, 1)->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        QVERIFY(std::count(pixels, pixels + image.width() * image.height(), kPlaced.rgb()) > 0);
        // The work counters: no guesses, so the weighted sum is the pass count, 5 to 9 for Medium.
        button("Command19")->click();
        const QRegularExpressionMatch counters =
            QRegularExpression(QStringLiteral("^(\\d+) {4}0 {7}(\\d+)$")).match(caption("Label1"));
        QVERIFY2(counters.hasMatch(), qPrintable(caption("Label1")));
        QCOMPARE(counters.captured(1), counters.captured(2));
        QVERIFY(counters.captured(1).toInt() >= 5 && counters.captured(1).toInt() <= 9);

        click("cmdRestart");
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kGiven);
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
        write(QStringLiteral("steps.txt"), "from an earlier solve\r\n");
        QVERIFY(!action("openStepFile")->isEnabled());  // none written yet

        solve(puzzle.constData(), true);
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        // One "\r\n" line per placed digit and nothing else; with one empty cell that is the whole file.
        QByteArrayList expected;
        for (int i = 0; i < varendo::kCellCount; ++i)
            if (puzzle[i] == '0')
                expected << QStringLiteral("\" Column %1 row %2  :Value%3\"\r")
                                .arg(i % 9 + 1).arg(i / 9 + 1).arg(kSolution[i]).toLatin1();
        QFile file(step_file_path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArrayList lines = file.readAll().split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        std::sort(lines.begin(), lines.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(lines, expected);

        QVERIFY(action("openStepFile")->isEnabled());
        action("openStepFile")->trigger();
        QCOMPARE(window_->shown_files, QList<QUrl>{QUrl::fromLocalFile(step_file_path())});
    }

    void a_step_file_that_cannot_be_written_is_the_only_box_over_the_puzzle() {
        // A directory of that name stands where the file would go: the run never starts.
        QVERIFY(QDir(directory_->path()).mkdir(QStringLiteral("steps.txt")));
        solve(kPuzzle, true);
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Unable to write to the file.")});
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(caption("Label1"), QString());
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!action("openStepFile")->isEnabled());

        // A full disk shows when the file is closed, after the run.
        if (!QFile::exists(QStringLiteral("/dev/full"))) QSKIP("no /dev/full");
        QVERIFY(QDir(step_file_path()).removeRecursively() && QFile::link(QStringLiteral("/dev/full"), step_file_path()));
        click("CmdSolve");
        QCOMPARE(window_->messages.size(), 2);
        QCOMPARE(window_->messages.last(), QStringLiteral("Unable to write to the file."));
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(caption("Label1"), QString());
    }

    void step_files_go_beside_the_program_or_into_the_data_folder() {
        varendo::Sudoku beside;
        QCOMPARE(QString::fromStdString(dynamic_cast<varendo::DiskStepFile&>(beside.step_file()).path().string()),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/steps.txt"));

        // A preferred folder that cannot be one, as its parent is a file, even for root.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir(data).removeRecursively());
        RecordingSudoku elsewhere(write(QStringLiteral("file"), "") + QStringLiteral("/folder"));
        QCOMPARE(QString::fromStdString(dynamic_cast<varendo::DiskStepFile&>(elsewhere.step_file()).path().string()),
                 data + QStringLiteral("/steps.txt"));
        QVERIFY(QFileInfo(data).isDir());
        QVERIFY(elsewhere.findChild<QCheckBox*>(QStringLiteral("Check2"))->toolTip().contains(QDir::toNativeSeparators(data)));
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

    void a_puzzle_comes_in_as_if_typed_after_new_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("text");
        const QByteArray line = QByteArray(kPuzzle) + " from the paper\n" + kSolution + '\n';
        QTest::newRow("open") << "open" << nine_lines() + '\n' + nine_lines().replace('3', '4');
        QTest::newRow("command line") << "command line" << "# a set\n" + line;
        QTest::newRow("paste") << "paste" << "  " + shown(kPuzzle).toLatin1();
        QTest::newRow("drop a file") << "drop a file" << nine_lines().replace('\n', "\r\n");
        QTest::newRow("drop text") << "drop text" << line;
    }

    void a_puzzle_comes_in_as_if_typed_after_new() {
        QFETCH(QString, how);
        QFETCH(QByteArray, text);
        enter(QByteArray("9").leftJustified(varendo::kCellCount, '0').constData());
        const QString file = write(QStringLiteral("puzzle.txt"), text);
        window_->chosen_file = file;
        QMimeData data;
        if (how == "open") press(QKeySequence::Open);
        if (how == "command line") window_->open_puzzle_file(file);
        if (how == "paste") QApplication::clipboard()->setText(QString::fromLatin1(text));
        if (how == "paste") press(QKeySequence::Paste);
        if (how == "drop a file") data.setUrls({QUrl::fromLocalFile(file)});
        if (how == "drop text") data.setText(QString::fromLatin1(text));
        if (how.startsWith(QStringLiteral("drop"))) drop(&data);
        QTRY_COMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kBlack);
        QCOMPARE(text_color(cell(1, 1)), kBlack);  // no given left from before
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
        QVERIFY(window_->messages.isEmpty());
        QTest::keyClicks(cell(9, 9), QStringLiteral("2"));
        press(QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), shown(kPuzzle).chopped(1) + u'2');
        click("cmdFreeze");
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
    }

    void what_holds_no_puzzle_gets_a_box_and_changes_nothing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "open" << QByteArray() << "Cannot open %1: No such file or directory";
        QTest::newRow("too large") << "open" << QByteArray((1 << 20) + 1, '.') << "%1 is too large for a puzzle file: over 1 MiB";
        QTest::newRow("binary") << "open" << QByteArray(kPuzzle).replace(40, 1, QByteArray(1, '\0'))
                                << "%1 is not a text file";
        QTest::newRow("a stray letter") << "command line" << nine_lines().replace(36, 1, "x")
                                        << "No puzzle in %1: line 2: unexpected 'x' at column 15: a cell is 1-9, 0 or .";
        QTest::newRow("a short line") << "paste" << QByteArray(kPuzzle).left(80)
                                      << "No puzzle on the clipboard: line 1: line too short: 80 characters where a puzzle needs 81";
        QTest::newRow("no cells") << "drop text" << QByteArray("#\n") << "No puzzle in the dropped text: no cells at all";
    }

    void what_holds_no_puzzle_gets_a_box_and_changes_nothing() {
        QFETCH(QString, how);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        click("cmdNew");
        QTest::keyClicks(cell(3, 3), QStringLiteral("6"));
        window_->chosen_file = text.isEmpty() ? path(QStringLiteral("missing.txt")) : write(QStringLiteral("bad.txt"), text);
        QMimeData data;
        data.setText(QString::fromLatin1(text));
        QApplication::clipboard()->setText(QString::fromLatin1(text));
        if (how == "open") press(QKeySequence::Open);
        if (how == "command line") window_->open_puzzle_file(window_->chosen_file);
        if (how == "paste") press(QKeySequence::Paste);
        if (how == "drop text") drop(&data);
        QTRY_COMPARE(window_->messages, QStringList{message.replace(QStringLiteral("%1"), native(window_->chosen_file))});
        QCOMPARE(grid(), QString(20, u'.') + u'6' + QString(60, u'.'));
    }

    void save_writes_the_givens_once_frozen_and_a_failure_leaves_no_file() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        window_->chosen_file = path(QStringLiteral("puzzle.txt"));
        const auto saved = [this] {
            press(QKeySequence::Save);
            QFile file(window_->chosen_file);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QCOMPARE(saved(), "5" + QByteArray(80, '.') + '\n');  // before Freeze: the grid as shown
        QTest::keyClicks(cell(1, 2), QStringLiteral("3"));
        click("cmdFreeze");
        QTest::keyClicks(cell(9, 9), QStringLiteral("7"));
        QTest::keyClicks(cell(1, 1), QStringLiteral("\b"));
        QCOMPARE(saved(), "53" + QByteArray(79, '.') + '\n');

        // Where no file can go, even for root: under a file, or over a folder.
        QVERIFY(QDir(directory_->path()).mkdir(QStringLiteral("folder")));
        for (const QString& name : {QStringLiteral("puzzle.txt/inside.txt"), QStringLiteral("folder")}) {
            window_->chosen_file = path(name);
            saved();
            QVERIFY2(window_->messages.value(0).startsWith(QStringLiteral("Cannot save ") + native(path(name)) + QStringLiteral(": ")),
                     qPrintable(window_->messages.value(0)));
            window_->messages.clear();
        }
        QCOMPARE(QDir(directory_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({QStringLiteral("folder"), QStringLiteral("puzzle.txt")}));
        QVERIFY(QDir(path(QStringLiteral("folder"))).isEmpty());
    }

    void check_tells_of_a_repeat_or_how_many_solutions_data() {
        QTest::addColumn<QString>("puzzle");
        QTest::addColumn<QString>("message");
        QTest::newRow("unique") << QString::fromLatin1(kPuzzle) << "The puzzle has exactly one solution.";
        QTest::newRow("several") << kEmptyGrid << "The puzzle has several solutions.";
        QTest::newRow("none") << "1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4."
                              << "The puzzle has no solution.";
        // Rows come first, then columns, then boxes.
        const QString box = "...7....." + QString(9, u'.') + ".....7..." + QString(54, u'.');
        QTest::newRow("box") << box << "Digit 7 appears twice in box 4 (rows 1-3, columns 4-6).";
        const QString column = QString(box).replace(36, 1, u'6').replace(63, 1, u'6');
        QTest::newRow("column") << column << "Digit 6 appears twice in column 1.";
        QTest::newRow("row") << QString(column).replace(72, 9, QStringLiteral("5.......5")) << "Digit 5 appears twice in row 9.";
    }

    void check_tells_of_a_repeat_or_how_many_solutions() {
        QFETCH(QString, puzzle);
        QFETCH(QString, message);
        QApplication::clipboard()->setText(puzzle);
        press(QKeySequence::Paste);
        press(QKeySequence(Qt::CTRL | Qt::Key_K));
        QCOMPARE(window_->messages, QStringList{message});
        QCOMPARE(grid(), shown(puzzle.toLatin1().constData()));
    }
};

QTEST_MAIN(SudokuWindowTest)
#include "sudoku_window_test.moc"
