// The recognizer over pictures drawn here from known puzzles, in faces the templates were
// not made from, condition by condition; odd pictures; and, when they lie beside the
// repository, real newspaper photos.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <cmath>
#include <fstream>
#include <functional>
#include <random>

#include "picture/grid_drawing.h"
#include "picture/picture_file.h"
#include "picture/picture_reader.h"
#include "picture/reading_rules.h"
#include "solver/exact_search.h"

namespace varendo {
namespace {

using Digits = std::array<std::uint8_t, 81>;

#ifdef __SANITIZE_ADDRESS__
constexpr std::size_t kStride = 12;
#else
constexpr std::size_t kStride = 1;
#endif

std::vector<Digits> puzzles(std::size_t count) {
    std::ifstream in(VARENDO_PUZZLE_DIR "/qqwing_expert.txt");
    std::vector<Digits> read;
    std::string line;
    while (read.size() < count && std::getline(in, line)) {
        Digits digits{};
        for (int i = 0; i < 81; ++i) digits[i] = line[i] >= '1' && line[i] <= '9' ? static_cast<std::uint8_t>(line[i] - '0') : 0;
        read.push_back(digits);
    }
    return read;
}

// Faces of another family than the templates' (fonts-liberation2).
std::vector<QRawFont> unseen_faces() {
    std::vector<QRawFont> faces;
    for (const char* name : {"LiberationSans-Regular", "LiberationSans-Bold", "LiberationSerif-Regular",
                             "LiberationSerif-Bold", "LiberationMono-Regular", "LiberationMono-Bold"})
        faces.emplace_back(QStringLiteral("/usr/share/fonts/truetype/liberation2/%1.ttf").arg(QLatin1String(name)), 40);
    return faces;
}

QImage transformed(const QImage& picture, const QTransform& transform) {
    QImage result(picture.size(), QImage::Format_RGB32);
    result.fill(picture.pixel(0, 0));
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(transform);
    painter.drawImage(0, 0, picture);
    return result;
}

QImage as_jpeg(const QImage& picture, int quality) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", quality);
    return QImage::fromData(buffer.data(), "JPEG");
}

struct Condition {
    const char* name;
    double floor;   // the share of pictures that must be read fully right
    std::function<void(GridLook&)> look;
    std::function<QImage(const QImage&)> after = [](const QImage& picture) { return picture; };
};

// The first condition has the smallest cells; the others' cells are 22 px or more. Each
// condition's floor allows one picture in eighteen misread; cells of 22 px and more are held
// together to a higher one.
const Condition kConditions[] = {
    {"cells of 16 px", 0.9, [](GridLook& l) { l.cell = 16; l.thick = 2; }},
    {"cells of 22 px", 0.94, [](GridLook& l) { l.cell = 22; }},
    {"cells of 34 px", 0.94, [](GridLook& l) { l.cell = 34; }},
    {"cells of 60 px", 0.94, [](GridLook& l) { l.cell = 60; l.thick = 4; }},
    {"dim light", 0.94, [](GridLook& l) { l.paper = QColor(0x60, 0x5c, 0x58); l.ink = QColor(0x14, 0x14, 0x14); l.lines = QColor(0x20, 0x20, 0x20); }},
    {"dark theme", 0.94, [](GridLook& l) { l.paper = QColor(0x20, 0x21, 0x24); l.ink = QColor(0xe8, 0xea, 0xed); l.lines = QColor(0x9a, 0xa0, 0xa6); }},
    {"thick borders", 0.94, [](GridLook& l) { l.cell = 36; l.thin = 2; l.thick = 6; }},
    {"thin borders, dotted lines", 0.94, [](GridLook& l) { l.thick = 2; l.dotted = true; }},
    {"shaded boxes", 0.94, [](GridLook& l) { l.box_shade = QColor(0xcc, 0xcc, 0xcc); }},
    {"pencil marks", 0.94, [](GridLook& l) { l.cell = 40; l.pencil_marks = true; }},
    {"a digit in another colour", 0.94, [](GridLook& l) { l.other_ink = QColor(0x1a, 0x5f, 0xb4); }},
    {"scaled down", 0.94, [](GridLook& l) { l.cell = 50; },
     [](const QImage& p) { return p.scaled(p.size() * 0.55, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); }},
    {"blurred", 0.94, [](GridLook& l) { l.cell = 36; },
     [](const QImage& p) { return p.scaled(p.size() / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).scaled(p.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation); }},
    {"JPEG at quality 30", 0.94, [](GridLook& l) { l.cell = 30; }, [](const QImage& p) { return as_jpeg(p, 30); }},
    {"rotated 4 degrees", 0.94, [](GridLook& l) { l.cell = 36; l.margin = 40; },
     [](const QImage& p) { return transformed(p, QTransform().translate(p.width() / 2.0, p.height() / 2.0).rotate(4).translate(-p.width() / 2.0, -p.height() / 2.0)); }},
    {"in perspective", 0.94, [](GridLook& l) { l.cell = 40; l.margin = 50; },
     [](const QImage& p) {
         QTransform t;
         const double w = p.width();
         const double h = p.height();
         QTransform::quadToQuad(QPolygonF({{0, 0}, {w, 0}, {w, h}, {0, h}}),
                                QPolygonF({{w * 0.06, h * 0.02}, {w * 0.96, h * 0.07}, {w * 0.92, h * 0.97}, {w * 0.02, h * 0.93}}), t);
         return transformed(p, t);
     }},
};

// Pictures read, and how the confidence matched the truth: each wrong cell should be in
// doubt, and as few right ones as can be.
struct Tally {
    int pictures = 0;
    int fully_right = 0;
    int wrong = 0;
    int wrong_in_doubt = 0;
    int right = 0;
    int right_in_doubt = 0;

