#include "picture/cell_cutter.h"

#include "picture/flood_fill.h"
#include "picture/line_follower.h"

#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <vector>

namespace varendo {
namespace {

// The band along a straightened cell's edges where the grid's lines run: painted over with
// the cell's paper, what is left of a thick or blurred line starts within it.
constexpr int kLineMargin = kCellSide / 12;
using CellLevels = std::array<std::uint8_t, kCellSide * kCellSide>;

struct Box {
    int left, top, right, bottom, count;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    float centre_x() const { return static_cast<float>(left + right) / 2; }
    float centre_y() const { return static_cast<float>(top + bottom) / 2; }
};

// The 8-connected blobs of marked pixels in a cell-sized mask.
std::vector<Box> blobs(std::array<std::uint8_t, kCellSide * kCellSide>& mask) {
    std::vector<Box> found;
    Box box{};
    for_each_blob(
        mask, kCellSide, kCellSide, [&box] { box = {kCellSide, kCellSide, -1, -1, 0}; },
        [&box](int x, int y) {
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y), box.count + 1};
        },
        [&] { found.push_back(box); });
    return found;
}

// Clears the rows and columns near the cell's edge that are mostly ink: the grid's lines.
void clear_lines(std::array<std::uint8_t, kCellSide * kCellSide>& mask) {
    constexpr int kBand = kCellSide / 6;
    for (int i = 0; i < kCellSide; ++i) {
        if (i >= kBand && i < kCellSide - kBand) continue;
        int row = 0;
        int column = 0;
        for (int j = 0; j < kCellSide; ++j) {
            row += mask[i * kCellSide + j] != 0;
            column += mask[j * kCellSide + i] != 0;
        }
        for (int j = 0; j < kCellSide; ++j) {
            if (row * 10 > kCellSide * 6) mask[i * kCellSide + j] = 0;
            if (column * 10 > kCellSide * 6) mask[j * kCellSide + i] = 0;
        }
    }
}

// The ink inside `box` of a cell, scaled to kInkSide a side with its aspect kept.
DigitInk scale_ink(const std::array<float, kCellSide * kCellSide>& ink, const Box& box, float aspect) {
    DigitInk result{};
    const float scale = std::max(static_cast<float>(box.width()) * aspect, static_cast<float>(box.height())) / kInkSide;
    const float scale_x = scale / aspect;
    const float left = box.centre_x() + 0.5f - scale_x * kInkSide / 2;
    const float top = box.centre_y() + 0.5f - scale * kInkSide / 2;
    constexpr int kSamples = 3;
    for (int y = 0; y < kInkSide; ++y)
        for (int x = 0; x < kInkSide; ++x) {
            float sum = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float px = left + scale_x * (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSamples) - 0.5f;
                    const float py = top + scale * (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSamples) - 0.5f;
                    const int ix = static_cast<int>(std::lround(px));
                    const int iy = static_cast<int>(std::lround(py));
                    if (ix >= box.left && iy >= box.top && ix <= box.right && iy <= box.bottom)
                        sum += ink[iy * kCellSide + ix];
                }
            result[y * kInkSide + x] = sum / (kSamples * kSamples);
        }
    return result;
}

// The digit in a cell whose grey `levels` are `cell_paper` at their lightest and `ink_level`
// at their darkest, its marks those darker than `threshold`.
CellCut cut_digit(const CellLevels& levels, int cell_paper, int ink_level, int threshold, float aspect) {
    std::array<std::uint8_t, kCellSide * kCellSide> mask{};
    std::array<float, kCellSide * kCellSide> ink{};
    for (int i = 0; i < kCellSide * kCellSide; ++i) {
        mask[i] = levels[i] < threshold ? 1 : 0;
        ink[i] = std::clamp(static_cast<float>(cell_paper - levels[i]) / static_cast<float>(cell_paper - ink_level), 0.0f, 1.0f);
    }
    clear_lines(mask);
    const std::vector<Box> found = blobs(mask);
    // The digit: the blobs near the centre, joined by those that touch them (a stroke broken
    // off), without what is left of a line along the edge; tall enough not to be a pencil mark.
    const auto line_left = [](const Box& box) {
        const bool at_edge = box.left <= kLineMargin || box.top <= kLineMargin || box.right >= kCellSide - 1 - kLineMargin ||
                             box.bottom >= kCellSide - 1 - kLineMargin;
        return at_edge && (box.width() * 6 < kCellSide || box.height() * 6 < kCellSide);
    };
    std::optional<Box> digit;
    int tallest = 0;
    const auto join = [&digit, &tallest](const Box& box) {
        tallest = std::max(tallest, box.height());
        digit = digit ? Box{std::min(digit->left, box.left), std::min(digit->top, box.top), std::max(digit->right, box.right),
                            std::max(digit->bottom, box.bottom), digit->count + box.count}
                      : box;
    };
    for (const Box& box : found)
        if (!line_left(box) && std::abs(box.centre_x() - kCellSide / 2.0f) < kCellSide * 0.22f &&
            std::abs(box.centre_y() - kCellSide / 2.0f) < kCellSide * 0.22f)
            join(box);
    // A digit's middle is more than a pencil mark's height, however broken its strokes.
    if (!digit || digit->height() * 100 < kCellSide * 28) return {std::nullopt, StrayMark::faint};
    const Box seed = *digit;
    // A blurred digit's thin strokes can leave its bar or its foot apart from its body: above
    // and below, a piece as wide as half the body is joined from farther away than beside.
    const int reach = kCellSide / 10;
    const auto joins = [&seed, reach](const Box& box) {
        const int up_down = box.width() * 2 >= seed.width() ? kCellSide / 4 : reach;
        return box.left <= seed.right + reach && box.right >= seed.left - reach && box.top <= seed.bottom + up_down &&
               box.bottom >= seed.top - up_down;
    };
    for (const Box& box : found)
        if (!line_left(box) && joins(box))
            join(box);
    // Pencil marks joined up are tall together, but each is small.
    if (tallest < kCellSide / 4) return {std::nullopt, StrayMark::faint};
    if (digit->height() * 100 < kCellSide * 28 || digit->height() >= kCellSide * 9 / 10 || digit->width() >= kCellSide * 9 / 10)
        return {std::nullopt, StrayMark::unshaped};
    const Box joined = *digit;
    return {scale_ink(ink, joined, aspect)};
}

