#include <QApplication>
#include <QIcon>

#include "window/sudoku.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varendo"));
    QApplication::setApplicationVersion(QStringLiteral(VARENDO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("varendo"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("varendo"), QIcon(QStringLiteral(":/varendo.svg"))));

    varendo::Sudoku window;
    window.show();
    return QApplication::exec();
}
