#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <optional>

#include "picture/gray_image.h"
#include "picture/grid_finder.h"

namespace varendo {

// What a picture's grid was read as: the digit in each cell row by row (0 for an empty
// cell), and the cells whose reading is in doubt.
struct PictureReading {
    Quad corners{};
    std::array<std::uint8_t, 81> digits{};
    std::array<bool, 81> uncertain{};

    int uncertain_count() const;
};

// Reads a Sudoku grid from a picture: a screenshot, a scan or a photo. The picture is turned
// grey once; the grid can then be found and read, or read again at corners a person moved.
class PictureReader {
public:
    explicit PictureReader(const QImage& picture);

    // Finds the grid and reads it; nothing when the picture has no grid.
    std::optional<PictureReading> read() const;
    // Reads the grid whose corners (in the picture's pixels) are given.
    PictureReading read_at(const Quad& corners) const;

private:
    GrayImage gray_;
};

}  // namespace varendo
