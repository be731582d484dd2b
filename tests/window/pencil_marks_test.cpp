// Solving by hand: pencil marks by Ctrl+digit and Pencil mode, the candidates, the highlighted
// digit, mistakes, and marks through Undo, Hint, the clipboard and files.
#include "window/form/cell_edit.h"
#include "window_test.h"

namespace {

using varendo::Digits;

Digits digits(std::initializer_list<int> list) {
    Digits set = 0;
    for (const int d : list) set |= varendo::digit_bit(d);
    return set;
}

}  // namespace

class PencilMarksTest : public WindowTest {
    Q_OBJECT

private:
    varendo::CellEdit* box(int row, int column) const { return static_cast<varendo::CellEdit*>(cell(row, column)); }
    Digits marks(int row, int column) const { return box(row, column)->marks(); }
    void mark(int row, int column, int digit) { press(QKeySequence(Qt::CTRL | (Qt::Key_0 + digit)), row, column); }
    void frozen() {
        paste(QString::fromLatin1(kPuzzle));
        click("cmdFreeze");
    }

private slots:
    void ctrl_digits_mark_a_cell_and_undo_takes_them_back() {
        frozen();
        mark(1, 1, 1);
        mark(1, 1, 5);
        mark(1, 3, 5);  // a given takes no mark
        QCOMPARE(marks(1, 1), digits({1, 5}));
        QCOMPARE(cell(1, 1)->text(), QString());
        QCOMPARE(cell(1, 1)->accessibleDescription(), QStringLiteral("Empty, marks 1, 5"));
        press(QKeySequence::Undo);
        QCOMPARE(marks(1, 1), digits({1}));
        press(QKeySequence::Redo);
        QCOMPARE(marks(1, 1), digits({1, 5}));

        // A digit typed cleans itself from the cells that see it, in one step with the digit.
        mark(9, 1, 5);
        mark(1, 8, 3);
        QTest::keyClick(cell(1, 2), '5');
        QCOMPARE(marks(1, 1), digits({1}));
        QCOMPARE(marks(9, 1), digits({5}));
        press(QKeySequence::Undo);
        QCOMPARE(cell(1, 2)->text(), QString());
        QCOMPARE(marks(1, 1), digits({1, 5}));
        // A 3 beside the given 3 is a mistake and cleans nothing.
        QTest::keyClick(cell(1, 2), '3');
        QCOMPARE(marks(1, 8), digits({3}));

        // New takes the marks away; Freeze and Restart keep them.
        click("cmdRestart");
        QCOMPARE(marks(1, 1), digits({1, 5}));
        window_->findChild<QAction*>(QStringLiteral("clearPencilMarks"))->trigger();
        QCOMPARE(marks(1, 1), Digits{});
        press(QKeySequence::Undo);
        QCOMPARE(marks(1, 1), digits({1, 5}));
        click("cmdNew");
        QCOMPARE(marks(1, 1), Digits{});
    }

    void pencil_mode_toggles_marks_by_typing_and_delete_clears_them() {
        frozen();
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
        QVERIFY(window_->findChild<QLabel*>(QStringLiteral("pencilIndicator"))->isVisible());
        QTest::keyClicks(cell(1, 1), QStringLiteral("474"));
        QCOMPARE(cell(1, 1)->text(), QString());
        QCOMPARE(marks(1, 1), digits({7}));
        QTest::keyClick(cell(1, 1), Qt::Key_Backspace);
        QCOMPARE(marks(1, 1), Digits{});
        action("pencilMode")->trigger();
        QVERIFY(!window_->findChild<QLabel*>(QStringLiteral("pencilIndicator"))->isVisible());
        QTest::keyClick(cell(1, 1), '4');
        QCOMPARE(cell(1, 1)->text(), QStringLiteral("4"));
    }

