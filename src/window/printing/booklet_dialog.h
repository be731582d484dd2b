#pragma once

#include <QDialog>

#include "commands/generator.h"

class QComboBox;
class QSpinBox;

namespace varendo {

struct BookletChoice {
    int count = 12;
    Level level = Level::Medium;
    int per_page = 4;  // 1, 2, 4 or 6
    bool to_pdf = false;
};

// Asks how many puzzles of which level, how many to a page, and whether to the printer or
// to a PDF file.
class BookletDialog final : public QDialog {
    Q_OBJECT

public:
    explicit BookletDialog(const BookletChoice& start, QWidget* parent);

    BookletChoice choice() const;

private:
    QSpinBox* count_;
    QComboBox* level_;
    QComboBox* per_page_;
    QComboBox* destination_;
};

}  // namespace varendo
