#include "window/step_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace varendo {

QString step_folder(const QString& preferred) {
    const QFileInfo folder(preferred);
    if (folder.isDir() && folder.isWritable()) return folder.absoluteFilePath();
    // Installed under /usr, the program's own folder is closed to the user.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

}  // namespace varendo
