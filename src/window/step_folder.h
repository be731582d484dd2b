#pragma once

#include <QString>

namespace varendo {

// Where the step file goes: the preferred folder when it is a writable folder, otherwise the
// user's application data folder, made when missing.
QString step_folder(const QString& preferred);

}  // namespace varendo
