#include <QApplication>
#include <QCommandLineParser>

#include "window/sudoku.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varendo"));
    QApplication::setApplicationVersion(QStringLiteral(VARENDO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("varendo"));

    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("puzzle-file"),
                                 QStringLiteral("A puzzle to open: one line of 81 cells, or nine lines of nine."),
                                 QStringLiteral("[puzzle-file]"));
    parser.process(app);

    varendo::Sudoku window;
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) window.open_puzzle_file(files.first());
    return QApplication::exec();
}
