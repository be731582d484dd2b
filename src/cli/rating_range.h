#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "commands/generator.h"

namespace varendo {

// An ER range as the command line writes it, "7.0-7.9": two ratings of one decimal from 1.0
// to 12.0, the low one first. On a fault, the sentence that says what is wrong.
std::variant<RatingRange, std::string> parse_rating_range(std::string_view text);

}  // namespace varendo
