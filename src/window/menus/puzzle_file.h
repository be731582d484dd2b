#pragma once

#include <QString>
#include <optional>

#include "solver/exact_search.h"

namespace varendo {

// The first puzzle of a file of any size, which must start within its first MiB; nothing,
// with `error` saying why, for a file that cannot be read, is not text or holds no puzzle.
std::optional<Grid81> read_puzzle_file(const QString& path, QString& error);

// Saves the puzzle as the line varendo-solve reads, through a temporary file renamed into
// place, so that a failed save leaves no half-written file; false with `error` saying why.
bool write_puzzle_file(const QString& path, const Grid81& cells, QString& error);

}  // namespace varendo
