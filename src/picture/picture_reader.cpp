#include "picture/picture_reader.h"

#include <algorithm>
#include <vector>

#include "picture/alike_cells.h"
#include "picture/cell_cutter.h"
#include "picture/digit_classifier.h"
#include "picture/reading_rules.h"

namespace varendo {
namespace {

// The grid is looked for in a copy of at most this many pixels a side: enough for its lines,
// and quick for a large photo.
constexpr int kSearchSide = 1000;
// A digit is in doubt when it is not like any template enough, or nearly as like another digit's.
constexpr float kLeastScore = 0.55f;
constexpr float kLeastMargin = 0.03f;
// How much more like the templates a picture's digits must be read another way round than
// upright for that way to be taken.
constexpr float kUprightLead = 1.08f;

// The digits whose strokes are less than half as dark as the grid's digits' middling ones.
std::array<bool, 81> faded_digits(const std::array<float, 81>& darkness) {
    std::vector<float> read;
    for (const float dark : darkness)
        if (dark > 0) read.push_back(dark);
    std::array<bool, 81> faded{};
    if (read.empty()) return faded;
    std::nth_element(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(read.size() / 2), read.end());
    const float middling = read[read.size() / 2];
    for (int cell = 0; cell < 81; ++cell) faded[cell] = darkness[cell] > 0 && darkness[cell] * 2 < middling;
    return faded;
}

}  // namespace

int PictureReading::uncertain_count() const {
    return static_cast<int>(std::count(uncertain.begin(), uncertain.end(), true));
}

PictureReader::PictureReader(const QImage& picture) : gray_(to_gray(picture)) {}

std::optional<PictureReading> PictureReader::read() const {
    if (gray_.empty()) return std::nullopt;
    const int factor = (std::max(gray_.width, gray_.height) + kSearchSide - 1) / kSearchSide;
    GrayImage search = shrink(gray_, factor);
    // Light lines on dark paper (a dark theme) are looked for as dark lines on light.
    if (light_on_dark(search)) invert(search);
    const std::optional<Quad> found = find_grid(search);
    if (!found) return std::nullopt;
    Quad corners = *found;
    for (QPointF& corner : corners) corner *= factor;
    return read_at(corners);
}

PictureReading PictureReader::read_at(const Quad& corners) const {
    PictureReading best;
    best.corners = corners;
    if (gray_.empty()) return best;
    // A photo taken sideways or upside down (or whose camera said so wrongly) is read the
    // way round its digits are most like the templates; upright unless another way round is
    // plainly better, as a digit turned round can be nearly as like some template.
    float best_score = -1;
    DigitScores best_scores{};
    std::array<StrayMark, 81> best_strays{};
    PrintTwins best_twins{};
    std::array<float, 81> best_darkness{};
    for (int turn = 0; turn < 4; ++turn) {
        PictureReading reading;
        DigitScores scores{};
        std::array<StrayMark, 81> strays{};
        std::array<float, 81> darkness{};
        reading.corners = corners;
        Quad turned;
        for (int corner = 0; corner < 4; ++corner) turned[corner] = corners[(corner + turn) % 4];
        const std::array<CellCut, 81> cells = cut_cells(straighten(gray_, turned), aspect_of(turned));
        std::array<DigitLikeness, 81> likenesses{};
        std::array<bool, 81> like_a_one{};
        float usual = 0;
        float misty = 0;
        bool one_in_question = false;
        for (int cell = 0; cell < 81; ++cell) {
            if (!cells[cell].ink) continue;
            likenesses[cell] = likeness(*cells[cell].ink);
            usual += *std::max_element(likenesses[cell].usual.begin(), likenesses[cell].usual.end());
            misty += *std::max_element(likenesses[cell].misty.begin(), likenesses[cell].misty.end());
            like_a_one[cell] = best_match(likenesses[cell].usual).digit == 1;
            one_in_question = one_in_question || (like_a_one[cell] && best_match(likenesses[cell].misty).digit != 1);
        }
        // Blur closes a narrow digit's openings (a 3's, a 7's, a 2's) into a bar much like a
        // 1. In a picture whose digits are more like a misty photo's than like the usual
        // drawings, and where the misty templates take some cell read as a 1 for another
        // digit, every cell read as a 1 is read by the misty templates alone, whose scores
        // the rules then weigh; elsewhere a 1 keeps its plainer usual reading.
        const bool read_ones_again = misty > usual && one_in_question;
        for (int cell = 0; cell < 81; ++cell)
            scores[cell] = read_ones_again && like_a_one[cell] ? likenesses[cell].misty : likenesses[cell].usual;
        const InkLikeness alike = ink_likeness(cells);
        pool_alike_cells(alike, scores);
        float score = 0;
        for (int cell = 0; cell < 81; ++cell) {
            strays[cell] = cells[cell].stray;
            reading.uncertain[cell] = cells[cell].stray == StrayMark::unshaped;
            if (!cells[cell].ink) continue;
            darkness[cell] = cells[cell].darkness;
            const DigitMatch match = best_match(scores[cell]);
            reading.digits[cell] = static_cast<std::uint8_t>(match.digit);
            reading.uncertain[cell] = match.score < kLeastScore || match.margin < kLeastMargin;
            score += match.score;
        }
        if (turn != 0) score /= kUprightLead;
        if (score > best_score) {
            best_score = score;
            best = reading;
            best_scores = scores;
            best_strays = strays;
            best_twins = print_twins(alike);
            best_darkness = darkness;
        }
    }
    // A faint mark is most likely a pencil mark, unless the rules say a digit is missing or
    // misread; a pale one may be a faded digit whose puzzle has one solution without it too.
    const bool one_solution = settle_by_rules(best, best_scores, faded_digits(best_darkness), best_twins);
    for (int cell = 0; cell < 81; ++cell)
        best.uncertain[cell] = best.uncertain[cell] || best_strays[cell] == StrayMark::pale ||
                               (!one_solution && best_strays[cell] == StrayMark::faint);
    return best;
}

}  // namespace varendo
