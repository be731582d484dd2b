#pragma once

#include <cstdint>
#include <vector>

namespace varendo {

// Visits each 8-connected blob of the pixels marked 1 in a `width` × `height` mask: calls
// begin() at a blob's first pixel, visit(x, y) at each of its pixels, end() after its last.
// The pixels visited are marked 2.
template <typename Mask, typename Begin, typename Visit, typename End>
void for_each_blob(Mask& mask, int width, int height, Begin begin, Visit visit, End end) {
    std::vector<int> stack;
    for (int start = 0; start < width * height; ++start) {
        if (mask[start] != 1) continue;
        begin();
        mask[start] = 2;
        stack.push_back(start);
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            const int x = at % width;
            const int y = at / width;
            visit(x, y);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= width || ny >= height || mask[ny * width + nx] != 1) continue;
                    mask[ny * width + nx] = 2;
                    stack.push_back(ny * width + nx);
                }
        }
        end();
    }
}

}  // namespace varendo
