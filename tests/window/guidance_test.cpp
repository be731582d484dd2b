// Undo and Redo, Hint and the Steps window, driven as a person drives them: keys into the
// cells and the menus, clicks on the buttons.
#include "window/guidance/hint_overlay.h"
#include "window/steps/steps_window.h"
#include "window_test.h"

namespace {

// The puzzle as pasted and shown.
const QString kShown = shown(kPuzzle);
// Solve takes 42 attempts, and then the complete search, for this one.
const QString kRetries = QStringLiteral(
    "........8..3...4...9..2..6.....79.......612...6.5.2.7...8...5...1.....2.4.5.....3");

// The box indices (down the columns) of a unit's cells, from its name: "row 4", "column 7", "box 6".
QList<int> unit_cells(const QString& name) {
    const int n = name.back().digitValue();
    QList<int> cells;
    for (const int k : varendo::unit_cells(name.startsWith(u'c') ? n : name.startsWith(u'r') ? 9 + n : 18 + n)) cells << k - 1;
    return cells;
}

}  // namespace

class GuidanceTest : public WindowTest {
    Q_OBJECT

private:
    QListView* step_list() const { return window_->findChild<QListView*>(QStringLiteral("stepList")); }
    QString step(int row) const { return step_list()->model()->index(row, 0).data().toString(); }
    int step_row() const { return step_list()->currentIndex().row(); }
    const varendo::GridPicture& step_grid() const { return window_->findChild<varendo::StepGrid*>(QStringLiteral("stepGrid"))->picture(); }
    QString hint_line() const { return caption("hintLine"); }
    const varendo::HintOverlay& overlay() const { return *window_->findChild<varendo::HintOverlay*>(); }
    // The cells the hint tints, by box index.
    QList<int> tinted() const {
        QList<int> cells;
        for (int i = 0; i < varendo::kCellCount; ++i) if (overlay().tinted()[static_cast<std::size_t>(i)]) cells << i;
        return cells;
    }
    void solve(const QString& puzzle) {
        paste(puzzle);
        click("cmdFreeze");
        click("CmdSolve");
    }

    // What the next Undo and Redo would take back or bring again.
    QString history() const { return action("undo")->text() + u'|' + action("redo")->text(); }

private slots:
    void undo_and_redo_take_back_typing_deleting_loads_and_new() {
        QCOMPARE(history(), QStringLiteral("&Undo|&Redo"));
        QVERIFY(!action("undo")->isEnabled());
        click("cmdNew");  // on an empty grid: nothing to take back
        QCOMPARE(history(), QStringLiteral("&Undo|&Redo"));

        // A letter the filter refuses is no step; a digit typed or deleted is one.
        QTest::keyClicks(cell(1, 1), QStringLiteral("x5"));
        QTest::keyClicks(cell(1, 2), QStringLiteral("3\b7"));
        QCOMPARE(grid().left(3), QStringLiteral("57."));
        QCOMPARE(history(), QStringLiteral("&Undo Typing|&Redo"));
        // Ctrl+Z in a cell is the window's Undo, not the cell's own.
        press(QKeySequence::Undo, 1, 2);
        QCOMPARE(grid().left(3) + u'|' + history(), QStringLiteral("5..|&Undo Delete|&Redo Typing"));
        press(QKeySequence::Undo, 1, 2);
        QCOMPARE(grid().left(3), QStringLiteral("53."));
        press(QKeySequence::Redo);
        press(QKeySequence::Redo);
        QCOMPARE(grid().left(3) + u'|' + history(), QStringLiteral("57.|&Undo Typing|&Redo"));

        // A paste over the typed digits, and back; then New, and back as typed digits.
        const QString typed = grid();
        paste(kShown);
        QCOMPARE(grid(), kShown);
        press(QKeySequence::Undo);
        QCOMPARE(grid(), typed);
        press(QKeySequence::Redo);
        QCOMPARE(grid() + u'|' + history(), kShown + QStringLiteral("|&Undo Load|&Redo"));
        click("cmdFreeze");
        click("CmdSolve");
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        const QString solved = grid();
        click("cmdNew");
        QCOMPARE(grid() + caption("Label1"), kEmptyGrid);
        press(QKeySequence::Undo);
        QCOMPARE(grid(), solved);
        for (int i = 0; i < varendo::kCellCount; ++i) QCOMPARE(text_color(cell(i)), QColor(Qt::black));
        // History keeps to the cells' texts: New's clearing of the puzzle and the labels stays.
        QCOMPARE(caption("Label1"), QString());
        QVERIFY(button("cmdFreeze")->isEnabled() && !button("CmdSolve")->isEnabled());
        // A new step drops the steps undone.
        QTest::keyClicks(cell(9, 9), QStringLiteral("\b"));
        QCOMPARE(history(), QStringLiteral("&Undo Delete|&Redo"));
    }

