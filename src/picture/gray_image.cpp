#include "picture/gray_image.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace varendo {

float GrayImage::sample(float x, float y) const {
    x = std::clamp(x, 0.0f, static_cast<float>(width - 1));
    y = std::clamp(y, 0.0f, static_cast<float>(height - 1));
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, width - 1);
    const int y1 = std::min(y0 + 1, height - 1);
    const float fx = x - static_cast<float>(x0);
    const float fy = y - static_cast<float>(y0);
    const float top = static_cast<float>(at(x0, y0)) * (1 - fx) + static_cast<float>(at(x1, y0)) * fx;
    const float bottom = static_cast<float>(at(x0, y1)) * (1 - fx) + static_cast<float>(at(x1, y1)) * fx;
    return top * (1 - fy) + bottom * fy;
}

GrayImage to_gray(const QImage& image) {
    // Transparent pixels (a screenshot's rounded corners, a PNG with alpha) count as white paper.
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < source.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(opaque.scanLine(y));
            for (int x = 0; x < source.width(); ++x) {
                const int a = qAlpha(in[x]);
                out[x] = qRgb(qRed(in[x]) + 255 - a, qGreen(in[x]) + 255 - a, qBlue(in[x]) + 255 - a);
            }
        }
    }
    const QImage gray = opaque.convertToFormat(QImage::Format_Grayscale8);
    GrayImage result(gray.width(), gray.height());
    for (int y = 0; y < gray.height(); ++y)
        std::copy_n(gray.constScanLine(y), gray.width(), result.pixels.begin() + static_cast<std::ptrdiff_t>(y) * gray.width());
    return result;
}

GrayImage shrink(const GrayImage& image, int factor) {
    if (factor <= 1) return image;
    GrayImage result(image.width / factor, image.height / factor);
    std::vector<int> sums(static_cast<std::size_t>(result.width));
    const int area = factor * factor;
    for (int y = 0; y < result.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int dy = 0; dy < factor; ++dy) {
            const std::uint8_t* row = &image.pixels[static_cast<std::size_t>(y * factor + dy) * image.width];
            for (int x = 0; x < result.width; ++x)
                for (int dx = 0; dx < factor; ++dx) sums[x] += row[x * factor + dx];
        }
        for (int x = 0; x < result.width; ++x) result.at(x, y) = static_cast<std::uint8_t>(sums[x] / area);
    }
    return result;
}

void invert(GrayImage& image) {
    for (std::uint8_t& pixel : image.pixels) pixel = static_cast<std::uint8_t>(255 - pixel);
}

int percentile(const GrayImage& image, double share) {
    std::array<std::size_t, 256> counts{};
    for (const std::uint8_t pixel : image.pixels) ++counts[pixel];
    const auto wanted = static_cast<std::size_t>(share * static_cast<double>(image.pixels.size()));
    std::size_t seen = 0;
    for (int level = 0; level < 256; ++level) {
        seen += counts[level];
        if (seen > wanted) return level;
    }
    return 255;
}

bool light_on_dark(const GrayImage& image) {
    const int paper = percentile(image, 0.5);
    return paper - percentile(image, 0.02) < percentile(image, 0.98) - paper;
}

}  // namespace varendo
