// The window driven as a person drives it: keys into the cells and the menus, clicks on the
// buttons, files and text dropped on it. What the commands do is tested on the in-memory
// window; here it is the wiring: the widgets reach the commands, and their effects the widgets.
#include <algorithm>

#include "window_test.h"

namespace {

const QColor kGiven{255, 100, 100};
const QColor kPlaced{0, 0, 255};

// kPuzzle on nine lines.
QByteArray nine_lines() { return QString::fromLatin1(kPuzzle).replace(QRegularExpression(QStringLiteral("(.{9})")), QStringLiteral("\\1\n")).toLatin1(); }

QString native(const QString& path) { return u'“' + QDir::toNativeSeparators(path) + u'”'; }

}  // namespace

class SudokuWindowTest : public WindowTest {
    Q_OBJECT

private:
    QString step_file_path() const { return path(QStringLiteral("steps.txt")); }

    static QByteArray read(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The buttons that take clicks, then "cells" if the cells take keys; a Puzzle menu item
    // that differs from its button shows as "!item".
    QString enabled() const {
        QStringList on;
        for (const auto& [name, item] : {std::pair{"cmdNew", "new"}, {"cmdFreeze", "freeze"}, {"cmdRestart", "restart"}, {"CmdSolve", "solve"}}) {
            if (button(name)->isEnabled()) on << QLatin1String(name);
            if (button(name)->isEnabled() != action(item)->isEnabled()) on << u'!' + QLatin1String(item);
        }
        return on.join(u' ') + (cell(9, 9)->isEnabled() ? QStringLiteral(" cells") : QString());
    }

private slots:
    void the_window_as_it_opens() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Varendo - By Tamsiel"));
        // The form keeps its design size under the menu bar, and the window cannot be resized.
        const int menu_bar = window_->menuBar()->height();
        QCOMPARE(window_->centralWidget()->geometry(), QRect(0, menu_bar, 755, 578));
        // Hint's line goes below it.
        QCOMPARE(window_->size(), QSize(755, 578 + menu_bar + window_->statusBar()->height()));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMinMaxButtonsHint));

        // Cells are numbered down the columns (Text1_9 tops the second) at a pitch of 80 × 40
        // pixels, one pixel larger than that so that neighbours share a border.
        QCOMPARE(cell(1, 1)->geometry(), QRect(16, 104, 81, 41));
        QCOMPARE(cell(1, 2)->geometry().topLeft(), QPoint(16 + 80, 104));
        QCOMPARE(cell(9, 9)->geometry().topLeft(), QPoint(16 + 8 * 80, 104 + 8 * 40));
        // Only New responds before the first puzzle.
        QCOMPARE(enabled(), QStringLiteral("cmdNew"));
        QCOMPARE(caption("Label1") + caption("Label4"), QString());
        // Corner and centre boxes orange, edge boxes the window colour; a different cell of each
        // box sampled. Locked before New, the cells are greyed.
        const QImage locked = window_->centralWidget()->grab().toImage();
        click("cmdNew");
        const QImage image = window_->centralWidget()->grab().toImage();
        for (int box = 0; box < 9; ++box) {
            const QPoint at = cell(box / 3 * 3 + box % 3 + 1, box % 3 * 3 + box / 3 + 1)->geometry().topLeft() + QPoint(4, 4);
            QCOMPARE(image.pixelColor(at), box % 2 == 0 ? QColor(255, 192, 128) : QColor(255, 224, 192));
            QVERIFY(locked.pixelColor(at).lightness() < image.pixelColor(at).lightness());
        }
        // What a screen reader hears: a name for every control, tips for all but the cells and
        // captions, and the captions of the result labels tied to them.
        QStringList heard;
        for (QWidget* control : window_->centralWidget()->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^(cmd|Cmd|Check2|Label[14]|Text1_22$)")))) {
            const auto labelled_by = QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
            heard << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name) + (control->toolTip().isEmpty() ? "" : "+tip") + (labelled_by.isEmpty() ? "" : u'<' + labelled_by[0].first->object()->objectName());
        }
        QCOMPARE(heard.join(u'|'), QStringLiteral("Guessed?+tip<Label3|Difficulty+tip<Label2|New+tip|Freeze+tip|Restart+tip|Solve+tip|Row 5, column 3|Save to File+tip"));
        QCOMPARE(caption("Label2"), QStringLiteral("Difficulty : 0 Easy;     1 Medium;     2 Difficult;     >=3 Very Difficult"));
        // Check1 and the diagnostic buttons are there but hidden; everything else shows.
        QStringList hidden;
        for (const QWidget* widget : window_->centralWidget()->findChildren<QWidget*>()) if (widget->isHidden()) hidden << widget->objectName();
        QCOMPARE(hidden, QStringList({"Check1", "Command1", "Command6", "Command9", "Command10", "Command19"}));

        // About, from a window whose boxes are the program's own: plain, modal, one OK.
        varendo::Sudoku plain;
        QString seen;
        QTimer::singleShot(0, &plain, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isModal() && box->icon() == QMessageBox::NoIcon && box->standardButtons() == QMessageBox::Ok)
                seen = box->windowTitle() + u'|' + box->text();
            if (box) box->accept();
        });
        plain.findChild<QAction*>(QStringLiteral("about"))->trigger();
        QVERIFY2(seen.startsWith(u"Varendo|Varendo " VARENDO_VERSION "\n") && seen.endsWith(u"MIT licence"), qPrintable(seen));
    }

    void a_cell_keeps_one_digit_from_one_to_nine_and_arrows_move_between_cells() {
        click("cmdNew");
        const std::pair<const char*, const char*> typed[] = {{"1", "1"}, {"9", "9"}, {"0/:a .", ""}, {"38", "3"}, {"3\b8", "8"}};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClicks(cell(4, i + 1), QLatin1String(typed[i].first));
            QCOMPARE(cell(4, i + 1)->text(), QLatin1String(typed[i].second));
        }

        // Arrows stop at the edges: nine presses cross eight cells. Tab goes row by row.
        cell(1, 1)->setFocus(Qt::OtherFocusReason);
        const struct { Qt::Key key; int times, row, column; } moves[] = {
            {Qt::Key_Left, 1, 1, 1}, {Qt::Key_Up, 1, 1, 1}, {Qt::Key_Down, 9, 9, 1}, {Qt::Key_Right, 9, 9, 9},
            {Qt::Key_Up, 1, 8, 9}, {Qt::Key_Left, 1, 8, 8}, {Qt::Key_Tab, 2, 9, 1}, {Qt::Key_Backtab, 1, 8, 9}};
        for (const auto& move : moves) {
            for (int i = 0; i < move.times; ++i) QTest::keyClick(QApplication::focusWidget(), move.key);
            QCOMPARE(QApplication::focusWidget(), cell(move.row, move.column));
        }
        press(QKeySequence(Qt::CTRL | Qt::Key_Q));
        QVERIFY(!window_->isVisible());
    }

    void a_puzzle_solved_by_keyboard_alone() {
        // Ctrl+N leaves the focus on the top left cell; Tab runs row by row.
        QTest::keySequence(window_.get(), QKeySequence(Qt::CTRL | Qt::Key_N));
        for (int i = 0; i < varendo::kCellCount; ++i) {
            QCOMPARE(QApplication::focusWidget(), cell(i / 9 + 1, i % 9 + 1));
            QTest::keyClick(QApplication::focusWidget(), kPuzzle[i]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        press(QKeySequence(Qt::CTRL | Qt::Key_G));
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cmdRestart CmdSolve cells"));
        press(QKeySequence(Qt::CTRL | Qt::Key_Return));
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        // Without Save to File, no file is written anywhere.
        QCOMPARE(QDir(directory_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        press(QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(QApplication::clipboard()->text(), QLatin1String(kSolution));
        // The mnemonics click the buttons; Ctrl+R and Ctrl+K reach the menu from a cell.
        for (const Qt::Key key : {Qt::Key_R, Qt::Key_K}) press(QKeySequence(Qt::CTRL | key));
        QCOMPARE(grid() + window_->messages.value(1), shown(kPuzzle) + QStringLiteral("The puzzle has exactly one solution."));
        QTest::keyClick(cell(1, 1), Qt::Key_N, Qt::AltModifier);
        // A mnemonic shows the button pressed for a moment before it clicks.
        QTRY_COMPARE(grid() + enabled(), kEmptyGrid + QStringLiteral("cmdNew cmdFreeze cells"));
        // A cell reached by a click or an arrow has its digit selected: a key replaces it.
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        QTest::keyClicks(cell(1, 2), QStringLiteral("6"));
        QTest::mouseClick(cell(1, 1), Qt::LeftButton);
        QTest::keyClicks(cell(1, 1), QStringLiteral("7"));
        QTest::keyClick(cell(1, 1), Qt::Key_Right);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8"));
        QCOMPARE(grid().left(2), QStringLiteral("78"));
    }

    void new_freeze_solve_and_restart_by_clicks_and_the_step_file() {
        enter(kPuzzle);
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cmdRestart CmdSolve cells"));
        // Digits typed after Freeze are no givens; one typed over a given comes back at Solve.
        QTest::keyClicks(cell(1, 1), QStringLiteral("4"));
        QTest::keyClicks(cell(1, 3), QStringLiteral("\b9"));
        // Save takes the givens, not what was typed since Freeze; Copy takes the grid as shown.
        window_->chosen_file = path(QStringLiteral("puzzle.txt"));
        press(QKeySequence::Save);
        press(QKeySequence::Copy);
        QCOMPARE(read(window_->chosen_file), shown(kPuzzle).toLatin1() + '\n');
        QCOMPARE(QApplication::clipboard()->text(), grid());
        // Save to File, and a directory where the step file would go, even for root: the only
        // box, over the puzzle, and the run never starts.
        QVERIFY(QDir(directory_->path()).mkdir(QStringLiteral("steps.txt")));
        QTest::mouseClick(window_->findChild<QCheckBox*>(QStringLiteral("Check2")), Qt::LeftButton);
        const QString before = grid();
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Unable to write to the file.")});
        QCOMPARE(window_->details.value(0), QDir::toNativeSeparators(step_file_path()) + QStringLiteral(": Is a directory"));
        QCOMPARE(grid() + caption("Label1"), before);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!action("openStepFile")->isEnabled());

        QVERIFY(QDir(step_file_path()).removeRecursively());
        click("CmdSolve");
        QCOMPARE(window_->messages.value(1), QStringLiteral("Sudoku Solved"));
        QCOMPARE(grid(), QString::fromLatin1(kSolution));
        QCOMPARE(caption("Label1") + u'|' + caption("Label4"), QStringLiteral("Difficulty     : 1 (Medium)|No"));
        for (int i = 0; i < varendo::kCellCount; ++i) QCOMPARE(text_color(cell(i)), kPuzzle[i] == '0' ? kPlaced : kGiven);
        // steps.txt: one quoted line per placed digit, each ended by CR LF.
        const QByteArray log = read(step_file_path());
        QCOMPARE(log.count("\"\r\n\" Column "), 48);
        QVERIFY(log.startsWith("\" Column ") && log.endsWith("\"\r\n") && log.contains("\" Column 1 row 1  :Value4\"\r\n"));
        action("openStepFile")->trigger();  // ignored while disabled
        QCOMPARE(window_->shown_files, QList<QUrl>{QUrl::fromLocalFile(step_file_path())});
        // Without a desktop opener, a box names the file.
        window_->viewer_starts = false; action("openStepFile")->trigger();
        QCOMPARE(window_->messages.value(2) + window_->details.value(2), QStringLiteral("No program could be started to show the step file.Open %1 in a text editor. (A desktop opener such as xdg-open shows it in one.)").arg(QDir::toNativeSeparators(step_file_path())));
        // What a screen reader hears of the cells: a given, a placed digit, a typed one, none.
        QTest::mouseClick(cell(9, 9), Qt::LeftButton); QTest::keyClicks(cell(9, 9), QStringLiteral("1"));
        QCOMPARE(cell(1, 3)->accessibleDescription() + u'|' + cell(1, 2)->accessibleDescription() + u'|' + cell(9, 9)->accessibleDescription(), QStringLiteral("Given: 3|Placed by Solve: 8|Typed: 1"));
        // Command19, though hidden, answers a click with the work counters.
        button("Command19")->click();
        QVERIFY2(caption("Label1").contains(QRegularExpression(QStringLiteral("^\\d+ {4}0 {7}\\d+$"))), qPrintable(caption("Label1")));

        click("cmdRestart");
        QCOMPARE(grid() + cell(1, 2)->accessibleDescription(), shown(kPuzzle) + QStringLiteral("Empty"));
        QCOMPARE(text_color(cell(1, 3)), kGiven);
        click("cmdNew");
        QCOMPARE(grid() + caption("Label1"), kEmptyGrid);
        QCOMPARE(text_color(cell(1, 3)), QColor(Qt::black));
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
    }

    void step_files_go_beside_the_program_or_into_the_data_folder() {
        const auto step_file = [](varendo::Sudoku& w) { return QString::fromStdString(dynamic_cast<varendo::DiskStepFile&>(w.step_file()).path().string()); };
        varendo::Sudoku beside;
        QCOMPARE(step_file(beside), QCoreApplication::applicationDirPath() + QStringLiteral("/steps.txt"));
        // Installed, closed to its owner even if open to root, or not a folder at all as its
        // parent is a file: the data folder, made only when a step file is written.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir(data).removeRecursively());
        QVERIFY(QFile(path(QStringLiteral("file"))).open(QIODevice::WriteOnly) && QDir(directory_->path()).mkdir(QStringLiteral("closed")) &&
                QFile::setPermissions(path(QStringLiteral("closed")), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        for (const QString& folder : {QStringLiteral("/usr/bin"), path(QStringLiteral("closed")), path(QStringLiteral("file/folder"))}) {
            RecordingSudoku elsewhere(folder);
            QCOMPARE(step_file(elsewhere) + (QFileInfo::exists(data) ? " (made)" : "") + elsewhere.findChild<QCheckBox*>(QStringLiteral("Check2"))->toolTip(), data + QStringLiteral("/steps.txtLog every placed digit to ") + QDir::toNativeSeparators(data + QStringLiteral("/steps.txt")));
        }
        RecordingSudoku elsewhere(path(QStringLiteral("closed")));
        for (const char* name : {"cmdNew", "cmdFreeze", "Check2", "CmdSolve"}) elsewhere.findChild<QAbstractButton*>(QLatin1String(name))->click();
        QCOMPARE(elsewhere.messages, QStringList{QStringLiteral("Sudoku Solved")});
        QVERIFY(QFileInfo(data + QStringLiteral("/steps.txt")).isFile() && QDir(path(QStringLiteral("closed"))).isEmpty());
    }

    // The row's tag up to a colon says how the text comes in; a message, that it holds no puzzle.
    void a_puzzle_comes_in_as_if_typed_after_new_or_a_box_says_why_not_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QByteArray line = QByteArray(kPuzzle) + " from the paper\n" + kSolution + '\n';
        QTest::newRow("open") << nine_lines() + '\n' + nine_lines().replace('3', '4') << "";
        QTest::newRow("command line") << "# a set\n" + line << "";
        QTest::newRow("paste") << "  " + shown(kPuzzle).toLatin1() << "";
        QTest::newRow("paste: nine lines") << nine_lines() << "";
        QTest::newRow("drop a file") << nine_lines().replace('\n', "\r\n") << "";
        QTest::newRow("drop text") << line << "";
        QTest::newRow("open: missing") << QByteArray() << "Cannot open %1: No such file or directory";
        QTest::newRow("open: a collection over 1 MiB") << line.repeated(7000) << "";
        QTest::newRow("open: no puzzle in the first MiB") << QByteArray(1 << 19, '#').replace(1000, 1, "\n") + QByteArray(1 << 19, '#') + '\n' + line << "No puzzle in the first MiB of %1: no cells at all";
        QTest::newRow("open: binary") << QByteArray(kPuzzle).replace(40, 1, QByteArray(1, '\0')) << "%1 is not a text file";
        QTest::newRow("command line: a stray letter")
            << nine_lines().replace(14, 1, "x") << "No puzzle in %1: line 2: unexpected 'x' at column 5: a cell is 1-9, 0 or .";
        QTest::newRow("paste: CR LF line ends, a stray letter") << nine_lines().replace(22, 1, "?").replace('\n', "\r\n") << "No puzzle on the clipboard: line 3: unexpected '?' at column 3: a cell is 1-9, 0 or .";
        QTest::newRow("paste: a short line")
            << QByteArray(kPuzzle).left(80) << "No puzzle on the clipboard: line 1: line too short: 80 characters where a puzzle needs 81";
        QTest::newRow("drop text: no cells") << QByteArray("#\n") << "No puzzle in the dropped text: no cells at all";
    }

    void a_puzzle_comes_in_as_if_typed_after_new_or_a_box_says_why_not() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        const QString how = QString::fromLatin1(QTest::currentDataTag()).section(u':', 0, 0);
        enter(QByteArray("9").leftJustified(varendo::kCellCount, '0').constData());
        const QString before = grid();
        QFile file(path(QStringLiteral("puzzle.txt")));
        QVERIFY(text.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush()));
        window_->chosen_file = text.isEmpty() ? path(QStringLiteral("missing.txt")) : file.fileName();
        QApplication::clipboard()->setText(QString::fromLatin1(text));
        if (how == "open") press(QKeySequence::Open);
        if (how == "command line") window_->open_puzzle_file(window_->chosen_file);
        if (how == "paste") press(QKeySequence::Paste);
        if (how.startsWith(QStringLiteral("drop"))) {
            QMimeData data;
            if (how == "drop a file") data.setUrls({QUrl::fromLocalFile(window_->chosen_file)}); else data.setText(QString::fromLatin1(text));
            QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QVERIFY(QApplication::sendEvent(window_.get(), &enter) && enter.isAccepted());
            QApplication::sendEvent(window_.get(), &drop);
        }
        const QStringList expected = message.isEmpty() ? QStringList() : QStringList{message.replace(QStringLiteral("%1"), native(window_->chosen_file))};
        QTRY_COMPARE(grid(), message.isEmpty() ? shown(kPuzzle) : before);
        QTRY_COMPARE(window_->messages, expected);
        if (!message.isEmpty()) return;
        QCOMPARE(text_color(cell(1, 1)), QColor(Qt::black));  // no given left from before
        QCOMPARE(enabled(), QStringLiteral("cmdNew cmdFreeze cells"));
        // Save before Freeze takes the grid as shown, a digit typed since with it.
        QTest::keyClicks(cell(9, 9), QStringLiteral("2"));
        // A name without a suffix gets ".txt"; the dialogs start where the last one ended.
        window_->chosen_file = path(QStringLiteral("saved"));
        press(QKeySequence::Save);
        QCOMPARE(read(path(QStringLiteral("saved.txt"))), (shown(kPuzzle).chopped(1) + u'2').toLatin1() + '\n');
        QCOMPARE(window_->dialog_folders, how == "open" ? QStringList({QString(), directory_->path()}) : QStringList{QString()});
    }

    void a_save_where_no_file_can_go_gets_a_box_and_leaves_no_file() {
        // Under a file, or over a folder: closed even to root.
        QVERIFY(QFile(path(QStringLiteral("file"))).open(QIODevice::WriteOnly) && QDir(directory_->path()).mkdir(QStringLiteral("folder.txt")));
        for (const char* name : {"file/inside.txt", "folder"}) {
            window_->chosen_file = path(QLatin1String(name));
            press(QKeySequence::Save);
        }
        const QString said = window_->messages.join(u'|');
        QVERIFY2(said.contains(QRegularExpression(QStringLiteral("^Cannot save “[^|]+/file/inside.txt”: [^|]+\\|Cannot save “[^|]+/folder.txt”: "))),
                 qPrintable(said));
        QCOMPARE(QDir(directory_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList({"file", "folder.txt"}));
    }

    void check_tells_of_a_repeat_or_how_many_solutions_and_changes_nothing() {
        // A digit typed after Freeze counts: Check looks at the grid as shown.
        enter(kPuzzle); QTest::keyClicks(cell(1, 1), QStringLiteral("6")); press(QKeySequence(Qt::CTRL | Qt::Key_K));
        QCOMPARE(std::exchange(window_->messages, {}), QStringList{QStringLiteral("Digit 6 appears twice in row 1.")});
        // Rows come first, then columns, then boxes.
        const QString box = "...7....." + QString(9, u'.') + ".....7..." + QString(54, u'.');
        const QString column = QString(box).replace(36, 1, u'6').replace(63, 1, u'6');
        const std::pair<QString, const char*> cases[] = {
            {shown(kPuzzle), "The puzzle has exactly one solution."},
            {kEmptyGrid, "The puzzle has several solutions."},
            {"1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.", "The puzzle has no solution."},
            {box, "Digit 7 appears twice in box 4 (rows 1-3, columns 4-6)."},
            {column, "Digit 6 appears twice in column 1."},
            {QString(column).replace(72, 9, QStringLiteral("5.......5")), "Digit 5 appears twice in row 9."}};
        for (const auto& [puzzle, message] : cases) {
            paste(puzzle);
            press(QKeySequence(Qt::CTRL | Qt::Key_K));
            QCOMPARE(std::exchange(window_->messages, {}).join(u'|') + grid(), QLatin1String(message) + puzzle);
        }
    }
};

QTEST_MAIN(SudokuWindowTest)
#include "sudoku_window_test.moc"