    void add(const std::optional<PictureReading>& reading, const Digits& known) {
        ++pictures;
        if (!reading) return;
        fully_right += reading->digits == known;
        for (int cell = 0; cell < 81; ++cell) {
            const bool is_right = reading->digits[cell] == known[cell];
            (is_right ? right : wrong) += 1;
            (is_right ? right_in_doubt : wrong_in_doubt) += reading->uncertain[cell];
        }
    }
    void add(const Tally& other) {
        pictures += other.pictures;
        fully_right += other.fully_right;
        wrong += other.wrong;
        wrong_in_doubt += other.wrong_in_doubt;
        right += other.right;
        right_in_doubt += other.right_in_doubt;
    }
    void print(const char* name) const {
        std::printf("%-28s %3d of %3d fully right; wrong cells in doubt %d of %d; right cells in doubt %d of %d\n", name,
                    fully_right, pictures, wrong_in_doubt, wrong, right_in_doubt, right);
    }
};

TEST(PictureReading, ReadsDrawnGridsByCondition) {
    const std::vector<QRawFont> faces = unseen_faces();
    const std::vector<Digits> known = puzzles(3 * faces.size());
    Tally all;
    Tally cells_of_22_px_and_more;
    for (const Condition& condition : kConditions) {
        Tally tally;
        // The sanitized build, several times slower, reads a twelfth of the pictures.
        for (std::size_t i = 1 % kStride; i < known.size(); i += kStride) {
            GridLook look;
            look.face = faces[i % faces.size()];
            condition.look(look);
            tally.add(PictureReader(condition.after(draw_grid(known[i], look))).read(), known[i]);
        }
        tally.print(condition.name);
        all.add(tally);
        if (&condition != &kConditions[0]) cells_of_22_px_and_more.add(tally);
        // A twelfth of the pictures is too few for a floor: the optimised build holds them.
        if (kStride == 1) {
            EXPECT_GE(tally.fully_right, condition.floor * tally.pictures) << condition.name;
        }
    }
    all.print("all conditions");
    cells_of_22_px_and_more.print("cells of 22 px and more");
    if (kStride == 1) {
        EXPECT_GE(cells_of_22_px_and_more.fully_right, 0.99 * cells_of_22_px_and_more.pictures);
    }
    EXPECT_EQ(all.wrong_in_doubt, all.wrong) << "a misread cell not in doubt";
    // Few right cells are put in doubt, so that the doubt is worth a look.
    EXPECT_LE(all.right_in_doubt * 100, all.right);
}

TEST(PictureReading, FindsNoGridWhereThereIsNone) {
    QImage blank(800, 600, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_FALSE(PictureReader(blank).read());
    QImage text = blank;
    QPainter(&text).drawText(blank.rect(), Qt::AlignCenter, QStringLiteral("1 2 3 4 5 6 7 8 9 | + - |"));
    EXPECT_FALSE(PictureReader(text).read());
    EXPECT_FALSE(PictureReader(QImage(8, 8, QImage::Format_RGB32)).read());
    EXPECT_FALSE(PictureReader(QImage()).read());
    QImage huge(9000, 7000, QImage::Format_Grayscale8);
    huge.fill(Qt::gray);
    EXPECT_FALSE(PictureReader(huge).read());
}

// Digits too pale to be sure of are never read as empty without a doubt; a shape whose
// corners cannot be a square seen at a slant is no grid.
TEST(PictureReading, DoubtsPaleDigitsAndRefusesSlivers) {
    GridLook look;
    look.face = unseen_faces().front();
    look.other_ink = QColor(0xc0, 0xc0, 0xc0);
    const Digits known = puzzles(1).front();
    const QImage picture = draw_grid(known, look);
    const std::optional<PictureReading> reading = PictureReader(picture).read();
    ASSERT_TRUE(reading);
    for (int cell = 0; cell < 81; ++cell)
        EXPECT_TRUE(reading->digits[cell] == known[cell] || reading->uncertain[cell]) << "cell " << cell;
    QTransform sliver;
    const double w = picture.width();
    const double h = picture.height();
    ASSERT_TRUE(QTransform::quadToQuad(QPolygonF({{0, 0}, {w, 0}, {w, h}, {0, h}}),
                                       QPolygonF({{0, 0}, {w, h * 0.4}, {w, h * 0.6}, {0, h}}), sliver));
    EXPECT_FALSE(PictureReader(transformed(picture, sliver)).read());
}

// A soft photo of a bent page, whose inner lines bow away from the straight course between its
// corners, and a fold's soft shadow across a row of a flat one: both read fully right.
TEST(PictureReading, ReadsABentPageAndAFoldsShadow) {
    GridLook look;
    look.face = unseen_faces()[2];
    look.cell = 40;
    look.margin = 40;
    look.thin = 2;
    look.thick = 5;
    for (const Digits& known : puzzles(3)) {
        const QImage flat = draw_grid(known, look);
        QImage bent(flat.size(), QImage::Format_RGB32);
        for (int y = 0; y < bent.height(); ++y)
            for (int x = 0; x < bent.width(); ++x) {
                const double along = std::clamp((x - look.margin) / (9.0 * look.cell), 0.0, 1.0);
                const double bow = 0.25 * look.cell * std::sin(M_PI * along);
                bent.setPixel(x, y, flat.pixel(x, std::clamp(static_cast<int>(std::lround(y - bow)), 0, flat.height() - 1)));
            }
        const QSize soft = bent.size() / 2;
        const std::optional<PictureReading> bent_reading = PictureReader(
            bent.scaled(soft, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).scaled(bent.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)).read();
        ASSERT_TRUE(bent_reading);
        EXPECT_EQ(bent_reading->digits, known) << "bent";
        QImage shadowed = flat;
        const double top = look.margin + 4.2 * look.cell;
        QLinearGradient shadow(0, top, 0, top + 0.6 * look.cell);
        shadow.setColorAt(0, Qt::transparent);
        shadow.setColorAt(0.5, QColor(0, 0, 0, 110));
        shadow.setColorAt(1, Qt::transparent);
        QPainter(&shadowed).fillRect(QRectF(0, top, shadowed.width(), 0.6 * look.cell), shadow);
        const std::optional<PictureReading> shadowed_reading = PictureReader(shadowed).read();
        ASSERT_TRUE(shadowed_reading);
        EXPECT_EQ(shadowed_reading->digits, known) << "shadowed";
    }
}

// Faults of real photos, each put over a sharp picture, every one read fully right: the edge
// of a shadow along the last column, smudges in empty cells, grain, the lines at a corner lost
// in a glare, a grid run into light print round it, and small soft digits in a dim part.
TEST(PictureReading, ReadsThroughPhotosFaults) {
    GridLook look;
    look.face = unseen_faces()[1];
    look.cell = 40;
    look.margin = 40;
    const double side = 9.0 * look.cell;
    const double last_column = look.margin + 8.0 * look.cell;
    using Fault = std::function<QImage(QImage)>;
    const std::pair<const char*, Fault> faults[] = {
        {"shadow's edge", [&](QImage p) {
             QPainter painter(&p);
             QLinearGradient shadow(last_column + 0.6 * look.cell, 0, last_column + look.cell, 0);
             shadow.setColorAt(0, Qt::transparent);
             shadow.setColorAt(1, QColor(0, 0, 0, 200));
             painter.fillRect(QRectF(last_column, 0, look.cell, p.height()), shadow);
             painter.fillRect(QRectF(last_column + look.cell, 0, p.width(), p.height()), QColor(0, 0, 0, 200));
             return p;
         }},
        {"grain", [](QImage p) {
             std::minstd_rand grain(22);
             for (int y = 0; y < p.height(); ++y)
                 for (int x = 0; x < p.width(); ++x)
                     if (grain() % 4 == 0) p.setPixel(x, y, qRgb(150, 150, 150));
             return p;
         }},
        {"glare over a corner", [&](QImage p) {
             QPainter painter(&p);
             painter.fillRect(QRectF(look.margin - 4, look.margin - 4, 0.7 * look.cell, 8), Qt::white);
             painter.fillRect(QRectF(look.margin - 4, look.margin - 4, 8, 0.7 * look.cell), Qt::white);
             return p;
         }},
        {"light print beside", [&](QImage p) {
             QPainter painter(&p);
             painter.setPen(QPen(QColor(0xd8, 0xd8, 0xd8), 3));
             for (double y = look.margin; y <= look.margin + side; y += 6) painter.drawLine(QPointF(0, y), QPointF(look.margin, y));
             return p;
         }},
    };
    // The sanitized build draws them over one puzzle.
    for (const Digits& known : puzzles(kStride == 1 ? 3 : 1)) {
        for (const auto& [name, fault] : faults) {
            const std::optional<PictureReading> reading = PictureReader(fault(draw_grid(known, look))).read();
            ASSERT_TRUE(reading) << name;
            EXPECT_EQ(reading->digits, known) << name;
        }
        GridLook small = look;
        small.face = unseen_faces()[2];
        small.digit_height = 0.4;
        small.paper = QColor(0x70, 0x70, 0x70);
        small.ink = QColor(0x30, 0x30, 0x30);
        const QImage sharp = draw_grid(known, small);
        const QImage soft = sharp.scaled(sharp.size() / 2.5, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const std::optional<PictureReading> reading = PictureReader(soft).read();
        ASSERT_TRUE(reading);
        EXPECT_EQ(reading->digits, known) << "small soft digits";
    }
}

// A faded mark read as the very digit the solution has in its cell (a smudge on a dirty page)
// is left out, in doubt; a faded digit the puzzle cannot do without stays.
TEST(PictureReading, LeavesOutFadedDigitsThePuzzleDoesWithout) {
    const Digits known = puzzles(1).front();
    const Digits solution = find_solutions(known, 1).solution;
    PictureReading reading;
    reading.digits = known;
    DigitScores scores{};
    std::array<bool, 81> faded{};
    const auto cell_where = [&](const std::function<bool(int)>& wanted) {
        int cell = 0;
        while (cell < 81 && !wanted(cell)) ++cell;
        return cell;
    };
    const int smudge = cell_where([&](int cell) { return known[cell] == 0; });
    const int needed = cell_where([&](int cell) {
        Digits without = known;
        without[cell] = 0;
        return known[cell] != 0 && find_solutions(without, 2).count > 1;
    });
    ASSERT_LT(needed, 81);
    reading.digits[smudge] = solution[smudge];
    faded[smudge] = faded[needed] = true;
    for (int cell = 0; cell < 81; ++cell) scores[cell][reading.digits[cell]] = 0.9f;
    EXPECT_TRUE(settle_by_rules(reading, scores, faded, {}));
    EXPECT_EQ(reading.digits, known);
    EXPECT_TRUE(reading.uncertain[smudge]);
}

TEST(PictureReading, RefusesATruncatedFile) {
    GridLook look;
    look.face = unseen_faces().front();
    const QString path = QDir::temp().filePath(QStringLiteral("varendo-truncated.png"));
    draw_grid(puzzles(1).front(), look).save(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() / 2);
    file.close();
    QString error;
    EXPECT_TRUE(load_picture(path, error).isNull());
    EXPECT_FALSE(error.isEmpty());
    QFile::remove(path);
}

// Each photo's .dat file: the phone, the picture's size, then the puzzle's nine rows.
std::optional<Digits> photo_puzzle(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    Digits digits{};
    int cell = 0;
    for (int line = 2; line < lines.size(); ++line)
        for (const QString& field : lines[line].split(u' ', Qt::SkipEmptyParts))
            if (cell < 81) digits[cell++] = static_cast<std::uint8_t>(field.toInt());
    return cell == 81 ? std::optional(digits) : std::nullopt;
}

TEST(PictureReading, NewspaperPhotos) {
    const QDir folder(QStringLiteral(VARENDO_PHOTO_DIR));
    const QStringList photos = folder.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    if (photos.isEmpty()) GTEST_SKIP() << "no newspaper photos beside the repository";
    if (kStride > 1) GTEST_SKIP() << "the photos are read in the optimised build";
    Tally tally;
    int found = 0;
    QStringList still_wrong;
    for (const QString& name : photos) {
        const std::optional<Digits> known = photo_puzzle(folder.filePath(QString(name).replace(QStringLiteral(".jpg"), QStringLiteral(".dat"))));
        if (!known) continue;
        QString error;
        const std::optional<PictureReading> reading = PictureReader(load_picture(folder.filePath(name), error)).read();
        found += reading.has_value();
        const Tally before = tally;
        tally.add(reading, *known);
        std::printf("%-14s %s: %d cells wrong, %d of them in doubt; %d right cells in doubt\n", qPrintable(name),
                    reading ? "grid found" : "no grid", tally.wrong - before.wrong, tally.wrong_in_doubt - before.wrong_in_doubt,
                    tally.right_in_doubt - before.right_in_doubt);
        // Each wrong cell as row and column, the digit read and the digit printed (0 empty).
        QString misread;
        for (int cell = 0; reading && cell < 81; ++cell)
            if (reading->digits[cell] != (*known)[cell])
                misread += QStringLiteral(" r%1c%2:%3/%4").arg(cell / 9 + 1).arg(cell % 9 + 1).arg(reading->digits[cell]).arg((*known)[cell]);
        if (!misread.isEmpty()) still_wrong.push_back(name + u':' + misread);
    }
    std::printf("photos still wrong (cell: read/printed):\n");
    for (const QString& line : still_wrong) std::printf("  %s\n", qPrintable(line));
    std::printf("newspaper photos: grid found in %d of %d\n", found, tally.pictures);
    tally.print("newspaper photos");
    // Floors a little below today's figures, so that a change that loses photos, or doubt
    // where it is due, is seen.
    EXPECT_EQ(found, tally.pictures) << "a photo without its grid found";
    EXPECT_GE(tally.fully_right * 100, tally.pictures * 99);
    EXPECT_LE(tally.wrong * 2000, tally.right + tally.wrong) << "more than 0.05 % of the cells misread";
    EXPECT_EQ(tally.wrong_in_doubt, tally.wrong) << "a misread cell not in doubt";
    EXPECT_LE(tally.right_in_doubt * 100, tally.right * 5);
}

}  // namespace
}  // namespace varendo
