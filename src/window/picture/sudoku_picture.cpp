// A puzzle from a picture: File > Open Picture…, a picture pasted or dropped, or named on the
// command line, reviewed before it loads.
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

#include "picture/picture_file.h"
#include "window/picture/picture_review.h"
#include "window/sudoku.h"

namespace varendo {

bool Sudoku::is_picture_file(const QString& path) { return QImageReader(path).canRead(); }

void Sudoku::open_picture() {
    const QString path = choose_file_in_last_folder(FileChoice::Picture);
    if (!path.isEmpty()) open_picture_file(path);
}

void Sudoku::open_picture_file(const QString& path) {
    QString error;
    const QImage picture = load_picture(path, error);
    if (picture.isNull()) {
        present_message(QStringLiteral("Cannot read the picture %1.").arg(QFileInfo(path).fileName()), error);
        return;
    }
    review_picture(picture);
}

void Sudoku::review_picture(const QImage& picture) {
    // One review at a time: a second picture replaces the first.
    if (review_ != nullptr) review_->reject();
    review_ = new PictureReview(picture, this);
    review_->setAttribute(Qt::WA_DeleteOnClose);
    connect(review_, &QDialog::accepted, this, [this, review = review_] { load(review->digits()); });
    review_->open();
}

bool Sudoku::review_clipboard_picture() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasImage()) return false;
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull()) return false;
    review_picture(picture);
    return true;
}

}  // namespace varendo