// Each pixel's lightest (or, with `darkest`, darkest) level within kStrokeReach of it, across
// the cell (or down it).
constexpr int kStrokeReach = kCellSide / 6;
CellLevels spread_one_way(const CellLevels& levels, bool darkest, bool across) {
    CellLevels spread{};
    for (int y = 0; y < kCellSide; ++y)
        for (int x = 0; x < kCellSide; ++x) {
            const int at = across ? x : y;
            std::uint8_t level = levels[y * kCellSide + x];
            for (int k = std::max(0, at - kStrokeReach); k <= std::min(kCellSide - 1, at + kStrokeReach); ++k) {
                const std::uint8_t other = across ? levels[y * kCellSide + k] : levels[k * kCellSide + x];
                level = darkest ? std::min(level, other) : std::max(level, other);
            }
            spread[y * kCellSide + x] = level;
        }
    return spread;
}

CellLevels spread(const CellLevels& levels, bool darkest) {
    return spread_one_way(spread_one_way(levels, darkest, true), darkest, false);
}

// A cell's levels with the paper made even: a shadow or a fold across a photo's page is wider
// than any stroke of a digit, so the paper under the strokes is the cell with its strokes
// spread over by the paper beside them, and each pixel is kept as dark as it is below that.
CellLevels without_shadows(const CellLevels& levels) {
    const CellLevels paper = spread(spread(levels, false), true);
    CellLevels even{};
    for (std::size_t i = 0; i < levels.size(); ++i)
        even[i] = static_cast<std::uint8_t>(255 - std::max(0, paper[i] - levels[i]));
    return even;
}

// The darkest level in the middle of a cell; with `smoothed`, of each pixel's 3×3 mean.
int darkest_in_middle(const CellLevels& levels, bool smoothed) {
    const int reach = smoothed ? 1 : 0;
    int darkest = 255 * 9;
    for (int y = kCellSide / 4; y < kCellSide * 3 / 4; ++y)
        for (int x = kCellSide / 4; x < kCellSide * 3 / 4; ++x) {
            int sum = 0;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) sum += levels[(y + dy) * kCellSide + x + dx];
            darkest = std::min(darkest, sum * 9 / ((2 * reach + 1) * (2 * reach + 1)));
        }
    return darkest / 9;
}

CellCut cut_cell(const GrayImage& grid, int cell, int paper, int darkest, float aspect) {
    const int x0 = cell % 9 * kCellSide;
    const int y0 = cell / 9 * kCellSide;
    CellLevels levels{};
    for (int y = 0; y < kCellSide; ++y)
        for (int x = 0; x < kCellSide; ++x) levels[y * kCellSide + x] = grid.at(x0 + x, y0 + y);
    // A cell whose darkest mark is plainly paper even beside its lightest stays so when its
    // shadows are evened out: it is left empty without that work.
    if ((*std::max_element(levels.begin(), levels.end()) - darkest_in_middle(levels, false)) * 5 < paper - darkest) return {};
    levels = without_shadows(levels);
    // The cell's own paper and its darkest ink away from the lines.
    std::array<std::uint8_t, kCellSide * kCellSide> sorted = levels;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() * 7 / 10, sorted.end());
    const int cell_paper = sorted[sorted.size() * 7 / 10];
    const int ink_level = darkest_in_middle(levels, false);
    // A digit's strokes are at least three tenths as dark as the grid's darkest ink; a mark a
    // fifth as dark is not plainly paper. The grain of a photo's paper or print, dark in single
    // pixels, is not a stroke.
    const int stroke_level = darkest_in_middle(levels, true);
    if ((cell_paper - stroke_level) * 10 < (paper - darkest) * 3)
        return {std::nullopt, (cell_paper - stroke_level) * 5 >= paper - darkest ? StrayMark::pale : StrayMark::none};
    // The thin strokes of a small digit, paler than its darkest ink, can break apart at half
    // way: such a cell is cut again at a paler threshold.
    CellCut cut = cut_digit(levels, cell_paper, ink_level, (cell_paper + ink_level) / 2, aspect);
    if (!cut.ink && cut.stray == StrayMark::faint) {
        const CellCut again = cut_digit(levels, cell_paper, ink_level, cell_paper - (cell_paper - ink_level) * 3 / 10, aspect);
        if (again.ink) cut = again;
    }
    if (cut.ink) cut.darkness = static_cast<float>(cell_paper - stroke_level) / static_cast<float>(std::max(1, paper - darkest));
    return cut;
}

}  // namespace

