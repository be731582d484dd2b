#include "picture/ink_pattern.h"

#include <cmath>

namespace varendo {

InkPattern ink_pattern(const DigitInk& ink) {
    InkPattern pattern{};
    for (int y = 0; y < kInkSide; ++y)
        for (int x = 0; x < kInkSide; ++x) {
            float sum = 0;
            float weight = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= kInkSide || ny >= kInkSide) continue;
                    const float w = dx == 0 && dy == 0 ? 4.0f : (dx == 0 || dy == 0 ? 2.0f : 1.0f);
                    sum += w * ink[ny * kInkSide + nx];
                    weight += w;
                }
            pattern[y * kInkSide + x] = sum / weight;
        }
    float mean = 0;
    for (const float v : pattern) mean += v;
    mean /= static_cast<float>(pattern.size());
    float length = 0;
    for (float& v : pattern) {
        v -= mean;
        length += v * v;
    }
    length = std::sqrt(length);
    if (length > 0)
        for (float& v : pattern) v /= length;
    return pattern;
}

}  // namespace varendo
