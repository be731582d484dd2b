#pragma once

#include <QMessageBox>
#include <memory>

namespace varendo {

// The program's only kind of message box: modal, titled "Varendo", no icon, only OK.
std::unique_ptr<QMessageBox> make_message_box(const QString& text, QWidget* parent);

// A file's path as the messages name it: in quotation marks, with the system's separators.
QString quoted_path(const QString& path);

}  // namespace varendo
