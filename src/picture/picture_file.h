#pragma once

#include <QImage>
#include <QString>

namespace varendo {

// The picture in a file (PNG, JPEG, BMP, GIF, ... as Qt reads them), turned upright as its
// camera data says; a null image with `error` saying why when it cannot be read.
QImage load_picture(const QString& path, QString& error);

}  // namespace varendo
