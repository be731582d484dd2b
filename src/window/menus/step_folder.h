#pragma once

#include <QString>

namespace varendo {

// Where the step file goes: beside the program when it runs from a folder of its own (its
// build folder, or one it was unpacked into) that it may write; for a program installed
// under a prefix, or in a folder closed to the user, the user's application data folder.
// Nothing is made here: the step file makes its folder when it is first written.
QString step_folder(const QString& program_folder);

}  // namespace varendo
