// Draws the window after it has solved a puzzle, typed in as a person would, into the PNG
// file named on the command line.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "recording_sudoku.h"
#include "solver/units.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) return std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]), 2;
    QTemporaryDir step_directory;
    RecordingSudoku window(step_directory.path());
    window.show();
    const auto click = [&window](const char* name) { QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); };
    click("cmdNew");
    const char* puzzle = "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
    for (int i = 0; i < varendo::kCellCount; ++i)
        QTest::keyClick(window.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(varendo::index_of(i / 9 + 1, i % 9 + 1))), puzzle[i]);
    click("cmdFreeze");
    click("CmdSolve");
    if (window.messages != QStringList{QStringLiteral("Sudoku Solved")}) return std::fprintf(stderr, "the puzzle was not solved\n"), 1;
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) return std::fprintf(stderr, "cannot write %s\n", argv[1]), 1;
    return 0;
}
