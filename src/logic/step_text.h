#pragma once

#include <string>

#include "logic/ladder.h"
#include "logic/step.h"

namespace varendo::logic {

// The technique's name, as the explainers name it ("Naked Pair", "Forcing X-Chain").
const char* technique_name(Technique technique);
// A house in the program's words: "row 3", "column 5", "box 4 (rows 1-3, columns 4-6)", the
// boxes numbered down the bands of columns as Check numbers them.
std::string house_text(int house);
// "row 3, column 8".
std::string cell_text(int cell);
// One sentence for a step: its technique, digits and where, then what it places and strikes,
// e.g. "Naked Pair 4/7 in row 3 (columns 2 and 5): 4 and 7 leave row 3, column 8".
std::string step_text(const Step& step);
// "Easy", "Medium", "Hard", "Unfair" or "Extreme".
const char* human_level_name(HumanLevel level);
// A rating in tenths as the raters print it: 72 is "7.2".
std::string rating_text(int tenths);

}  // namespace varendo::logic
