#include "window/menus/puzzle_file.h"

#include <QFile>
#include <QSaveFile>

#include "window/form/message_box.h"

namespace varendo {

namespace {

// A puzzle starts within this much of a file, or the file is taken for something else.
constexpr qint64 kPuzzleSearchLimit = 1 << 20;

}  // namespace

std::optional<MarkedGrid> read_puzzle_file(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open %1: %2").arg(quoted_path(path), file.errorString());
        return std::nullopt;
    }
    // Whole lines up to the limit: the first puzzle of a collection of any size lies in them.
    QByteArray bytes;
    while (bytes.size() < kPuzzleSearchLimit && !file.atEnd()) {
        const QByteArray line = file.readLine(kPuzzleSearchLimit - bytes.size() + 1);
        if (line.isEmpty()) break;
        bytes += line;
    }
    const bool whole_file = file.atEnd();
    std::string fault;
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read %1: %2").arg(quoted_path(path), file.errorString());
    } else if (bytes.contains('\0')) {
        error = QStringLiteral("%1 is not a text file").arg(quoted_path(path));
    } else if (std::optional<MarkedGrid> grid = read_marked_puzzle(bytes.toStdString(), fault)) {
        return grid;
    } else if (!whole_file) {
        error = QStringLiteral("No puzzle in the first MiB of %1: %2").arg(quoted_path(path), QString::fromStdString(fault));
    } else {
        error = QStringLiteral("No puzzle in %1: %2").arg(quoted_path(path), QString::fromStdString(fault));
    }
    return std::nullopt;
}

bool write_puzzle_file(const QString& path, const std::string& text, QString& error) {
    const QByteArray line = QByteArray::fromStdString(text);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.commit()) return true;
    error = QStringLiteral("Cannot save %1: %2").arg(quoted_path(path), file.errorString());
    return false;
}

}  // namespace varendo