GrayImage straighten(const GrayImage& picture, const Quad& corners) {
    GrayImage grid(kGridSide, kGridSide);
    QTransform to_picture;
    if (!QTransform::quadToQuad(QPolygonF({{0, 0}, {kGridSide, 0}, {kGridSide, kGridSide}, {0, kGridSide}}),
                                QPolygonF({corners[0], corners[1], corners[2], corners[3]}), to_picture))
        return grid;
    // Sampled from a copy shrunk to about the straightened size, so that a large photo's
    // pixels are averaged rather than skipped.
    const double side = std::max(QLineF(corners[0], corners[2]).length(), QLineF(corners[1], corners[3]).length()) / M_SQRT2;
    const int factor = std::max(1, static_cast<int>(side / (kGridSide * 1.5)));
    const GrayImage shrunk = factor > 1 ? shrink(picture, factor) : GrayImage();
    const GrayImage& from = factor > 1 ? shrunk : picture;
    const auto sample = [&](const QPointF& at) {
        const QPointF p = to_picture.map(at);
        return static_cast<std::uint8_t>(
            std::lround(from.sample(static_cast<float>(p.x() / factor - 0.5), static_cast<float>(p.y() / factor - 0.5))));
    };
    for (int y = 0; y < kGridSide; ++y)
        for (int x = 0; x < kGridSide; ++x) grid.at(x, y) = sample(QPointF(x + 0.5, y + 0.5));
    // Light ink on dark paper (a dark theme) is turned round.
    const bool turned_round = light_on_dark(grid);
    if (turned_round) invert(grid);
    // Each cell sampled again between the lines as they were found, so that a bent page's
    // lines stay at the cells' edges; the lines themselves, half in each cell either side,
    // are left out and the cell's paper put in their place.
    const LineCrossings crossings = follow_lines(grid);
    for (int cell = 0; cell < 81; ++cell) {
        const int row = cell / 9;
        const int column = cell % 9;
        const QPointF& top_left = crossings[row * 10 + column];
        const QPointF& top_right = crossings[row * 10 + column + 1];
        const QPointF& bottom_left = crossings[(row + 1) * 10 + column];
        const QPointF& bottom_right = crossings[(row + 1) * 10 + column + 1];
        CellLevels levels{};
        for (int y = 0; y < kCellSide; ++y)
            for (int x = 0; x < kCellSide; ++x) {
                const double u = (x + 0.5) / kCellSide;
                const double v = (y + 0.5) / kCellSide;
                const QPointF at = (top_left * (1 - u) + top_right * u) * (1 - v) + (bottom_left * (1 - u) + bottom_right * u) * v;
                const std::uint8_t level = sample(at);
                levels[y * kCellSide + x] = turned_round ? static_cast<std::uint8_t>(255 - level) : level;
            }
        const auto inside = [](int at) { return std::clamp(at, kLineMargin, kCellSide - 1 - kLineMargin); };
        for (int y = 0; y < kCellSide; ++y)
            for (int x = 0; x < kCellSide; ++x) grid.at(column * kCellSide + x, row * kCellSide + y) = levels[inside(y) * kCellSide + inside(x)];
    }
    return grid;
}

double aspect_of(const Quad& corners) {
    const double across = QLineF(corners[0], corners[1]).length() + QLineF(corners[3], corners[2]).length();
    const double down = QLineF(corners[0], corners[3]).length() + QLineF(corners[1], corners[2]).length();
    return down > 0 ? across / down : 1;
}

std::array<CellCut, 81> cut_cells(const GrayImage& grid, double aspect) {
    const int paper = percentile(grid, 0.6);
    const int darkest = percentile(grid, 0.01);
    std::array<CellCut, 81> cells;
    for (int cell = 0; cell < 81; ++cell) cells[cell] = cut_cell(grid, cell, paper, darkest, static_cast<float>(aspect));
    return cells;
}

}  // namespace varendo
