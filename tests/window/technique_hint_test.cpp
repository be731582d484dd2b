// Hint by technique where Solve's eliminations stall, and the Logic tab of the Steps window:
// F2 pressed as a person presses it, the marks read back from the cells.
#include "commands/marks_text.h"
#include "commands/technique_hint.h"
#include "logic/step_text.h"
#include "window/form/cell_edit.h"
#include "window/guidance/hint_overlay.h"
#include "window/steps/steps_window.h"
#include "window_test.h"

namespace {

using varendo::logic::Technique;

// After its singles this one needs a naked pair; this one needs a Y-cycle later on.
constexpr char kPairPuzzle[] = "63..1.9.....95.......4..7...8.3.......4..58..56...94.......7.94..3.6....75.....1.";
constexpr char kChainPuzzle[] = "7.5.2...3.......9..269.17........61..6..5...7..7.1...4.....53.6.........4.369..2.";

varendo::Grid81 grid_of(const char* puzzle) {
    varendo::Grid81 grid{};
    for (int i = 0; i < varendo::kCellCount; ++i) grid[i] = puzzle[i] == '.' ? 0 : puzzle[i] - '0';
    return grid;
}

// The puzzle as the human ladder stands before its first step of a technique: the digits and
// candidates as a pencil-mark grid to paste, and that step.
std::pair<QString, varendo::logic::Step> before_first(const char* puzzle, Technique technique) {
    const varendo::LogicalReport report = varendo::logical_report(grid_of(puzzle));
    std::size_t i = 0;
    while (report.human.steps.at(i).technique != technique) ++i;
    const varendo::logic::CandidateGrid& grid = report.before[i];
    varendo::GridDigits candidates{};
    for (int cell = 0; cell < varendo::kCellCount; ++cell) candidates[cell] = static_cast<varendo::Digits>(grid.candidates(cell) << 1);
    return {QString::fromStdString(varendo::marks_grid_text(grid.digits(), candidates)), report.human.steps[i]};
}

}  // namespace

class TechniqueHintTest : public WindowTest {
    Q_OBJECT

private:
    QString hint_line() const { return caption("hintLine"); }
    const varendo::HintOverlay& overlay() const { return *window_->findChild<varendo::HintOverlay*>(); }
    varendo::Digits marks(int cell) const { return static_cast<varendo::CellEdit*>(this->cell(cell))->marks(); }

    // Three presses of F2 on the grid before the step: where, the pattern, the step taken.
    void three_presses(const char* puzzle, Technique technique, const QString& where) {
        const auto [grid, step] = before_first(puzzle, technique);
        paste(grid);
        click("cmdFreeze");
        QVERIFY(!action("showCandidates")->isChecked());
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(hint_line(), where);
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(hint_line(), QString::fromStdString(varendo::logic::step_text(step)));
        for (const varendo::logic::Candidate& gone : step.eliminations) {
            QVERIFY(overlay().pattern().eliminated[gone.cell] & varendo::digit_bit(gone.digit));
            QVERIFY(marks(gone.cell) & varendo::digit_bit(gone.digit));
        }
        for (const std::uint8_t cell : step.cells) QVERIFY(overlay().pattern().cells[cell]);
        press(QKeySequence(Qt::Key_F2));
        QVERIFY(action("showCandidates")->isChecked());
        for (const varendo::logic::Candidate& gone : step.eliminations) QVERIFY(!(marks(gone.cell) & varendo::digit_bit(gone.digit)));
        QCOMPARE(action("undo")->text(), QStringLiteral("&Undo Hint"));
        // One step of Undo brings every struck candidate back.
        press(QKeySequence::Undo);
        for (const varendo::logic::Candidate& gone : step.eliminations) QVERIFY(marks(gone.cell) & varendo::digit_bit(gone.digit));
        press(QKeySequence(Qt::Key_F2));
        QCOMPARE(hint_line(), where);
    }

private slots:
    void a_naked_pair_is_named_shown_and_struck() {
        three_presses(kPairPuzzle, Technique::NakedPair, QStringLiteral("Look for a Naked Pair in box 4"));
    }

    void a_chain_is_named_shown_and_struck() {
        three_presses(kChainPuzzle, Technique::XYChain, QStringLiteral("Look for an XY-Chain"));
    }

    void the_logic_tab_follows_each_freeze() {
        paste(QString::fromLatin1(kPairPuzzle));
        click("cmdFreeze");
        press(QKeySequence(Qt::CTRL | Qt::Key_T));
        auto* tabs = window_->findChild<QTabWidget*>(QStringLiteral("stepsTabs"));
        QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        auto* list = window_->findChild<QListWidget*>(QStringLiteral("logicList"));
        QTRY_VERIFY(list->count() > 0);
        const QString summary = window_->findChild<QLabel*>(QStringLiteral("logicSummary"))->text();
        QVERIFY2(summary.startsWith(QStringLiteral("SE rating ")), qPrintable(summary));
        QVERIFY(summary.contains(QStringLiteral("Naked Pair ×")));
        // The row of the pair draws its pattern.
        const QList<QListWidgetItem*> pair = list->findItems(QStringLiteral("Naked Pair"), Qt::MatchContains);
        QVERIFY(!pair.isEmpty());
        list->setCurrentItem(pair.front());
        const varendo::GridPicture& picture = window_->findChild<varendo::StepGrid*>(QStringLiteral("logicGrid"))->picture();
        QVERIFY(std::count(picture.outlined.begin(), picture.outlined.end(), true) == 2);
        QVERIFY(std::any_of(picture.eliminated.begin(), picture.eliminated.end(), [](auto d) { return d != 0; }));
        QVERIFY(picture.caption.startsWith(QStringLiteral("Naked Pair (")));
        // New empties it; a puzzle with two solutions says so.
        click("cmdNew");
        QCOMPARE(list->count(), 0);
        paste(QString::fromLatin1(kPairPuzzle).replace(0, 30, QString(30, u'.')));
        click("cmdFreeze");
        QTRY_COMPARE(window_->findChild<QLabel*>(QStringLiteral("logicSummary"))->text(),
                     QStringLiteral("The puzzle has more than one solution"));
    }
};

QTEST_MAIN(TechniqueHintTest)
#include "technique_hint_test.moc"
