#pragma once

#include <QMessageBox>
#include <memory>

namespace varendo {

// The program's only kind of message box: modal, titled "Varendo", no icon, only OK.
std::unique_ptr<QMessageBox> make_message_box(const QString& text, QWidget* parent);

}  // namespace varendo
