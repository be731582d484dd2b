#include "picture/picture_file.h"

#include <QImageReader>

namespace varendo {

QImage load_picture(const QString& path, QString& error) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Up to a 16-bit-per-channel picture of 64 megapixels; Qt's own limit is a quarter of it.
    QImageReader::setAllocationLimit(1024);
    QImage image = reader.read();
    if (image.isNull()) error = reader.errorString();
    return image;
}

}  // namespace varendo
