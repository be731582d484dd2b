#include "picture/line_follower.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "picture/cell_cutter.h"

namespace varendo {
namespace {

// How far a line is looked for either side of where the corners put it: not so far that a
// digit's stroke in the middle of the cell can be taken for it.
constexpr int kReach = kCellSide * 3 / 10;
// Each pixel off the corners' course costs a line this much of its darkness (in grey levels).
constexpr double kOffCourseCost = 0.6;
// A line is followed only where it is darker than the paper beside it by this many grey levels.
constexpr double kLeastContrast = 10;

// A line's course: its position across its length at each of the nine cells along it.
using Course = std::array<double, 9>;

// The position of line `line` along cell `cell`: the darkest course nearby; nothing where
// none is plainly darker than the paper.
std::optional<double> find_along_cell(const GrayImage& grid, bool across, int line, int cell) {
    const int expected = std::min(line * kCellSide, kGridSide - 1);
    const int from = std::max(0, expected - kReach);
    const int to = std::min(kGridSide - 1, expected + kReach);
    const int along_from = cell * kCellSide;
    const int along_to = (cell + 1) * kCellSide;
    // A line is dark all along the cell, a digit's stroke beside it only along part: each
    // course is as dark as its palest eighth.
    std::vector<double> darkness(static_cast<std::size_t>(to - from + 1));
    std::vector<int> levels(static_cast<std::size_t>(along_to - along_from));
    for (int at = from; at <= to; ++at) {
        for (int along = along_from; along < along_to; ++along)
            levels[static_cast<std::size_t>(along - along_from)] = 255 - (across ? grid.at(along, at) : grid.at(at, along));
        std::nth_element(levels.begin(), levels.begin() + levels.size() / 8, levels.end());
        darkness[static_cast<std::size_t>(at - from)] = levels[levels.size() / 8];
    }
    std::vector<double> sorted = darkness;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double paper = sorted[sorted.size() / 2];
    int best = expected;
    double best_score = -1e9;
    for (int at = from; at <= to; ++at) {
        const double score = darkness[static_cast<std::size_t>(at - from)] - kOffCourseCost * std::abs(at - expected);
        if (score > best_score) {
            best_score = score;
            best = at;
        }
    }
    if (darkness[static_cast<std::size_t>(best - from)] - paper < kLeastContrast) return std::nullopt;
    return best + 0.5;
}

// A course with the cells where the line was not found filled in: between the nearest cells
// where it was, in a straight line; beyond them, level with the nearest; `expected` along a
// line found nowhere.
Course filled(const std::array<std::optional<double>, 9>& found, double expected) {
    Course course{};
    for (int cell = 0; cell < 9; ++cell) {
        int before = cell;
        while (before >= 0 && !found[before]) --before;
        int after = cell;
        while (after < 9 && !found[after]) ++after;
        if (before == cell)
            course[cell] = *found[cell];
        else if (before >= 0 && after < 9)
            course[cell] = *found[before] + (*found[after] - *found[before]) * (cell - before) / (after - before);
        else if (before >= 0)
            course[cell] = *found[before];
        else
            course[cell] = after < 9 ? *found[after] : expected;
    }
    return course;
}

// A course with each position that strays from its neighbours' line put back on it: the
// median of itself and its two neighbours (at the ends, the next one and the line through
// the next two).
Course smoothed(const Course& found) {
    const auto median = [](double a, double b, double c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); };
    Course course = found;
    course[0] = median(found[0], found[1], 2 * found[1] - found[2]);
    course[8] = median(found[8], found[7], 2 * found[7] - found[6]);
    for (int cell = 1; cell < 8; ++cell) course[cell] = median(found[cell - 1], found[cell], found[cell + 1]);
    return course;
}

std::array<Course, 10> follow(const GrayImage& grid, bool across) {
    std::array<Course, 10> courses{};
    for (int line = 0; line <= 9; ++line) {
        std::array<std::optional<double>, 9> found;
        for (int cell = 0; cell < 9; ++cell) found[cell] = find_along_cell(grid, across, line, cell);
        courses[line] = smoothed(filled(found, line * kCellSide));
    }
    // Lines that came closer than half a cell have followed the same mark: both go back.
    for (int line = 0; line < 9; ++line)
        for (int cell = 0; cell < 9; ++cell)
            if (courses[line + 1][cell] - courses[line][cell] < kCellSide / 2.0) {
                courses[line][cell] = line * kCellSide;
                courses[line + 1][cell] = (line + 1) * kCellSide;
            }
    return courses;
}

// A course's position where it meets crossing line `crossing`: between the cells either side.
double at_crossing(const Course& course, int crossing) {
    if (crossing == 0) return course[0];
    if (crossing == 9) return course[8];
    return (course[crossing - 1] + course[crossing]) / 2;
}

}  // namespace

LineCrossings follow_lines(const GrayImage& grid) {
    const std::array<Course, 10> across = follow(grid, true);
    const std::array<Course, 10> down = follow(grid, false);
    LineCrossings crossings{};
    for (int row = 0; row <= 9; ++row)
        for (int column = 0; column <= 9; ++column)
            crossings[row * 10 + column] = QPointF(at_crossing(down[column], row), at_crossing(across[row], column));
    return crossings;
}

}  // namespace varendo
