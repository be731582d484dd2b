#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "window/sudoku.h"

namespace {

constexpr int kExitUsage = 2;

// The options Qt's GUI takes for itself (-platform offscreen, -style fusion, ...): known to
// the parser so that they pass, left out of --help, and taken by QApplication later.
void add_qt_options(QCommandLineParser& parser) {
    const auto hidden = [&parser](const char* name, bool takes_value) {
        QCommandLineOption option{QString::fromLatin1(name)};
        if (takes_value) option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
                             "stylesheet", "qmljsdebugger", "name", "title"})
        hidden(name, true);
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) hidden(name, false);
}

int usage_error(const QString& what) {
    std::fprintf(stderr, "varendo: %s\n", qPrintable(what));
    return kExitUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication::setApplicationName(QStringLiteral("Varendo"));
    QApplication::setApplicationVersion(QStringLiteral(VARENDO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.varendo.Varendo"));

    QCommandLineParser parser;
    // Qt's own options are single-dash words (-reverse), not bundles of letters (-r -e -v ...).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Type in a 9x9 Sudoku puzzle and let the program solve it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("puzzle-file"),
                                 QStringLiteral("A puzzle to open: one line of 81 cells, or nine lines of nine; or a picture of one."),
                                 QStringLiteral("[puzzle-file]"));
    add_qt_options(parser);
    {
        // The whole command line is read before the window system starts, so that help,
        // the version and mistakes are answered without a display.
        const QCoreApplication console(argc, argv);
        if (!parser.parse(QCoreApplication::arguments())) return usage_error(parser.errorText());
        if (parser.isSet(version)) parser.showVersion();
        if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) parser.process(console);
        if (parser.positionalArguments().size() > 1)
            return usage_error(QStringLiteral("one puzzle file at most, not %1").arg(parser.positionalArguments().size()));
    }

    QApplication app(argc, argv);
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("varendo"), QIcon(QStringLiteral(":/varendo.svg"))));

    varendo::Sudoku window;
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) window.open_puzzle_file(files.first());
    return QApplication::exec();
}
