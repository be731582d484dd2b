#include "window/form/message_box.h"

#include <QDir>

namespace varendo {

std::unique_ptr<QMessageBox> make_message_box(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("Varendo"), text,
                                             QMessageBox::Ok, parent);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

QString quoted_path(const QString& path) { return u'“' + QDir::toNativeSeparators(path) + u'”'; }

}  // namespace varendo
