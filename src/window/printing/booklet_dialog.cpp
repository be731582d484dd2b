#include "window/printing/booklet_dialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "window/printing/print_pages.h"

namespace varendo {

namespace {

constexpr int kMostPuzzles = 500;
constexpr int kPerPage[] = {1, 2, 4, 6};
constexpr int kByRating = -1;  // the level box's last entry: made to the ER range below it

QDoubleSpinBox* rating_box(const char* name, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setRange(1.0, 12.0);
    box->setValue(value);
    return box;
}

QComboBox* combo(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

}  // namespace

BookletDialog::BookletDialog(const BookletChoice& start, QWidget* parent)
    : QDialog(parent),
      count_(new QSpinBox(this)),
      level_(combo("level", this)),
      lowest_(rating_box("ratingFrom", start.rating ? start.rating->low / 10.0 : 7.0, this)),
      highest_(rating_box("ratingTo", start.rating ? start.rating->high / 10.0 : 7.9, this)),
      per_page_(combo("perPage", this)),
      destination_(combo("destination", this)) {
    setObjectName(QStringLiteral("bookletDialog"));
    setWindowTitle(QStringLiteral("Print Booklet"));

    count_->setObjectName(QStringLiteral("count"));
    count_->setRange(1, kMostPuzzles);
    count_->setValue(start.count);
    for (const Level level : {Level::Easy, Level::Medium, Level::Difficult, Level::VeryDifficult})
        level_->addItem(level_name(level), static_cast<int>(level));
    level_->addItem(QStringLiteral("By rating (ER)"), kByRating);
    level_->setCurrentIndex(start.rating ? level_->count() - 1 : static_cast<int>(start.level));
    // The range can never be upside down: its top follows its bottom up.
    highest_->setMinimum(lowest_->value());
    connect(lowest_, &QDoubleSpinBox::valueChanged, highest_, &QDoubleSpinBox::setMinimum);
    const auto show_range = [this] {
        const bool by_rating = level_->currentData().toInt() == kByRating;
        lowest_->setEnabled(by_rating);
        highest_->setEnabled(by_rating);
    };
    show_range();
    connect(level_, &QComboBox::currentIndexChanged, this, show_range);
    for (const int n : kPerPage) per_page_->addItem(QString::number(n), n);
    per_page_->setCurrentIndex(std::max(0, per_page_->findData(start.per_page)));
    destination_->addItem(QStringLiteral("Printer"));
    destination_->addItem(QStringLiteral("PDF file"));
    destination_->setCurrentIndex(start.to_pdf ? 1 : 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Puzzles:"), count_);
    form->addRow(QStringLiteral("&Level:"), level_);
    form->addRow(QStringLiteral("ER &from:"), lowest_);
    form->addRow(QStringLiteral("ER t&o:"), highest_);
    form->addRow(QStringLiteral("To a p&age:"), per_page_);
    form->addRow(QStringLiteral("Print &to:"), destination_);
    form->addRow(buttons);
}

BookletChoice BookletDialog::choice() const {
    BookletChoice choice{count_->value(), Level::Medium, std::nullopt, per_page_->currentData().toInt(),
                         destination_->currentIndex() == 1};
    const int level = level_->currentData().toInt();
    if (level == kByRating)
        choice.rating = RatingRange{static_cast<int>(std::lround(lowest_->value() * 10)),
                                    static_cast<int>(std::lround(highest_->value() * 10))};
    else
        choice.level = static_cast<Level>(level);
    return choice;
}

}  // namespace varendo
