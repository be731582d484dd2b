// Undo and Redo, Hint and the Steps window, driven as a person drives them: keys into the
// cells and the menus, clicks on the buttons.
#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "recording_sudoku.h"
#include "solver/units.h"

namespace {

// Row by row, '.' for an empty cell.
const QString kPuzzle = QStringLiteral(
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");
const QString kEmptyGrid(81, u'.');

}  // namespace

class GuidanceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<RecordingSudoku> window_;

    QLineEdit* cell(int row, int column) const {
        return window_->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(varendo::index_of(row, column)));
    }
    QLineEdit* cell(int i) const { return cell(i / 9 + 1, i % 9 + 1); }
    QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(QLatin1String(name)); }
    QAction* action(const char* name) const { return window_->findChild<QAction*>(QLatin1String(name)); }
    QString caption(const char* label) const { return window_->findChild<QLabel*>(QLatin1String(label))->text(); }
    static QColor text_color(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // A menu's keys, pressed in a cell as a person would.
    void press(const QKeySequence& keys, int row = 5, int column = 5) {
        cell(row, column)->setFocus(Qt::OtherFocusReason);
        QTest::keySequence(cell(row, column), keys);
    }
    void paste(const QString& puzzle) {
        QApplication::clipboard()->setText(puzzle);
        press(QKeySequence::Paste);
    }

    // Row by row, '.' for an empty cell.
    QString grid() const {
        QString text;
        for (int i = 0; i < varendo::kCellCount; ++i) text += cell(i)->text().leftJustified(1, u'.');
        return text;
    }
    // What the next Undo and Redo would take back or bring again.
    QString history() const { return action("undo")->text() + u'|' + action("redo")->text(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        directory_ = std::make_unique<QTemporaryDir>();
        window_ = std::make_unique<RecordingSudoku>(directory_->path());
        window_->show();
        window_->activateWindow();
        QVERIFY(directory_->isValid() && QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); directory_.reset(); }

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
        paste(kPuzzle);
        QCOMPARE(grid(), kPuzzle);
        press(QKeySequence::Undo);
        QCOMPARE(grid(), typed);
        press(QKeySequence::Redo);
        QCOMPARE(grid() + u'|' + history(), kPuzzle + QStringLiteral("|&Undo Load|&Redo"));
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
};

QTEST_MAIN(GuidanceTest)
#include "guidance_test.moc"
