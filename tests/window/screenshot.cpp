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

namespace {

constexpr char kPuzzle[] =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QTemporaryDir step_directory;
    RecordingSudoku window(step_directory.path());
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdNew")), Qt::LeftButton);
    for (int i = 0; i < varendo::kCellCount; ++i) {
        const int index = varendo::index_of(i / 9 + 1, i % 9 + 1);
        auto* cell = window.findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(index));
        QTest::keyClick(cell, kPuzzle[i]);
    }
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdFreeze")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("CmdSolve")), Qt::LeftButton);
    if (window.messages != QStringList{QStringLiteral("Sudoku Solved")}) {
        std::fprintf(stderr, "the puzzle was not solved\n");
        return 1;
    }
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
