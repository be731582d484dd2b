// Makes the digit templates at build time: each font face's digits drawn in a grid, found,
// straightened and cut by the very code that reads a picture, and written as a C++ table.
// Usage: varendo-make-templates OUTPUT FONT-FILE...

#include <QGuiApplication>
#include <QRawFont>
#include <QSaveFile>
#include <cstdio>

#include "picture/cell_cutter.h"
#include "picture/grid_drawing.h"

namespace {

using namespace varendo;

// Every digit nine times, as in a solved grid.
std::array<std::uint8_t, 81> all_digits() {
    std::array<std::uint8_t, 81> digits{};
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 9; ++column)
            digits[row * 9 + column] = static_cast<std::uint8_t>((row * 3 + row / 3 + column) % 9 + 1);
    return digits;
}

// The ink of each digit, averaged over its nine cells, as a face draws it at one size.
// A drawing blurred (shrunk by `blur` across and `shake` down, and grown back) stands for a
// soft photo, or one taken with a shaking hand.
bool cut_digits(const GridLook& look, int blur, int shake, std::array<DigitInk, 10>& inks, std::array<bool, 10>& made,
                QString& error) {
    const std::array<std::uint8_t, 81> digits = all_digits();
    QImage drawn = draw_grid(digits, look);
    const bool blurred = blur > 1 || shake > 1;
    if (blurred)
        drawn = drawn.scaled(drawn.width() / blur, drawn.height() / shake, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const GrayImage picture = to_gray(drawn);
    const std::optional<Quad> corners = find_grid(picture);
    if (!corners) {
        error = QStringLiteral("no grid found at cell size %1").arg(look.cell);
        return false;
    }
    const std::array<CellCut, 81> cells = cut_cells(straighten(picture, *corners));
    inks = {};
    std::array<int, 10> cut{};
    for (int cell = 0; cell < 81; ++cell) {
        if (!cells[cell].ink) continue;
        ++cut[digits[cell]];
        for (std::size_t p = 0; p < cells[cell].ink->size(); ++p) inks[digits[cell]][p] += (*cells[cell].ink)[p];
    }
    // A sharp drawing must give every cell; a blurred one may lose a face's palest digit,
    // which then has no template of that look.
    for (int digit = 1; digit <= 9; ++digit) {
        if (!blurred && cut[digit] < 9) {
            error = QStringLiteral("digit %1 not cut at cell size %2").arg(digit).arg(look.cell);
            return false;
        }
        made[digit] = cut[digit] > 0;
        if (made[digit])
            for (float& ink : inks[digit]) ink /= static_cast<float>(cut[digit]);
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: varendo-make-templates OUTPUT FONT-FILE...\n");
        return 2;
    }
    QString table;
    QString labels;
    QString misty;
    int count = 0;
    for (int i = 2; i < argc; ++i) {
        GridLook look;
        look.face = QRawFont(QString::fromLocal8Bit(argv[i]), 50);
        if (!look.face.isValid()) {
            std::fprintf(stderr, "varendo-make-templates: cannot load the font %s\n", argv[i]);
            return 1;
        }
        struct Variant {
            int cell;
            double height;
            int blur;
            int shake;
            bool misty;
        };
        // Sharp digits large and small, a soft photo's, a shaken photo's, whose strokes
        // across are much paler than those down, and a misty photo's small digits, blurred
        // by a fifth of their height, whose narrow openings (a 3's, a 7's) are filled in.
        for (const Variant variant : {Variant{24, 0.6, 1, 1, false}, Variant{44, 0.7, 1, 1, false}, Variant{48, 0.55, 3, 3, false},
                                      Variant{44, 0.5, 1, 3, false}, Variant{44, 0.42, 4, 4, true}}) {
            look.cell = variant.cell;
            look.digit_height = variant.height;
            std::array<DigitInk, 10> inks;
            std::array<bool, 10> made{};
            QString error;
            if (!cut_digits(look, variant.blur, variant.shake, inks, made, error)) {
                std::fprintf(stderr, "varendo-make-templates: %s: %s\n", argv[i], qPrintable(error));
                return 1;
            }
            for (int digit = 1; digit <= 9; ++digit) {
                if (!made[digit]) continue;
                table += QStringLiteral("    {");
                for (const float ink : inks[digit]) table += QString::number(qRound(ink * 255)) + u',';
                table += QStringLiteral("},\n");
                labels += QString::number(digit) + u',';
                misty += variant.misty ? QStringLiteral("true,") : QStringLiteral("false,");
                ++count;
            }
        }
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly)) return 1;
    out.write(QStringLiteral("// Made by varendo-make-templates from %1 font faces.\n"
                             "constexpr int kTemplateDigits[%2] = {%3};\n"
                             "constexpr bool kTemplateMisty[%2] = {%4};\n"
                             "constexpr std::uint8_t kTemplateInk[%2][%5] = {\n%6};\n")
                  .arg(argc - 2).arg(count).arg(labels, misty).arg(kInkSide * kInkSide).arg(table)
                  .toUtf8());
    return out.commit() ? 0 : 1;
}
