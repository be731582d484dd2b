#pragma once

#include <QDialog>
#include <optional>

#include "commands/generator.h"

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace varendo {

struct BookletChoice {
    int count = 12;
    Level level = Level::Medium;
    std::optional<RatingRange> rating;  // when set, made to this ER range instead of the level
    int per_page = 4;  // 1, 2, 4 or 6
    bool to_pdf = false;
};

// Asks how many puzzles of which level (or of which range of ER), how many to a page, and whether to the printer or
// to a PDF file.
class BookletDialog final : public QDialog {
    Q_OBJECT

public:
    explicit BookletDialog(const BookletChoice& start, QWidget* parent);

    BookletChoice choice() const;

private:
    QSpinBox* count_;
    QComboBox* level_;
    QDoubleSpinBox* lowest_;
    QDoubleSpinBox* highest_;
    QComboBox* per_page_;
    QComboBox* destination_;
};

}  // namespace varendo
