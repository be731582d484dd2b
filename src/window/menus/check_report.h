#pragma once

#include <QString>

#include "commands/puzzle_check.h"

namespace varendo {

// What Check says in its box.
QString check_report(const PuzzleCheck& check);

}  // namespace varendo
