#include "cli/rating_range.h"

#include <optional>

#include "logic/step_text.h"

namespace varendo {

namespace {

constexpr int kLowest = 10;    // 1.0, a full house
constexpr int kHighest = 120;  // 12.0, past the hardest nested forcing chains

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "7.5" in tenths: one or two digits, a point, one digit.
std::optional<int> tenths(std::string_view text) {
    if (text.size() < 3 || text.size() > 4 || text[text.size() - 2] != '.') return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c == '.') continue;
        if (!is_digit(c)) return std::nullopt;
        value = 10 * value + (c - '0');
    }
    return value;
}

}  // namespace

std::variant<RatingRange, std::string> parse_rating_range(std::string_view text) {
    const std::size_t dash = text.find('-');
    const std::optional<int> low = dash == std::string_view::npos ? std::nullopt : tenths(text.substr(0, dash));
    const std::optional<int> high = dash == std::string_view::npos ? std::nullopt : tenths(text.substr(dash + 1));
    if (!low || !high)
        return "not a range of ratings with one decimal, low-high (such as 7.0-7.9): " + std::string(text);
    for (const int end : {*low, *high})
        if (end < kLowest || end > kHighest) return logic::rating_text(end) + " is outside 1.0 to 12.0";
    if (*low > *high) return "the low end " + logic::rating_text(*low) + " is above the high end " + logic::rating_text(*high);
    return RatingRange{*low, *high};
}

}  // namespace varendo
