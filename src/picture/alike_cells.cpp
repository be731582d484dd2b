#include "picture/alike_cells.h"

#include <algorithm>
#include <vector>

#include "picture/ink_pattern.h"

namespace varendo {
namespace {

// How alike two cells' ink must be to share their scores at all, and to share them fully:
// one face's 7s in one photo are alike to 0.96 and more, its 1s and 7s less, and a blurred
// 6 and 8 can be alike to 0.96.
constexpr float kFirstAlike = 0.96f;
constexpr float kFullyAlike = 0.99f;
// Over 160 newspaper photos, no two cells of different digits are alike beyond 0.98.
constexpr float kTwins = 0.985f;

}  // namespace

InkLikeness ink_likeness(const std::array<CellCut, 81>& cells) {
    std::array<InkPattern, 81> patterns{};
    for (int cell = 0; cell < 81; ++cell)
        if (cells[cell].ink) patterns[cell] = ink_pattern(*cells[cell].ink);
    InkLikeness likeness{};
    for (int a = 0; a < 81; ++a)
        for (int b = a + 1; b < 81 && cells[a].ink; ++b) {
            if (!cells[b].ink) continue;
            for (std::size_t p = 0; p < patterns[a].size(); ++p) likeness[a][b] += patterns[a][p] * patterns[b][p];
            likeness[b][a] = likeness[a][b];
        }
    return likeness;
}

void pool_alike_cells(const InkLikeness& likeness, DigitScores& scores) {
    DigitScores pooled = scores;
    std::array<float, 81> weight{};
    weight.fill(1);
    for (int a = 0; a < 81; ++a)
        for (int b = a + 1; b < 81; ++b) {
            const float share = std::clamp((likeness[a][b] - kFirstAlike) / (kFullyAlike - kFirstAlike), 0.0f, 1.0f);
            if (share == 0) continue;
            for (int digit = 1; digit <= 9; ++digit) {
                pooled[a][digit] += share * scores[b][digit];
                pooled[b][digit] += share * scores[a][digit];
            }
            weight[a] += share;
            weight[b] += share;
        }
    for (int cell = 0; cell < 81; ++cell)
        for (int digit = 1; digit <= 9; ++digit) pooled[cell][digit] /= weight[cell];
    scores = pooled;
}

PrintTwins print_twins(const InkLikeness& likeness) {
    PrintTwins group{};
    int groups = 0;
    for (int first = 0; first < 81; ++first) {
        if (group[first] != 0) continue;
        std::vector<int> reached{first};
        for (std::size_t next = 0; next < reached.size(); ++next)
            for (int other = 0; other < 81; ++other)
                if (other != first && group[other] == 0 && likeness[reached[next]][other] >= kTwins) {
                    group[other] = groups + 1;
                    reached.push_back(other);
                }
        if (reached.size() > 1) group[first] = ++groups;
    }
    return group;
}

}  // namespace varendo
