#include <algorithm>
#include <array>
#include <vector>

#include "logic/producers.h"
#include "logic/strong_links.h"

namespace varendo::logic {

namespace {

// The cells joined by strong links on one digit, in clusters of two colours (0 and 1, which
// alternate along the links): in each cluster one colour holds the digit in all its cells.
struct Clusters {
    std::vector<std::vector<int>> cells;
    std::array<int, 81> colour{};  // -1 outside every cluster
    std::array<int, 81> cluster{};
};

Clusters colour_clusters(const CandidateGrid& grid, int digit) {
    const std::vector<StrongLink> links = strong_links(grid, digit);
    Clusters clusters;
    clusters.colour.fill(-1);
    for (const StrongLink& seed : links) {
        if (clusters.colour[seed.a] >= 0) continue;
        std::vector<int> cells{seed.a};
        clusters.colour[seed.a] = 0;
        for (std::size_t k = 0; k < cells.size(); ++k)
            for (const StrongLink& link : links) {
                const int here = cells[k];
                const int other = link.a == here ? link.b : link.b == here ? link.a : -1;
                if (other < 0 || clusters.colour[other] >= 0) continue;
                clusters.colour[other] = 1 - clusters.colour[here];
                cells.push_back(other);
            }
        for (int c : cells) clusters.cluster[c] = static_cast<int>(clusters.cells.size());
        clusters.cells.push_back(std::move(cells));
    }
    return clusters;
}

// Whether a cell sees a cell of the given colour of a cluster.
bool sees_colour(const Clusters& clusters, int cluster, int colour, int cell) {
    return std::any_of(clusters.cells[cluster].begin(), clusters.cells[cluster].end(),
                       [&](int c) { return clusters.colour[c] == colour && sees(cell, c); });
}

Step colour_step(Technique technique, int rating, int digit, const std::vector<int>& cells) {
    Step step;
    step.technique = technique;
    step.rating = rating;
    step.digits = digit_bit(digit);
    for (int c : cells) step.cells.push_back(static_cast<std::uint8_t>(c));
    return step;
}

}  // namespace

// Simple colours: two cells of one colour that see each other make that colour false (a
// wrap); a cell that sees both colours of a cluster cannot hold the digit (a trap).
bool find_simple_colors(const CandidateGrid& grid, const StepSink& sink) {
    for (int digit = 1; digit <= 9; ++digit) {
        const Clusters clusters = colour_clusters(grid, digit);
        for (std::size_t n = 0; n < clusters.cells.size(); ++n) {
            const std::vector<int>& cluster = clusters.cells[n];
            Step step = colour_step(Technique::SimpleColoring, 44, digit, cluster);
            int false_colour = -1;
            for (int a : cluster)
                for (int b : cluster)
                    if (a < b && clusters.colour[a] == clusters.colour[b] && sees(a, b)) false_colour = clusters.colour[a];
            for (int cell = 0; cell < 81; ++cell) {
                if (!grid.has(cell, digit)) continue;
                const bool inside = clusters.colour[cell] >= 0 && clusters.cluster[cell] == static_cast<int>(n);
                const bool drop = false_colour >= 0 ? inside && clusters.colour[cell] == false_colour
                                                    : !inside && sees_colour(clusters, static_cast<int>(n), 0, cell) &&
                                                          sees_colour(clusters, static_cast<int>(n), 1, cell);
                if (drop) step.eliminations.push_back(candidate(cell, digit));
            }
            if (!step.eliminations.empty() && !sink(std::move(step))) return false;
        }
    }
    return true;
}

// Multi colours, over two clusters of one digit. When a cell of colour a of one sees a cell
// of colour b of the other, a and b are not both true, so the other colours of the two are
// not both false: the digit leaves every cell that sees both of them (all such pairs of
// colours together make one step). When cells of one colour of a cluster see both colours of
// the other, that colour is false.
bool find_multi_colors(const CandidateGrid& grid, const StepSink& sink) {
    for (int digit = 1; digit <= 9; ++digit) {
        const Clusters clusters = colour_clusters(grid, digit);
        const int count = static_cast<int>(clusters.cells.size());
        // Whether a cell of colour a of cluster x sees one of colour b of cluster y.
        const auto meet = [&](int x, int a, int y, int b) {
            return std::any_of(clusters.cells[x].begin(), clusters.cells[x].end(),
                               [&](int c) { return clusters.colour[c] == a && sees_colour(clusters, y, b, c); });
        };
        for (int one = 0; one < count; ++one)
            for (int two = one + 1; two < count; ++two) {
                std::vector<int> cells = clusters.cells[one];
                cells.insert(cells.end(), clusters.cells[two].begin(), clusters.cells[two].end());
                Step wing = colour_step(Technique::MultiColoring, 46, digit, cells);
                for (int cell = 0; cell < 81; ++cell) {
                    if (!grid.has(cell, digit)) continue;
                    bool struck = false;
                    for (int a = 0; a < 2; ++a)
                        for (int b = 0; b < 2; ++b) {
                            const auto is = [&](int x, int colour) {
                                return clusters.colour[cell] == colour && clusters.cluster[cell] == x;
                            };
                            struck = struck || (meet(one, a, two, b) && !is(one, 1 - a) && !is(two, 1 - b) &&
                                                sees_colour(clusters, one, 1 - a, cell) && sees_colour(clusters, two, 1 - b, cell));
                        }
                    if (struck) wing.eliminations.push_back(candidate(cell, digit));
                }
                if (!wing.eliminations.empty() && !sink(std::move(wing))) return false;
                for (const auto& [x, y] : {std::pair{one, two}, std::pair{two, one}})
                    for (int a = 0; a < 2; ++a) {
                        if (!meet(x, a, y, 0) || !meet(x, a, y, 1)) continue;
                        Step wrap = colour_step(Technique::MultiColoring, 46, digit, cells);
                        for (int c : clusters.cells[x])
                            if (clusters.colour[c] == a) wrap.eliminations.push_back(candidate(c, digit));
                        if (!sink(std::move(wrap))) return false;
                    }
            }
    }
    return true;
}

}  // namespace varendo::logic
