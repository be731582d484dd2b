// Draws the Steps window after a Solve that had to start again, on a placement of the second
// run, into the PNG file named on the command line.
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
#include "window/steps_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) return std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]), 2;
    QTemporaryDir step_directory;
    RecordingSudoku window(step_directory.path());
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return std::fprintf(stderr, "the window did not open\n"), 1;
    // The menus' keys, pressed in a cell as a person would.
    auto* cell = window.findChild<QLineEdit*>(QStringLiteral("Text1_0"));
    QGuiApplication::clipboard()->setText(
        QStringLiteral("8.1..94..9...637....7......1.6......3....79...2...4.......9.63.4...2.........1.28"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdNew")), Qt::LeftButton);
    cell->setFocus();
    QTest::keySequence(cell, QKeySequence::Paste);
    for (const char* name : {"cmdFreeze", "CmdSolve"})
        QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    if (window.messages != QStringList{QStringLiteral("Sudoku Solved")}) return std::fprintf(stderr, "the puzzle was not solved\n"), 1;
    cell->setFocus();
    QTest::keySequence(cell, QKeySequence(Qt::CTRL | Qt::Key_T));
    auto* steps = window.findChild<varendo::StepsWindow*>();
    auto* list = steps->findChild<QListView*>();
    // The second digit placed by a unit's last place after the givens were loaded again.
    const QAbstractItemModel& rows = *list->model();
    int row = 0;
    while (row < rows.rowCount() && !rows.index(row, 0).data().toString().startsWith(QStringLiteral("Attempt 1, run 2"))) ++row;
    for (int found = 0; row + 1 < rows.rowCount() && found < 2;)
        found += rows.index(++row, 0).data().toString().contains(QStringLiteral("the only place for"));
    list->setCurrentIndex(rows.index(row, 0));
    list->scrollTo(rows.index(row, 0), QAbstractItemView::PositionAtCenter);
    if (!steps->isVisible() || !steps->grab().save(QString::fromLocal8Bit(argv[1])))
        return std::fprintf(stderr, "cannot write %s\n", argv[1]), 1;
    return 0;
}
