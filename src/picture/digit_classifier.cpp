#include "picture/digit_classifier.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "picture/ink_pattern.h"

namespace varendo {
namespace {

#include "digit_templates.inc"

struct Template {
    int digit;
    bool misty;
    InkPattern pattern;
};

const std::vector<Template>& templates() {
    static const std::vector<Template> all = [] {
        std::vector<Template> made;
        made.reserve(std::size(kTemplateDigits));
        for (std::size_t i = 0; i < std::size(kTemplateDigits); ++i) {
            DigitInk ink{};
            for (std::size_t p = 0; p < ink.size(); ++p) ink[p] = static_cast<float>(kTemplateInk[i][p]) / 255.0f;
            made.push_back({kTemplateDigits[i], kTemplateMisty[i], ink_pattern(ink)});
        }
        return made;
    }();
    return all;
}

}  // namespace

DigitLikeness likeness(const DigitInk& ink) {
    const InkPattern pattern = ink_pattern(ink);
    DigitLikeness found;
    found.usual.fill(-1.0f);
    found.misty.fill(-1.0f);
    for (const Template& t : templates()) {
        float dot = 0;
        for (std::size_t p = 0; p < pattern.size(); ++p) dot += pattern[p] * t.pattern[p];
        float& best = t.misty ? found.misty[t.digit] : found.usual[t.digit];
        best = std::max(best, dot);
    }
    return found;
}

DigitMatch best_match(const CellScores& scores) {
    DigitMatch match;
    float second = -1.0f;
    for (int digit = 1; digit <= 9; ++digit) {
        if (scores[digit] > match.score || match.digit == 0) {
            second = std::max(second, match.digit == 0 ? -1.0f : match.score);
            match.digit = digit;
            match.score = scores[digit];
        } else {
            second = std::max(second, scores[digit]);
        }
    }
    match.margin = match.score - second;
    return match;
}

}  // namespace varendo
