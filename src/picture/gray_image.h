#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace varendo {

// An 8-bit grey picture the recognizer works on: 0 black, 255 white.
struct GrayImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    GrayImage() = default;
    GrayImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 255) {}
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool empty() const { return pixels.empty(); }
    // The grey level at a point between pixels, with the edge pixels repeated outside.
    float sample(float x, float y) const;
};

GrayImage to_gray(const QImage& image);
// Each `factor` by `factor` block averaged into one pixel.
GrayImage shrink(const GrayImage& image, int factor);
// Black turned white and white black.
void invert(GrayImage& image);
// The grey level below which `share` (0 to 1) of the pixels lie.
int percentile(const GrayImage& image, double share);
// Whether the picture is light marks on dark paper (a dark theme): its commonest grey, the
// paper, is nearer its darkest than its lightest, whatever the light was.
bool light_on_dark(const GrayImage& image);

}  // namespace varendo
