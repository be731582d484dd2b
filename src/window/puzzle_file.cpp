#include "window/puzzle_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "commands/puzzle_text.h"

namespace varendo {

namespace {

// Far more than any file of a few puzzles needs.
constexpr qint64 kLargestPuzzleFile = 1 << 20;

QString quoted(const QString& path) { return u'“' + QDir::toNativeSeparators(path) + u'”'; }

}  // namespace

std::optional<Grid81> read_puzzle_file(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open %1: %2").arg(quoted(path), file.errorString());
        return std::nullopt;
    }
    // One byte past the limit tells a file too large without reading it all.
    const QByteArray bytes = file.read(kLargestPuzzleFile + 1);
    std::string fault;
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read %1: %2").arg(quoted(path), file.errorString());
    } else if (bytes.size() > kLargestPuzzleFile) {
        error = QStringLiteral("%1 is too large for a puzzle file: over 1 MiB").arg(quoted(path));
    } else if (bytes.contains('\0')) {
        error = QStringLiteral("%1 is not a text file").arg(quoted(path));
    } else if (std::optional<Grid81> cells = read_puzzle(bytes.toStdString(), fault)) {
        return cells;
    } else {
        error = QStringLiteral("No puzzle in %1: %2").arg(quoted(path), QString::fromStdString(fault));
    }
    return std::nullopt;
}

bool write_puzzle_file(const QString& path, const Grid81& cells, QString& error) {
    const QByteArray line = QByteArray::fromStdString(puzzle_text(cells) + '\n');
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.commit()) return true;
    error = QStringLiteral("Cannot save %1: %2").arg(quoted(path), file.errorString());
    return false;
}

}  // namespace varendo