    void freeze_restart_and_solve_are_no_steps_and_undo_leaves_the_frozen_puzzle() {
        click("cmdNew");
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        QTest::keyClicks(cell(1, 2), QStringLiteral("6"));
        click("cmdFreeze");
        QCOMPARE(history(), QStringLiteral("&Undo Typing|&Redo"));
        // Undo after Freeze takes the digit out of its cell, as deleting it would; the given
        // stays in the puzzle and comes back with Restart, in its colour.
        press(QKeySequence::Undo);
        QCOMPARE(grid().left(2), QStringLiteral("5."));
        click("cmdRestart");
        QCOMPARE(grid().left(2), QStringLiteral("56"));
        QCOMPARE(text_color(cell(1, 2)), QColor(255, 100, 100));
        QCOMPARE(history(), QStringLiteral("&Undo Typing|&Redo Typing"));
    }

    void the_steps_window_walks_through_the_attempts_of_the_last_solve() {
        solve(kRetries);
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
        const QString solved = grid();
        press(QKeySequence(Qt::CTRL | Qt::Key_T));
        auto* steps = window_->findChild<varendo::StepsWindow*>();
        QVERIFY(steps->isVisible() && !steps->isModal());
        QCOMPARE(steps->windowTitle(), QStringLiteral("Steps - Varendo"));
        // Beside the main window, on the screen: where neither side had room, the main window moved over.
        QVERIFY(!steps->frameGeometry().intersects(window_->frameGeometry()));
        QVERIFY(steps->screen()->availableGeometry().contains(steps->frameGeometry()));

        // Placements numbered on through the attempts; each later attempt opens with the
        // contradiction that ended the one before it.
        const QRegularExpression placement(QStringLiteral(
            "^(\\d+)\\. (?:(\\d) in (row \\d, column \\d): the only (?:digit left for that cell|place for \\2 in ((?:row|column|box) \\d))|"
            "Guess (\\d) in (row \\d, column \\d) \\(one of \\d places for \\5 in (?:row|column|box) \\d\\)|(\\d) in (row \\d, column \\d), from the complete search)$"));
        const QRegularExpression contradiction(QStringLiteral("^A contradiction: a digit repeats in ((?:row|column|box) \\d)( and \\d+ more units?)?$"));
        const int rows = step_list()->model()->rowCount();
        QCOMPARE(step(0), QStringLiteral("Attempt 1: from the givens"));
        QCOMPARE(step(rows - 1), QStringLiteral("Outcome: Sudoku Solved"));
        int placed = 0;
        int attempts = 1;
        QStringList others;
        QString last_contradiction;
        std::array<int, 2> contradictions{};  // in one unit, in more
        for (int row = 1; row < rows - 1; ++row) {
            const QString text = step(row);
            if (const QRegularExpressionMatch match = placement.match(text); match.hasMatch()) {
                QCOMPARE(match.captured(1).toInt(), ++placed);
            } else if (const QRegularExpressionMatch match = contradiction.match(text); match.hasMatch()) {
                last_contradiction = match.captured(1) + match.captured(2);
                // It names, and tints, exactly the units that repeat a digit in its grid.
                step_list()->setCurrentIndex(step_list()->model()->index(row, 0));
                QStringList units;
                std::array<bool, varendo::kCellCount> in_units{};
                for (int u = 1; u <= varendo::kUnitCount; ++u) {
                    unsigned seen = 0, repeated = 0;
                    for (const int k : varendo::unit_cells(u)) {
                        const unsigned bit = 1u << step_grid().digits[static_cast<std::size_t>(9 * ((k - 1) % 9) + (k - 1) / 9)];
                        repeated |= seen & bit & ~1u;
                        seen |= bit;
                    }
                    if (repeated == 0) continue;
                    units << QStringLiteral("%1 %2").arg(u <= 9 ? "column" : u <= 18 ? "row" : "box").arg((u - 1) % 9 + 1);
                    for (const int k : varendo::unit_cells(u)) in_units[static_cast<std::size_t>(9 * ((k - 1) % 9) + (k - 1) / 9)] = true;
                }
                QVERIFY(!units.isEmpty());
                QCOMPARE(last_contradiction, units.size() == 1 ? units[0] : QStringLiteral("%1 and %2 more unit%3").arg(units[0]).arg(units.size() - 1).arg(units.size() > 2 ? "s" : ""));
                QVERIFY(step_grid().tinted == in_units);
                ++contradictions[std::min<qsizetype>(units.size(), 2) - 1];
            } else if (text.startsWith(QStringLiteral("Attempt "))) {
                const QString expected = attempts == 1 ? QStringLiteral("Attempt 1, run 2") : QStringLiteral("Attempt %1").arg(attempts);
                QCOMPARE(text, expected + QStringLiteral(": a contradiction in ") + last_contradiction + QStringLiteral(", start again from the givens"));
                ++attempts;
            } else if (text != QStringLiteral("No digit follows by elimination: Solve guesses")) {
                others << text;
            }
        }
        QCOMPARE(attempts, 43);
        QVERIFY(contradictions[0] > 0 && contradictions[1] > 0);
        // Out of guesses, once: the last attempt's look at the grid stalls again unseen.
        QCOMPARE(others, QStringList({"No digit follows by elimination, and no guess is left to try",
                                      "The attempts found no solution: the complete search fills the grid from the givens"}));
        QVERIFY(placed > 1000);

        // First shows the givens, every empty cell with all nine candidates; Last the grid Solve reported.
        const auto shown = [](const varendo::GridPicture& picture) {
            QString text;
            for (const std::uint8_t digit : picture.digits) text += digit == 0 ? QChar(u'.') : QChar(u'0' + digit);
            return text;
        };
        click("stepsLast");
        QCOMPARE(step_row(), rows - 1);
        QCOMPARE(shown(step_grid()), solved);
        QVERIFY(!button("stepsNext")->isEnabled());
        click("stepsFirst");
        QCOMPARE(shown(step_grid()), kRetries);
        for (int i = 0; i < varendo::kCellCount; ++i)
            QCOMPARE(step_grid().candidates[i], kRetries[i] == u'.' ? 1022 : 0);
        QCOMPARE(step_grid().marked, -1);

        // Each placement's grid holds its digit, marked, with the unit that decided it tinted.
        for (int row = 1; row < rows - 1; ++row) {
            const QRegularExpressionMatch match = placement.match(step(row));
            if (!match.hasMatch() || match.captured(4).isEmpty()) continue;
            step_list()->setCurrentIndex(step_list()->model()->index(row, 0));
            const varendo::GridPicture& picture = step_grid();
            const QString cell = match.captured(3);
            const int marked = 9 * (cell.at(4).digitValue() - 1) + cell.back().digitValue() - 1;
            QCOMPARE(picture.marked, marked);
            QCOMPARE(int{picture.digits[static_cast<std::size_t>(marked)]}, match.captured(2).toInt());
            QList<int> tinted;
            for (int i = 0; i < varendo::kCellCount; ++i)
                if (picture.tinted[static_cast<std::size_t>(i)]) tinted << 9 * (i % 9) + i / 9;
            std::sort(tinted.begin(), tinted.end());
            QList<int> unit = unit_cells(match.captured(4));
            std::sort(unit.begin(), unit.end());
            QCOMPARE(tinted, unit);
        }

        // Keys: Home, End, the arrows; the main window stays as it was.
        QWidget* list = step_list();
        const std::pair<Qt::Key, int> keys[] = {{Qt::Key_End, rows - 1}, {Qt::Key_Home, 0}, {Qt::Key_Down, 1},
                                                {Qt::Key_Right, 2}, {Qt::Key_Left, 1}, {Qt::Key_Up, 0}};
        for (const auto& [key, row] : keys) {
            QTest::keyClick(list, key);
            QCOMPARE(step_row(), row);
        }
        click("stepsNext");
        click("stepsNext");
        click("stepsPrevious");
        QCOMPARE(step_row(), 1);
        QCOMPARE(grid() + caption("Label4"), solved + QStringLiteral("Yes  239"));
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!steps->isVisible());

