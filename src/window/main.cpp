#include <QApplication>

#include "window/sudoku.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varendo"));
    QApplication::setApplicationVersion(QStringLiteral(VARENDO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("varendo"));

    varendo::Sudoku window;
    window.show();
    return QApplication::exec();
}
