// Draws the README's pictures into the three PNG files named on the command line: the window
// after it has solved a puzzle typed in as a person would, then the Steps window after a
// Solve that had to start again, on a placement of the second run, and last the window of a
// person solving by hand: candidates shown, some struck, a digit highlighted, a mistake shown.
#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "recording_sudoku.h"
#include "solver/units.h"
#include "window/steps/steps_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 4) return std::fprintf(stderr, "usage: %s WINDOW.png STEPS.png MARKS.png\n", argv[0]), 2;
    QTemporaryDir step_directory;
    RecordingSudoku window(step_directory.path());
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return std::fprintf(stderr, "the window did not open\n"), 1;
    const auto click = [&window](const char* name) { QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); };
    const auto cell = [&window](int row, int column) { return window.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(varendo::index_of(row, column))); };
    const auto solve = [&] {
        click("cmdFreeze");
        click("CmdSolve");
        return window.messages.size() == 1 && window.messages.takeFirst() == QStringLiteral("Sudoku Solved");
    };

    click("cmdNew");
    const char* puzzle = "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
    for (int i = 0; i < varendo::kCellCount; ++i) QTest::keyClick(cell(i / 9 + 1, i % 9 + 1), puzzle[i]);
    if (!solve()) return std::fprintf(stderr, "the puzzle was not solved\n"), 1;
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) return std::fprintf(stderr, "cannot write %s\n", argv[1]), 1;

    // The menus' keys, pressed in a cell as a person would.
    QGuiApplication::clipboard()->setText(
        QStringLiteral("8.1..94..9...637....7......1.6......3....79...2...4.......9.63.4...2.........1.28"));
    click("cmdNew");
    cell(1, 1)->setFocus();
    QTest::keySequence(cell(1, 1), QKeySequence::Paste);
    if (!solve()) return std::fprintf(stderr, "the puzzle that starts again was not solved\n"), 1;
    cell(1, 1)->setFocus();
    QTest::keySequence(cell(1, 1), QKeySequence(Qt::CTRL | Qt::Key_T));
    auto* steps = window.findChild<varendo::StepsWindow*>();
    auto* list = steps->findChild<QListView*>(QStringLiteral("stepList"));
    // The second digit placed by a unit's last place after the givens were loaded again.
    const QAbstractItemModel& rows = *list->model();
    int row = 0;
    while (row < rows.rowCount() && !rows.index(row, 0).data().toString().startsWith(QStringLiteral("Attempt 1, run 2"))) ++row;
    for (int found = 0; row + 1 < rows.rowCount() && found < 2;)
        found += rows.index(++row, 0).data().toString().contains(QStringLiteral("the only place for"));
    list->setCurrentIndex(rows.index(row, 0));
    list->scrollTo(rows.index(row, 0), QAbstractItemView::PositionAtCenter);
    if (!steps->isVisible() || !steps->grab().save(QString::fromLocal8Bit(argv[2])))
        return std::fprintf(stderr, "cannot write %s\n", argv[2]), 1;
    steps->close();

    const auto keys = [&](int row, int column, const QKeySequence& sequence) {
        cell(row, column)->setFocus();
        QTest::keySequence(cell(row, column), sequence);
    };
    QGuiApplication::clipboard()->setText(QString::fromLatin1(puzzle));
    keys(1, 1, QKeySequence::Paste);
    click("cmdFreeze");
    keys(1, 1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    keys(1, 1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    QTest::keyClick(cell(1, 1), '4');
    QTest::keyClick(cell(3, 1), '5');  // the solution has 2 there
    keys(1, 8, QKeySequence(Qt::CTRL | Qt::Key_7));
    keys(5, 5, QKeySequence(Qt::CTRL | Qt::Key_6));  // the solution needs 6 there
    keys(5, 5, QKeySequence(Qt::ALT | Qt::Key_5));
    cell(5, 5)->clearFocus();
    if (!window.grab().save(QString::fromLocal8Bit(argv[3]))) return std::fprintf(stderr, "cannot write %s\n", argv[3]), 1;
    return 0;
}