        // Freeze and New clear it; each Solve brings its own path.
        click("cmdFreeze");
        QCOMPARE(step_list()->model()->rowCount(), 0);
        click("CmdSolve");
        QCOMPARE(step(0), QStringLiteral("Attempt 1: from the givens"));
        QCOMPARE(step_list()->model()->rowCount(), 2);
        click("cmdNew");
        QCOMPARE(step_list()->model()->rowCount(), 0);
        QCOMPARE(shown(step_grid()), kEmptyGrid);
    }

    void hint_shows_the_unit_then_the_cell_then_types_the_digit_that_solve_places_first() {
        solve(kShown);
        const QRegularExpressionMatch first = QRegularExpression(QStringLiteral("^1\\. ((\\d) in row (\\d), column (\\d): .+)$")).match(step(1));
        QVERIFY2(first.hasMatch(), qPrintable(step(1)));
        QList<int> unit;  // the unit the Steps window tints for that placement, by box index
        press(QKeySequence(Qt::CTRL | Qt::Key_T));
        QTest::keyClick(step_list(), Qt::Key_Down);
        for (int i = 0; i < varendo::kCellCount; ++i) if (step_grid().tinted[static_cast<std::size_t>(i)]) unit << varendo::index_of(i / 9 + 1, i % 9 + 1);
        std::sort(unit.begin(), unit.end());
        window_->activateWindow();
        click("cmdRestart");
        const QString labels = caption("Label1") + caption("Label4");
        const int row = first.captured(3).toInt();
        const int column = first.captured(4).toInt();

        press(QKeySequence(Qt::Key_F2));
        QVERIFY2(hint_line().startsWith(QStringLiteral("A digit can be placed in ")), qPrintable(hint_line()));
        QCOMPARE(unit_cells(hint_line().section(u' ', -2)), tinted());
        QCOMPARE(tinted(), unit);
        QCOMPARE(overlay().outlined(), -1);
        // A change of the grid starts again; one back as it was too.
        QTest::keyClicks(cell(1, 3), QStringLiteral("\b"));
        QTest::keyClicks(cell(1, 3), QStringLiteral("3"));
        QVERIFY(tinted().isEmpty() && hint_line().isEmpty());
        press(QKeySequence(Qt::Key_F2));
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(hint_line(), QStringLiteral("A digit can be placed in row %1, column %2").arg(row).arg(column));
        QCOMPARE(overlay().outlined(), varendo::index_of(row, column));
        QCOMPARE(tinted(), unit);
        QVERIFY(cell(row, column)->text().isEmpty());
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(cell(row, column)->text(), first.captured(2));
        QCOMPARE(hint_line(), first.captured(1));
        QVERIFY(tinted().isEmpty() && overlay().outlined() == -1);
        // Nothing but the cell changed, and the digit is one step of history.
        QCOMPARE(caption("Label1") + caption("Label4"), labels);
        QCOMPARE(history(), QStringLiteral("&Undo Hint|&Redo"));
        press(QKeySequence::Undo);
        QCOMPARE(grid(), kShown);
        press(QKeySequence::Redo);
        QCOMPARE(cell(row, column)->text(), first.captured(2));
        QCOMPARE(window_->messages, QStringList{QStringLiteral("Sudoku Solved")});
    }

    void hint_tells_first_of_a_repeat_a_wrong_digit_or_a_stall() {
        QVERIFY(!action("hint")->isEnabled());  // nothing to hint at before New
        // On an empty grid elimination places nothing: the guess Solve makes first.
        click("cmdNew");
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(hint_line(), QStringLiteral("No digit follows from here by elimination; Solve would guess 1 in row 1, column 1"));
        QCOMPARE(overlay().outlined(), 0);

        // A repeat, as Check tells it.
        paste(QString(kShown).replace(0, 1, u'3'));
        press(QKeySequence(Qt::Key_F2));
        press(QKeySequence(Qt::CTRL | Qt::Key_K));
        QCOMPARE(window_->messages.last(), QStringLiteral("Digit 3 appears twice in row 1."));
        QCOMPARE(hint_line(), window_->messages.last());
        QCOMPARE(tinted(), unit_cells(QStringLiteral("row 1")));

        // A typed digit that repeats nothing but is not the solution's, named before anything else.
        paste(kShown);
        click("cmdFreeze");
        QTest::keyClicks(cell(1, 1), QStringLiteral("5"));
        press(QKeySequence(Qt::Key_F2));
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(hint_line(), QStringLiteral("The 5 in row 1, column 1 is not part of the solution"));
        QCOMPARE(overlay().outlined(), varendo::index_of(1, 1));
        QCOMPARE(grid(), QString(kShown).replace(0, 1, u'5'));
    }
};

QTEST_MAIN(GuidanceTest)
#include "guidance_test.moc"
