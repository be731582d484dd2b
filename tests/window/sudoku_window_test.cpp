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
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "recording_sudoku.h"
#include "solver/units.h"
#include "window/design.h"

using varendo::index_of;

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

}  // namespace

class SudokuWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<RecordingSudoku> window_;

    QLineEdit* cell(int row, int column) const {
        return window_->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index_of(row, column)));
    }
    QPushButton* button(const char* name) const {
        return window_->findChild<QPushButton*>(QLatin1String(name));
    }
    QString caption(const char* label) const {
        return window_->findChild<QLabel*>(QLatin1String(label))->text();
    }
    QCheckBox* check_box(const char* name) const {
        return window_->findChild<QCheckBox*>(QLatin1String(name));
    }
    static QColor text_color(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Types one key into every cell, row by row.
    void type_grid(const char* keys) {
        for (int i = 0; i < varendo::kCellCount; ++i) QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), keys[i]);
    }

    QString grid() const {
        QString text;
        for (int row = 1; row <= 9; ++row) {
            for (int column = 1; column <= 9; ++column) {
                const QString digit = cell(row, column)->text();
                text += digit.isEmpty() ? QStringLiteral(".") : digit;
            }
        }
        return text;
    }

    bool cells_enabled(bool enabled) const {
        for (int row = 1; row <= 9; ++row) {
            for (int column = 1; column <= 9; ++column) {
                if (cell(row, column)->isEnabled() != enabled) return false;
            }
        }
        return true;
    }

    void solve_acceptance_puzzle() {
        click("cmdNew");
        type_grid(kPuzzle);
        click("cmdFreeze");
        click("CmdSolve");
    }

    QString step_file_path() const { return QDir(directory_->path()).filePath(QStringLiteral("steps.txt")); }

    QByteArray step_file() const {
        QFile file(step_file_path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void focus(QWidget* widget) {
        widget->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), widget);
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

    // --- The window as it opens ---

    void window_is_a_fixed_size_with_its_caption() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Varendo - By Tamsiel"));
        QCOMPARE(window_->size(), QSize(755, 578));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(window_->grab().toImage().pixelColor(5, 80), kWindowColor);
    }

    void cells_are_numbered_down_the_columns() {
        const auto box = [this](int index) {
            return window_->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index))->geometry();
        };
        QCOMPARE(box(0), QRect(16, 104, 81, 41));
        QCOMPARE(box(8).topLeft(), QPoint(16, 104 + 8 * 40));
        QCOMPARE(box(9).topLeft(), QPoint(16 + 80, 104));
        QCOMPARE(box(80), QRect(16 + 8 * 80, 104 + 8 * 40, 81, 41));
        // Neighbours overlap by a pixel, so they share one border line.
        QCOMPARE(box(1).top(), box(0).bottom());
        QCOMPARE(box(9).left(), box(0).right());
    }

    void corner_and_centre_boxes_are_orange() {
        const QImage image = window_->grab().toImage();
        const auto background = [&](int row, int column) {
            return image.pixelColor(cell(row, column)->geometry().topLeft() + QPoint(4, 4));
        };
        for (const QPoint& orange : {QPoint(1, 1), QPoint(3, 9), QPoint(5, 5), QPoint(9, 1), QPoint(7, 7)})
            QCOMPARE(background(orange.x(), orange.y()), kOrange);
        for (const QPoint& plain : {QPoint(1, 4), QPoint(5, 1), QPoint(5, 9), QPoint(9, 6)})
            QCOMPARE(background(plain.x(), plain.y()), kWindowColor);
    }

    void only_new_responds_before_the_first_puzzle() {
        QVERIFY(button("cmdNew")->isEnabled());
        QVERIFY(!button("cmdFreeze")->isEnabled());
        QVERIFY(!button("cmdRestart")->isEnabled());
        QVERIFY(!button("CmdSolve")->isEnabled());
        QVERIFY(cells_enabled(false));
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        click("CmdSolve");
        QCOMPARE(grid(), QString(81, u'.'));
        QVERIFY(window_->messages.isEmpty());
        QCOMPARE(caption("Label1"), QString());
        QCOMPARE(caption("Label4"), QString());
        QCOMPARE(caption("Label2"), QStringLiteral("Difficulty : 0 Easy;     1 Medium;     2 Difficult;     >=3 Very Difficult"));
        QCOMPARE(caption("Label3"), QStringLiteral("Guessed?"));
        QVERIFY(check_box("Check2")->isVisible());
        QVERIFY(!check_box("Check2")->isChecked());
        QVERIFY(!check_box("Check1")->isVisible());
        for (const char* hidden : {"Command1", "Command6", "Command9", "Command10", "Command19"})
            QVERIFY(!button(hidden)->isVisible());
    }

    // --- Typing into the cells ---

    void only_digits_one_to_nine_stay_in_a_cell_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digit") << "7" << "7";
        QTest::newRow("nine") << "9" << "9";
        QTest::newRow("zero") << "0" << "";
        QTest::newRow("letter") << "a" << "";
        QTest::newRow("space") << " " << "";
        QTest::newRow("punctuation") << "." << "";
        QTest::newRow("letter then digit") << "x4" << "4";
        QTest::newRow("second digit refused") << "38" << "3";
    }

    void only_digits_one_to_nine_stay_in_a_cell() {
        QFETCH(QString, keys);
        QFETCH(QString, kept);
        click("cmdNew");
        QTest::keyClicks(cell(4, 6), keys);
        QCOMPARE(cell(4, 6)->text(), kept);
        QCOMPARE(text_color(cell(4, 6)), kBlack);
    }

    void a_selected_digit_is_replaced() {
        click("cmdNew");
        QTest::keyClicks(cell(2, 2), QStringLiteral("3"));
        QTest::keyClick(cell(2, 2), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(cell(2, 2), QStringLiteral("8"));
        QCOMPARE(cell(2, 2)->text(), QStringLiteral("8"));
    }

    // --- New, Freeze, Restart ---

    void new_and_freeze_enable_the_commands() {
        click("cmdNew");
        QVERIFY(button("cmdFreeze")->isEnabled());
        QVERIFY(!button("cmdRestart")->isEnabled());
        QVERIFY(!button("CmdSolve")->isEnabled());
        QVERIFY(cells_enabled(true));

        // An empty grid is a puzzle too.
        click("cmdFreeze");
        QVERIFY(button("cmdNew")->isEnabled());
        QVERIFY(button("cmdFreeze")->isEnabled());
        QVERIFY(button("cmdRestart")->isEnabled());
        QVERIFY(button("CmdSolve")->isEnabled());
        QVERIFY(cells_enabled(true));

        click("cmdRestart");
        QVERIFY(button("cmdRestart")->isEnabled());
        QVERIFY(button("CmdSolve")->isEnabled());
        QVERIFY(cells_enabled(true));
    }

    void freeze_makes_givens_and_restart_goes_back_to_them() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        QTest::keyClicks(cell(9, 9), QStringLiteral("2"));
        click("cmdFreeze");
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("5"));
        QCOMPARE(text_color(cell(1, 1)), kGiven);
        QCOMPARE(text_color(cell(9, 9)), kGiven);
        QCOMPARE(text_color(cell(5, 5)), kBlack);

        // A digit typed now is no given until the next Freeze.
        QTest::keyClicks(cell(5, 5), QStringLiteral("4"));
        QCOMPARE(text_color(cell(5, 5)), kBlack);
        click("cmdRestart");
        QCOMPARE(cell(5, 5)->text(), QString());
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("5"));
        QCOMPARE(cell(9, 9)->text(), QStringLiteral("2"));
    }

    // --- Solve ---

    void solve_shows_the_solution_and_its_difficulty() {
        solve_acceptance_puzzle();
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
        QCOMPARE(caption("Label1"), QStringLiteral("Difficulty     : 1 (Medium)"));
        QCOMPARE(caption("Label4"), QStringLiteral("No"));
        for (int i = 0; i < varendo::kCellCount; ++i) {
            const QColor expected = kPuzzle[i] == '0' ? kPlaced : kGiven;
            QCOMPARE(text_color(cell(i / 9 + 1, i % 9 + 1)), expected);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
        // The colours reach the screen, not just the palette.
        const QImage image = window_->grab().toImage();
        bool blue_drawn = false;
        const QRect placed = cell(1, 1)->geometry().adjusted(2, 2, -2, -2);
        for (int y = placed.top(); y <= placed.bottom(); ++y) {
            for (int x = placed.left(); x <= placed.right(); ++x) blue_drawn |= image.pixelColor(x, y) == kPlaced;
        }
        QVERIFY(blue_drawn);
    }

    void restart_after_a_solve_keeps_the_givens_and_the_difficulty() {
        solve_acceptance_puzzle();
        click("cmdRestart");
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(text_color(cell(1, 3)), kGiven);
        // An emptied cell keeps the solver's blue until New.
        QCOMPARE(text_color(cell(1, 1)), kPlaced);
        QCOMPARE(caption("Label1"), QStringLiteral("Difficulty     : 1 (Medium)"));

        click("cmdNew");
        QCOMPARE(grid(), QString(81, u'.'));
        QCOMPARE(caption("Label1"), QString());
        QCOMPARE(text_color(cell(1, 1)), kBlack);
        QVERIFY(!button("cmdRestart")->isEnabled());
        QVERIFY(!button("CmdSolve")->isEnabled());
    }

    void a_repeated_given_is_reported_and_left_in_place() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        QTest::keyClicks(cell(1, 2), QStringLiteral("5"));
        click("cmdFreeze");
        click("CmdSolve");
        QCOMPARE(window_->messages,
                 QStringList{QStringLiteral("   Validation failed for row 1 - The number 5 is getting repeated   1  10")});
        QCOMPARE(grid(), QStringLiteral("55") + QString(79, u'.'));
        QCOMPARE(caption("Label1"), QString());
    }

    void command19_shows_the_work_counters() {
        solve_acceptance_puzzle();
        button("Command19")->click();
        // No guesses, so the weighted sum is the number of passes; Medium means 5 to 9 passes.
        const QRegularExpressionMatch counters =
            QRegularExpression(QStringLiteral("^(\\d+) {4}0 {7}(\\d+)$")).match(caption("Label1"));
        QVERIFY2(counters.hasMatch(), qPrintable(caption("Label1")));
        QCOMPARE(counters.captured(1), counters.captured(2));
        QVERIFY(counters.captured(1).toInt() >= 5 && counters.captured(1).toInt() <= 9);
    }

    void the_real_message_box_is_titled_varendo_with_only_ok() {
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
    }

    // --- The step file ---

    void save_to_file_writes_every_placed_digit() {
        {
            QFile old(step_file_path());
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("from an earlier solve\r\n");
        }
        click("cmdNew");
        type_grid(kPuzzle);
        click("cmdFreeze");
        QTest::mouseClick(check_box("Check2"), Qt::LeftButton);
        QVERIFY(check_box("Check2")->isChecked());
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});

        const QByteArray bytes = step_file();
        QVERIFY(bytes.endsWith("\r\n"));
        QList<QByteArray> lines = bytes.split('\n');
        QVERIFY(lines.takeLast().isEmpty());
        const QRegularExpression step(QStringLiteral("^\" Column (\\d) row (\\d)  :Value(\\d)\"\\r$"));
        QSet<int> named;
        for (const QByteArray& line : lines) {
            const QRegularExpressionMatch match = step.match(QString::fromLatin1(line));
            QVERIFY2(match.hasMatch(), line.constData());
            const int column = match.captured(1).toInt();
            const int row = match.captured(2).toInt();
            const int at = 9 * (row - 1) + (column - 1);
            QCOMPARE(kPuzzle[at], '0');
            QCOMPARE(match.captured(3).at(0).toLatin1(), kSolution[at]);
            named.insert(at);
        }
        QCOMPARE(named.size(), int(QByteArray(kPuzzle).count('0')));
    }

    void the_step_file_lies_beside_the_program() {
        varendo::Sudoku plain;
        const auto& file = dynamic_cast<const varendo::DiskStepFile&>(plain.step_file());
        QCOMPARE(QString::fromStdString(file.path().string()),
                 QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("steps.txt")));
    }

    void without_save_to_file_no_file_is_written() {
        solve_acceptance_puzzle();
        QVERIFY(!QFile::exists(step_file_path()));
    }

    void check1_prints_the_outcome_line() {
        // Check1 is hidden; its click handler still works when called.
        check_box("Check1")->click();
        solve_acceptance_puzzle();
        // The solver's own lines, bare, then the outcome; no quoted lines without Check2.
        const QByteArray bytes = step_file();
        QVERIFY(bytes.startsWith("Reducing "));
        QVERIFY(bytes.endsWith("\r\nSudoku Solved\r\n"));
        QVERIFY(!bytes.contains('"'));
    }

    void a_step_file_that_cannot_be_created_stops_the_solve() {
        // A directory of that name stands where the file would go.
        QVERIFY(QDir(directory_->path()).mkdir(QStringLiteral("steps.txt")));
        click("cmdNew");
        type_grid(kPuzzle);
        click("cmdFreeze");
        QTest::mouseClick(check_box("Check2"), Qt::LeftButton);
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Unable to write to the file.")});
        QCOMPARE(grid(), shown(kPuzzle));
        QCOMPARE(caption("Label4"), QStringLiteral("No"));
        QCOMPARE(caption("Label1"), QString());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // --- Keyboard ---

    void tab_goes_row_by_row() {
        click("cmdNew");
        focus(cell(1, 1));
        QTest::keyClick(cell(1, 1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), cell(1, 2));
        focus(cell(1, 9));
        QTest::keyClick(cell(1, 9), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), cell(2, 1));
        QTest::keyClick(cell(2, 1), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), cell(1, 9));
    }

    void arrow_keys_move_between_cells_and_stop_at_the_edges() {
        click("cmdNew");
        focus(cell(1, 1));
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), cell(1, 1));
        press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), cell(2, 1));
        press(Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), cell(2, 2));
        press(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), cell(1, 2));
        focus(cell(9, 9));
        press(Qt::Key_Down);
        press(Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), cell(9, 9));
        press(Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), cell(9, 8));
    }

    void pasting_a_puzzle_fills_the_grid_as_typed() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("9"));
        click("cmdFreeze");
        QApplication::clipboard()->setText(QStringLiteral("  ") + QString::fromLatin1(kPuzzle).replace(u'0', u'.') +
                                           QStringLiteral("\n"));
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
        QTest::newRow("a word") << "hello";
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
        QCOMPARE(cell(3, 3)->text(), QStringLiteral("6"));
        QCOMPARE(grid().count(u'.'), 80);
    }

    void copy_takes_the_whole_grid() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 2), QStringLiteral("4"));
        QTest::keyClicks(cell(9, 1), QStringLiteral("7"));
        QTest::keyClick(cell(5, 5), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral(".4") + QString(70, u'.') + u'7' + QString(8, u'.'));

        click("cmdNew");
        solve_acceptance_puzzle();
        QTest::keyClick(cell(2, 3), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(kSolution));
    }
};

QTEST_MAIN(SudokuWindowTest)
#include "sudoku_window_test.moc"
