#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include "window/sudoku.h"

int main(int argc, char* argv[]) {
    QApplication::setApplicationName(QStringLiteral("Varendo"));
    QApplication::setApplicationVersion(QStringLiteral(VARENDO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("varendo"));

    QCommandLineParser parser;
    // Qt's own options are single-dash words (-reverse), not bundles of letters (-r -e -v ...).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Type in a 9x9 Sudoku puzzle and let the program solve it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("puzzle-file"),
                                 QStringLiteral("A puzzle to open: one line of 81 cells, or nine lines of nine."),
                                 QStringLiteral("[puzzle-file]"));
    {
        // --help and --version need no display, so they are answered before the window
        // system starts; Qt's own options (-platform, ...) are taken only after that, and
        // unknown ones reported then.
        const QCoreApplication console(argc, argv);
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(version)) parser.showVersion();
        if (parser.isSet(help)) parser.showHelp();
    }

    QApplication app(argc, argv);
    parser.process(app);
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("varendo"), QIcon(QStringLiteral(":/varendo.svg"))));

    varendo::Sudoku window;
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) window.open_puzzle_file(files.first());
    return QApplication::exec();
}