    void candidates_highlight_and_mistakes_show_what_the_grid_allows() {
        frozen();
        mark(1, 1, 9);
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
        QCOMPARE(marks(1, 1), digits({4, 5}));
        QCOMPARE(marks(1, 3), Digits{});
        mark(1, 1, 4);  // struck
        QCOMPARE(marks(1, 1), digits({5}));

        press(QKeySequence(Qt::ALT | Qt::Key_5));
        QVERIFY(box(1, 1)->tinted() && box(2, 6)->tinted() && !box(1, 3)->tinted());
        QCOMPARE(window_->statusBar()->currentMessage(), QStringLiteral("Digit 5 highlighted"));
        press(QKeySequence(Qt::Key_Escape));
        QVERIFY(!box(1, 1)->tinted());

        // Nothing gives the solution away until Show Mistakes.
        QTest::keyClick(cell(1, 2), '2');
        QVERIFY(!box(1, 1)->mistake() && !box(1, 2)->mistake());
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
        QVERIFY(box(1, 1)->mistake() && box(1, 2)->mistake() && !box(1, 4)->mistake());
        QTest::keyClick(cell(1, 2), Qt::Key_Backspace);
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(caption("hintLine"), QStringLiteral("4 was struck from row 1, column 1, but the solution needs it there"));
        // Without candidates, the own marks show again.
        action("showCandidates")->trigger();
        QCOMPARE(marks(1, 1), digits({9}));
    }

    void hints_third_press_cleans_the_marks_as_typing_does() {
        QString marked;
        for (int i = 0; i < varendo::kCellCount; ++i)
            marked += (kPuzzle[i] == '0' ? QStringLiteral("123456789") : QString(QLatin1Char(kPuzzle[i]))) + (i % 9 == 8 ? u'\n' : u' ');
        paste(marked);
        click("cmdFreeze");
        const QString before = grid();
        for (int press = 0; press < 3; ++press) this->press(QKeySequence(Qt::Key_F2));
        int placed = 0;
        while (placed < 81 && grid()[placed] == before[placed]) ++placed;
        QVERIFY(placed < 81);
        const int digit = grid()[placed].digitValue();
        const int row = placed / 9 + 1, column = placed % 9 + 1;
        QCOMPARE(marks(row, column % 9 + 1) & varendo::digit_bit(digit), 0);
        QCOMPARE(marks(row % 9 + 1, column) & varendo::digit_bit(digit), 0);
        // A cell in another band and stack keeps it.
        const int far_row = (row + 4) % 9 + 1, far_column = (column + 4) % 9 + 1;
        if (cell(far_row, far_column)->text().isEmpty()) QVERIFY(marks(far_row, far_column) & varendo::digit_bit(digit));
    }

    void marks_go_to_the_clipboard_and_files_as_a_pencil_mark_grid_and_come_back() {
        frozen();
        mark(1, 1, 1);
        mark(1, 1, 5);
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
        const QString text = QApplication::clipboard()->text();
        QCOMPARE(text.count(u'\n'), 13);
        QVERIFY2(text.contains(QStringLiteral("| 15  .  3 |")), qPrintable(text));
        click("cmdNew");
        press(QKeySequence::Paste);
        QCOMPARE(marks(1, 1), digits({1, 5}));
        QCOMPARE(grid(), shown(kPuzzle));

        window_->chosen_file = path(QStringLiteral("marked"));
        action("savePuzzleWithMarks")->trigger();
        click("cmdNew");
        window_->open_puzzle_file(path(QStringLiteral("marked.txt")));
        QCOMPARE(marks(1, 1), digits({1, 5}));
        QVERIFY(window_->messages.isEmpty());

        // Print and PDF take the marks as the cells show them.
        const auto pdf_size = [this](const QString& name) {
            window_->chosen_file = path(name);
            action("exportPdf")->trigger();
            return QFileInfo(path(name)).size();
        };
        const qint64 marked = pdf_size(QStringLiteral("marked.pdf"));
        window_->findChild<QAction*>(QStringLiteral("clearPencilMarks"))->trigger();
        QVERIFY(pdf_size(QStringLiteral("plain.pdf")) < marked);
    }
};

QTEST_MAIN(PencilMarksTest)
#include "pencil_marks_test.moc"
