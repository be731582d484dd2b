#pragma once

#include <QString>
#include <optional>

#include "commands/marks_text.h"

namespace varendo {

// The first puzzle of a file of any size, which must start within its first MiB, with the
// marks of a pencil-mark grid; nothing, with `error` saying why, for a file that cannot be
// read, is not text or holds no puzzle.
std::optional<MarkedGrid> read_puzzle_file(const QString& path, QString& error);

// Saves a puzzle's text through a temporary file renamed into place, so that a failed save
// leaves no half-written file; false with `error` saying why.
bool write_puzzle_file(const QString& path, const std::string& text, QString& error);

}  // namespace varendo
