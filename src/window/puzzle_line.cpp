#include "window/puzzle_line.h"

namespace varendo {

std::optional<GridDigits> read_puzzle_line(const QString& text) {
    const QString line = text.trimmed();
    if (line.size() != kCellCount) return std::nullopt;
    GridDigits digits{};
    for (int i = 0; i < kCellCount; ++i) {
        const QChar c = line[i];
        int digit = 0;
        if (c >= u'1' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (c != u'0' && c != u'.')
            return std::nullopt;
        digits[index_of(i / 9 + 1, i % 9 + 1)] = digit;
    }
    return digits;
}

QString write_puzzle_line(const GridDigits& digits) {
    QString line;
    line.reserve(kCellCount);
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const int digit = digits[index_of(row, column)];
            line += digit == 0 ? QChar(u'.') : QChar(u'0' + digit);
        }
    }
    return line;
}

}  // namespace varendo
