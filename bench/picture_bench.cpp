// Reading a puzzle from a picture: a screenshot-sized picture of a grid, and a 12-megapixel
// photo-sized one (the grid drawn large, the picture scaled up with a soft edge), each timed
// from the decoded picture to the settled reading.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "picture/grid_drawing.h"
#include "picture/picture_reader.h"

namespace {

const std::array<std::uint8_t, 81> kPuzzle = [] {
    const char* text = "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
    std::array<std::uint8_t, 81> digits{};
    for (int i = 0; i < 81; ++i) digits[i] = static_cast<std::uint8_t>(text[i] - '0');
    return digits;
}();

QImage grid_picture(int cell) {
    varendo::GridLook look;
    look.face = QRawFont(QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"), 40);
    look.cell = cell;
    look.margin = cell;
    return varendo::draw_grid(kPuzzle, look);
}

void read_picture(benchmark::State& state, const QImage& picture) {
    for (auto _ : state) {
        const std::optional<varendo::PictureReading> reading = varendo::PictureReader(picture).read();
        if (!reading || reading->digits != kPuzzle) state.SkipWithError("the picture was misread");
        benchmark::DoNotOptimize(reading);
    }
    state.counters["megapixels"] = picture.width() * static_cast<double>(picture.height()) / 1e6;
}

void BM_screenshot(benchmark::State& state) { read_picture(state, grid_picture(40)); }

void BM_photo_12_megapixels(benchmark::State& state) {
    // 4000 × 3000 pixels, the grid over most of its height, on grey paper.
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(QColor(0xb0, 0xb0, 0xa8));
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(600, 200, 2600, 2600), grid_picture(60));
    painter.end();
    read_picture(state, photo);
}

BENCHMARK(BM_screenshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_photo_12_megapixels)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
