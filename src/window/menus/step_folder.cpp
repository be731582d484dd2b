#include "window/menus/step_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace varendo {

namespace {

// The folders the programs are installed in: by `cmake --install` and by the package.
bool is_installed_folder(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    for (const char* installed : {VARENDO_INSTALL_BINDIR, VARENDO_PACKAGE_BINDIR})
        if (clean == QDir::cleanPath(QString::fromUtf8(installed))) return true;
    return false;
}

}  // namespace

QString step_folder(const QString& program_folder) {
    const QFileInfo folder(program_folder);
    // Root may write anywhere; a folder whose owner may not write it is still closed.
    const bool writable = folder.isDir() && folder.isWritable() && folder.permission(QFileDevice::WriteOwner);
    if (writable && !is_installed_folder(folder.absoluteFilePath())) return folder.absoluteFilePath();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

}  // namespace varendo
