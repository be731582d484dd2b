#include "window/printing/booklet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>

#include "window/printing/print_pages.h"

namespace varendo {

namespace {

constexpr int kMostPuzzles = 500;
constexpr int kPerPage[] = {1, 2, 4, 6};

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
      per_page_(combo("perPage", this)),
      destination_(combo("destination", this)) {
    setObjectName(QStringLiteral("bookletDialog"));
    setWindowTitle(QStringLiteral("Print Booklet"));

    count_->setObjectName(QStringLiteral("count"));
    count_->setRange(1, kMostPuzzles);
    count_->setValue(start.count);
    for (const Level level : {Level::Easy, Level::Medium, Level::Difficult, Level::VeryDifficult})
        level_->addItem(level_name(level), static_cast<int>(level));
    level_->setCurrentIndex(static_cast<int>(start.level));
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
    form->addRow(QStringLiteral("To a p&age:"), per_page_);
    form->addRow(QStringLiteral("Print &to:"), destination_);
    form->addRow(buttons);
}

BookletChoice BookletDialog::choice() const {
    return {count_->value(), static_cast<Level>(level_->currentData().toInt()), per_page_->currentData().toInt(),
            destination_->currentIndex() == 1};
}

}  // namespace varendo
