#include "picture/grid_finder.h"

#include "picture/flood_fill.h"

#include <QLineF>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace varendo {
namespace {

// Marks at least this much darker than their neighbourhood are looked at for a grid's lines,
// however faint; marks this much darker still are plainly ink, such as a grid's box lines,
// without the fainter print that may run into them.
constexpr int kFaintMargin = 7;
constexpr int kPlainMargin = 5 * kFaintMargin;

// Dark marks: pixels darker by `margin` grey levels than the mean of their neighbourhood, so
// that uneven light across a photo does not hide the lines.
std::vector<std::uint8_t> dark_marks(const GrayImage& picture, int margin) {
    const int w = picture.width;
    const int h = picture.height;
    std::vector<std::int64_t> sums(static_cast<std::size_t>(w + 1) * (h + 1), 0);
    for (int y = 0; y < h; ++y) {
        std::int64_t row = 0;
        for (int x = 0; x < w; ++x) {
            row += picture.at(x, y);
            sums[static_cast<std::size_t>(y + 1) * (w + 1) + x + 1] = sums[static_cast<std::size_t>(y) * (w + 1) + x + 1] + row;
        }
    }
    const int radius = std::max(4, std::min(w, h) / 50);
    std::vector<std::uint8_t> marks(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const int y0 = std::max(0, y - radius);
        const int y1 = std::min(h, y + radius + 1);
        for (int x = 0; x < w; ++x) {
            const int x0 = std::max(0, x - radius);
            const int x1 = std::min(w, x + radius + 1);
            const std::int64_t sum = sums[static_cast<std::size_t>(y1) * (w + 1) + x1] - sums[static_cast<std::size_t>(y0) * (w + 1) + x1] -
                                     sums[static_cast<std::size_t>(y1) * (w + 1) + x0] + sums[static_cast<std::size_t>(y0) * (w + 1) + x0];
            const std::int64_t area = static_cast<std::int64_t>(x1 - x0) * (y1 - y0);
            marks[static_cast<std::size_t>(y) * w + x] = picture.at(x, y) * area + margin * area < sum ? 1 : 0;
        }
    }
    return marks;
}

struct Shape {
    int left, top, right, bottom;
    // The pixels farthest towards each corner: least x+y, greatest x-y, greatest x+y, least x-y.
    std::array<QPoint, 4> extremes;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// The 8-connected shapes of dark marks large enough to be a grid.
std::vector<Shape> large_shapes(std::vector<std::uint8_t>& marks, int w, int h, int smallest) {
    std::vector<Shape> shapes;
    Shape shape{};
    std::array<int, 4> best{};
    const auto begin = [&] {
        shape = {w, h, -1, -1, {}};
        best = {1 << 30, -(1 << 30), -(1 << 30), 1 << 30};
    };
    const auto visit = [&](int x, int y) {
        shape.left = std::min(shape.left, x);
        shape.right = std::max(shape.right, x);
        shape.top = std::min(shape.top, y);
        shape.bottom = std::max(shape.bottom, y);
        const std::array<int, 4> keys{x + y, x - y, x + y, x - y};
        for (int corner = 0; corner < 4; ++corner) {
            const bool least = corner == 0 || corner == 3;
            if (least ? keys[corner] < best[corner] : keys[corner] > best[corner]) {
                best[corner] = keys[corner];
                shape.extremes[corner] = QPoint(x, y);
            }
        }
    };
    const auto end = [&] {
        // Cells may be up to two and a half times as wide as tall, or as tall as wide.
        if (shape.width() >= smallest && shape.height() >= smallest && shape.width() * 2 < 5 * shape.height() &&
            shape.height() * 2 < 5 * shape.width())
            shapes.push_back(shape);
    };
    for_each_blob(marks, w, h, begin, visit, end);
    return shapes;
}

// The share of dark marks along each of the ten lines in one direction of the grid at
// `corners`, looked for a little either side of where each should be, along the whole line at
// once (`pieces` 1) or, to follow a line bowed by a bent page, a cell at a time (`pieces` 9).
std::array<double, 10> dark_lines(const std::vector<std::uint8_t>& marks, int w, int h, const QTransform& to_picture, bool across,
                                  int pieces) {
    constexpr int kStep = 12;
    constexpr int kSide = 9 * kStep;
    const int piece_length = kSide / pieces;
    std::array<double, 10> shares{};
    for (int line = 0; line <= 9; ++line) {
        int dark = 0;
        for (int piece = 0; piece < pieces; ++piece) {
            int best = 0;
            for (int offset = -8; offset <= 8; ++offset) {
                const double along_line = line * kStep + offset * 0.25;
                if (along_line < 0 || along_line > kSide) continue;
                int here = 0;
                for (int step = piece * piece_length; step < (piece + 1) * piece_length; ++step) {
                    const QPointF p = across ? to_picture.map(QPointF(step + 0.5, along_line))
                                             : to_picture.map(QPointF(along_line, step + 0.5));
                    const int x = static_cast<int>(p.x());
                    const int y = static_cast<int>(p.y());
                    if (x >= 0 && y >= 0 && x < w && y < h && marks[static_cast<std::size_t>(y) * w + x] != 0) ++here;
                }
                best = std::max(best, here);
            }
            dark += best;
        }
        shares[line] = static_cast<double>(dark) / kSide;
    }
    return shares;
}

// Most lines solid, or the box lines solid and the others at least dotted.
bool grid_like(const std::array<double, 10>& shares) {
    int solid = 0;
    int dotted = 0;
    for (int line = 0; line <= 9; ++line) {
        solid += shares[line] > 0.4;
        dotted += line % 3 != 0 && shares[line] > 0.2;
    }
    const bool boxes = shares[0] > 0.4 && shares[3] > 0.4 && shares[6] > 0.4 && shares[9] > 0.4;
    return solid >= 7 || (boxes && dotted >= 4);
}

// Four corners that can be a square seen at a slant: turning the same way at each corner,
// by 50 to 130 degrees, and no side less than half as long as the longest.
bool square_seen_at_slant(const Quad& corners) {
    std::array<double, 4> sides{};
    for (int corner = 0; corner < 4; ++corner) sides[corner] = QLineF(corners[corner], corners[(corner + 1) % 4]).length();
    if (*std::min_element(sides.begin(), sides.end()) * 2 < *std::max_element(sides.begin(), sides.end())) return false;
    for (int corner = 0; corner < 4; ++corner) {
        const QPointF in = corners[corner] - corners[(corner + 3) % 4];
        const QPointF out = corners[(corner + 1) % 4] - corners[corner];
        const double cross = in.x() * out.y() - in.y() * out.x();
        const double lengths = std::hypot(in.x(), in.y()) * std::hypot(out.x(), out.y());
        if (lengths <= 0 || cross < lengths * 0.766) return false;   // sin 50°
    }
    return true;
}

// The outer line from corner `from` towards corner `to`, fitted to the marks along the part
// of it nearest `from`: of the straight courses within half a cell of the line between the
// two, the one along the most marks, the nearest that line of those.
QLineF line_near_corner(const std::vector<std::uint8_t>& marks, int w, int h, const QPointF& from, const QPointF& to) {
    const QLineF chord(from, to);
    const double length = chord.length();
    const QPointF along = (to - from) / length;
    const QPointF across(-along.y(), along.x());
    const int reach = static_cast<int>(length / 18);
    const QPointF near_end = from + along * (length * 0.08);
    const QPointF far_end = from + along * (length * 0.4);
    const int steps = static_cast<int>(length * 0.32);
    int best_count = -1;
    int best_shift = 0;
    QLineF best;
    for (int near = -reach; near <= reach; ++near)
        for (int far = -reach; far <= reach; ++far) {
            const QPointF a = near_end + across * near;
            const QPointF b = far_end + across * far;
            int count = 0;
            for (int step = 0; step <= steps; ++step) {
                const QPointF p = a + (b - a) * (static_cast<double>(step) / steps);
                const int x = static_cast<int>(std::floor(p.x()));
                const int y = static_cast<int>(std::floor(p.y()));
                count += x >= 0 && y >= 0 && x < w && y < h && marks[static_cast<std::size_t>(y) * w + x] != 0;
            }
            const int shift = std::abs(near) + std::abs(far);
            if (count > best_count || (count == best_count && shift < best_shift)) {
                best_count = count;
                best_shift = shift;
                best = QLineF(a, b);
            }
        }
    return best;
}

// A grid's corners, each where its outer lines meet near it when that is farther than a
// line's width from the shape's extreme pixel there: a corner too faint to be marked (a
// glare, a fold) leaves its shape's extreme pixel off along one of its lines.
Quad where_lines_meet(const std::vector<std::uint8_t>& marks, int w, int h, const Quad& extremes) {
    Quad corners = extremes;
    for (int corner = 0; corner < 4; ++corner) {
        const QPointF& at = extremes[corner];
        const QPointF& next = extremes[(corner + 1) % 4];
        const QLineF one = line_near_corner(marks, w, h, at, next);
        const QLineF other = line_near_corner(marks, w, h, at, extremes[(corner + 3) % 4]);
        QPointF meet;
        const double line_width = QLineF(at, next).length() / 9 / 6;
        if (one.intersects(other, &meet) != QLineF::NoIntersection && QLineF(at, meet).length() > line_width)
            corners[corner] = meet;
    }
    return corners;
}

bool lines_at(const std::vector<std::uint8_t>& marks, int w, int h, const Quad& corners, int pieces) {
    QTransform to_picture;
    const double side = 9 * 12;
    if (!QTransform::quadToQuad(QPolygonF({{0, 0}, {side, 0}, {side, side}, {0, side}}),
                                QPolygonF({corners[0], corners[1], corners[2], corners[3]}), to_picture))
        return false;
    return grid_like(dark_lines(marks, w, h, to_picture, true, pieces)) &&
           grid_like(dark_lines(marks, w, h, to_picture, false, pieces));
}

}  // namespace

bool has_grid_lines(const GrayImage& picture, const Quad& corners) {
    return lines_at(dark_marks(picture, kFaintMargin), picture.width, picture.height, corners, 1);
}

std::optional<Quad> find_grid(const GrayImage& picture) {
    const int w = picture.width;
    const int h = picture.height;
    if (w < 40 || h < 40) return std::nullopt;
    const std::vector<std::uint8_t> original = dark_marks(picture, kFaintMargin);
    // The largest shapes first.
    const auto shapes_by_size = [&](std::vector<std::uint8_t> marks) {
        std::vector<Shape> shapes = large_shapes(marks, w, h, std::max(36, std::min(w, h) / 6));
        std::sort(shapes.begin(), shapes.end(),
                  [](const Shape& a, const Shape& b) { return a.width() * a.height() > b.width() * b.height(); });
        return shapes;
    };
    const auto grid_at = [&](const Shape& shape, int pieces) -> std::optional<Quad> {
        Quad corners;
        for (int corner = 0; corner < 4; ++corner) {
            // The centre of the corner's pixel, nudged half a pixel outwards to its outer edge.
            const QPoint p = shape.extremes[corner];
            const double dx = corner == 0 || corner == 3 ? 0.0 : 1.0;
            const double dy = corner < 2 ? 0.0 : 1.0;
            corners[corner] = QPointF(p.x() + dx, p.y() + dy);
        }
        if (!square_seen_at_slant(corners) || !lines_at(original, w, h, corners, pieces)) return std::nullopt;
        return where_lines_meet(original, w, h, corners);
    };
    // Straight lines first, so that a frame round a grid is not taken for it; then lines bowed
    // by a bent page, looked for a cell at a time; last, a grid whose lines run into the print
    // round it, by the shapes of its plainest marks alone.
    const std::vector<Shape> shapes = shapes_by_size(original);
    for (const int pieces : {1, 9})
        for (std::size_t i = 0; i < shapes.size() && i < 6; ++i)
            if (const std::optional<Quad> corners = grid_at(shapes[i], pieces)) return corners;
    const std::vector<Shape> plain_shapes = shapes_by_size(dark_marks(picture, kPlainMargin));
    for (std::size_t i = 0; i < plain_shapes.size() && i < 6; ++i)
        if (const std::optional<Quad> corners = grid_at(plain_shapes[i], 9)) return corners;
    return std::nullopt;
}

}  // namespace varendo
