#include "window/picture/picture_review.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "commands/puzzle_check.h"
#include "picture/reading_rules.h"
#include "window/menus/check_report.h"
#include "window/picture/corner_view.h"

namespace varendo {
namespace {

const QColor kDoubtful(0xff, 0xc8, 0x57);   // amber
const QColor kRepeated(0xf6, 0x61, 0x51);   // red
const QColor kShadedBox(0xee, 0xee, 0xee);
constexpr int kCellPixels = 30;

// Until the grid is found, the corners sit a little inside the picture's, to be dragged.
Quad inset_corners(const QImage& picture) {
    const double w = picture.width();
    const double h = picture.height();
    return {QPointF(w * 0.1, h * 0.1), QPointF(w * 0.9, h * 0.1), QPointF(w * 0.9, h * 0.9), QPointF(w * 0.1, h * 0.9)};
}

}  // namespace

PictureReview::PictureReview(const QImage& picture, QWidget* parent)
    : QDialog(parent), view_(new CornerView(picture, this)), table_(new QTableWidget(9, 9, this)),
      verdict_(new QLabel(QStringLiteral("Reading the picture…"), this)) {
    setWindowTitle(QStringLiteral("Puzzle from a Picture - Varendo"));
    view_->set_corners(inset_corners(picture));
    table_->setObjectName(QStringLiteral("reading"));
    table_->setAccessibleName(QStringLiteral("Reading"));
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setMinimumSectionSize(kCellPixels);
    table_->verticalHeader()->setMinimumSectionSize(kCellPixels);
    table_->horizontalHeader()->setDefaultSectionSize(kCellPixels);
    table_->verticalHeader()->setDefaultSectionSize(kCellPixels);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setFixedSize(9 * kCellPixels + 2 * table_->frameWidth(), 9 * kCellPixels + 2 * table_->frameWidth());
    QFont digits = table_->font();
    digits.setPointSizeF(digits.pointSizeF() * 1.4);
    table_->setFont(digits);
    for (int cell = 0; cell < 81; ++cell) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table_->setItem(cell / 9, cell % 9, item);
    }
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setWordWrap(true);
    verdict_->setMinimumWidth(9 * kCellPixels);
    auto* legend = new QLabel(QStringLiteral("Type a digit to change a cell, Delete to empty it. "
                                             "<span style='background:%1'>&nbsp;Amber&nbsp;</span>: read in doubt; "
                                             "<span style='background:%2'>&nbsp;red&nbsp;</span>: a repeated digit.")
                                  .arg(kDoubtful.name(), kRepeated.name()),
                              this);
    legend->setWordWrap(true);
    legend->setMaximumWidth(9 * kCellPixels + 20);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("&Load Puzzle"));
    ok_->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(table_);
    side->addWidget(verdict_);
    side->addWidget(legend);
    side->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(view_, 1);
    columns->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    connect(table_, &QTableWidget::itemChanged, this, &PictureReview::cell_edited);
    connect(view_, &CornerView::cornersMoved, this, &PictureReview::read_at);
    connect(&watcher_, &QFutureWatcher<Result>::finished, this, &PictureReview::show_result);
    watcher_.setFuture(QtConcurrent::run([picture] {
        auto reader = std::make_shared<const PictureReader>(picture);
        return Result{reader, reader->read()};
    }));
}

PictureReview::~PictureReview() { watcher_.waitForFinished(); }

Grid81 PictureReview::digits() const {
    Grid81 cells{};
    for (int cell = 0; cell < 81; ++cell) {
        const QString text = table_->item(cell / 9, cell % 9)->text();
        cells[cell] = text.isEmpty() ? 0 : static_cast<std::uint8_t>(text.toInt());
    }
    return cells;
}

void PictureReview::read_at(const Quad& corners) {
    if (watcher_.isRunning() || !reader_) {
        waiting_ = corners;
        return;
    }
    verdict_->setText(QStringLiteral("Reading the picture…"));
    reading_ = true;
    watcher_.setFuture(QtConcurrent::run([reader = reader_, corners] { return Result{reader, reader->read_at(corners)}; }));
}

void PictureReview::show_result() {
    const Result result = watcher_.result();
    reader_ = result.reader;
    if (waiting_) {
        const Quad corners = *waiting_;
        waiting_.reset();
        read_at(corners);
        return;
    }
    reading_ = false;
    if (!result.reading) {
        verdict_->setText(QStringLiteral("No Sudoku grid was found in the picture. Try a closer crop of the grid, "
                                         "more light or a sharper picture, or drag the four corners onto the "
                                         "grid's corners."));
        emit readingShown();
        return;
    }
    view_->set_corners(result.reading->corners);
    doubtful_ = result.reading->uncertain;
    filling_ = true;
    for (int cell = 0; cell < 81; ++cell) {
        const int digit = result.reading->digits[cell];
        table_->item(cell / 9, cell % 9)->setText(digit == 0 ? QString() : QString::number(digit));
    }
    filling_ = false;
    judge();
    emit readingShown();
}

void PictureReview::cell_edited(QTableWidgetItem* item) {
    if (filling_) return;
    // A cell keeps the last digit typed into it, and nothing else.
    const QString text = item->text();
    QString digit;
    for (const QChar c : text)
        if (c >= u'1' && c <= u'9') digit = c;
    const int cell = item->row() * 9 + item->column();
    doubtful_[cell] = false;
    filling_ = true;
    item->setText(digit);
    filling_ = false;
    judge();
}

void PictureReview::judge() {
    const Grid81 cells = digits();
    filling_ = true;
    for (int cell = 0; cell < 81; ++cell) {
        bool repeated = false;
        for (int other = 0; other < 81 && cells[cell] != 0; ++other)
            repeated |= other != cell && cells[other] == cells[cell] && same_unit(cell, other);
        const bool shaded = (cell / 27 + cell % 9 / 3) % 2 == 0;
        QTableWidgetItem* item = table_->item(cell / 9, cell % 9);
        item->setBackground(repeated ? kRepeated : doubtful_[cell] ? kDoubtful : shaded ? kShadedBox : QColor(Qt::white));
        item->setForeground(QColor(Qt::black));
        item->setToolTip(repeated ? QStringLiteral("This digit repeats in its row, column or box")
                         : doubtful_[cell] ? QStringLiteral("Read in doubt: check it against the picture")
                                           : QString());
    }
    filling_ = false;
    const PuzzleCheck check = check_puzzle(cells);
    const int doubts = static_cast<int>(std::count(doubtful_.begin(), doubtful_.end(), true));
    QString text = check_report(check);
    if (doubts > 0)
        text += QStringLiteral(" %1 read in doubt.").arg(doubts == 1 ? QStringLiteral("One cell is") : QStringLiteral("%1 cells are").arg(doubts));
    verdict_->setText(text);
    ok_->setEnabled(true);
}

}  // namespace varendo
