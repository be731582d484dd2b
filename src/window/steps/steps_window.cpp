#include "window/steps/steps_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "window/form/design.h"
#include "window/steps/logic_view.h"
#include "window/steps/steps_model.h"

namespace varendo {

namespace {

// Between the Steps window and the main window, in pixels.
constexpr int kGap = 8;

}  // namespace

StepGrid::StepGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("stepGrid"));
    setMinimumSize(270, 270);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The main window's colours: its checkerboard of boxes, red givens, blue placed digits.
    style_.paper = design::kWindowColor;
    style_.shaded_boxes = design::kOrange;
    style_.given_digit = QColor(255, 100, 100);
    style_.placed_digit = QColor(0, 0, 255);
    style_.candidate_digit = QColor(90, 70, 50);
    style_.marked_digit = Qt::black;
    style_.tint = QColor(255, 248, 140);
    style_.mark = QColor(0, 110, 0);
    style_.font = design::arial(12, false);
}

void StepGrid::set_picture(const GridPicture& picture) {
    picture_ = picture;
    update();
}

void StepGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_grid(painter, QRectF(rect()).adjusted(4, 4, -4, -4), picture_, style_);
}

StepsWindow::StepsWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool),
      tabs_(new QTabWidget(this)),
      logic_(new LogicView(tabs_)),
      model_(new StepsModel(this)),
      list_(new QListView(this)),
      grid_(new StepGrid(this)),
      first_(new QPushButton(QStringLiteral("&First"), this)),
      previous_(new QPushButton(QStringLiteral("&Previous"), this)),
      next_(new QPushButton(QStringLiteral("&Next"), this)),
      last_(new QPushButton(QStringLiteral("&Last"), this)) {
    setObjectName(QStringLiteral("steps"));
    setWindowTitle(QStringLiteral("Steps - Varendo"));

    list_->setObjectName(QStringLiteral("stepList"));
    list_->setAccessibleName(QStringLiteral("Steps of the last Solve"));
    grid_->setAccessibleName(QStringLiteral("The grid after the chosen step"));
    list_->setModel(model_);
    // Rows of one height let the view place any of thousands of rows without measuring them.
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setMinimumSize(470, 160);
    list_->installEventFilter(this);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, &StepsWindow::row_changed);

    const auto button = [this](QPushButton* push, const char* name, auto row) {
        push->setObjectName(QLatin1String(name));
        // The keys stay with the list, which takes the arrows, Home and End.
        push->setFocusPolicy(Qt::NoFocus);
        connect(push, &QPushButton::clicked, this, [this, row] { go_to(row()); });
    };
    button(first_, "stepsFirst", [] { return 0; });
    button(previous_, "stepsPrevious", [this] { return current_row() - 1; });
    button(next_, "stepsNext", [this] { return current_row() + 1; });
    button(last_, "stepsLast", [this] { return model_->rowCount() - 1; });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* push : {first_, previous_, next_, last_}) buttons->addWidget(push);
    buttons->addStretch();
    // One above the other, narrow enough to stand beside the main window.
    auto* solve = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(solve);
    layout->addWidget(grid_, 3);
    layout->addWidget(list_, 2);
    layout->addLayout(buttons);
    solve->setFocusProxy(list_);
    tabs_->setObjectName(QStringLiteral("stepsTabs"));
    tabs_->addTab(solve, QStringLiteral("&Solve"));
    tabs_->addTab(logic_, QStringLiteral("L&ogic"));
    (new QVBoxLayout(this))->addWidget(tabs_);
    setFocusProxy(tabs_);
    clear();
}

void StepsWindow::show_path(const SolvePath& path) {
    // The model lets go of the old path before it changes.
    model_->show_path(nullptr);
    path_ = path;
    model_->show_path(&path_);
    go_to(0);
    row_changed();
}

void StepsWindow::present(QWidget& beside) {
    if (!std::exchange(placed_, true)) {
        adjustSize();
        // Beside the main window, on the side with room. Where neither side has room but the
        // screen has room for both, the main window moves over to make it; only a screen too
        // narrow for both puts this window over the main one, on the side with more room.
        QRect main = beside.frameGeometry();
        // Never shown, this window knows no frame yet: the main window's tells how wide it is.
        const int width = this->width() + main.width() - beside.width();
        const int needed = width + kGap;
        QPoint at(main.right() + kGap, main.top());
        if (const QScreen* screen = beside.screen()) {
            const QRect room = screen->availableGeometry();
            const int left = main.left() - room.left();
            int right = room.right() - main.right();
            if (left < needed && right < needed && left + right >= needed) {
                beside.move(beside.pos() - QPoint(needed - right, 0));
                main.translate(right - needed, 0);
                right = needed;
            }
            at.setX(right < needed && left > right ? main.left() - needed : main.right() + kGap);
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width)));
        }
        move(at);
    }
    show();
    raise();
    activateWindow();
}

int StepsWindow::current_row() const { return list_->currentIndex().row(); }

void StepsWindow::go_to(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row);
    list_->setCurrentIndex(index);
    list_->scrollTo(index);
}

void StepsWindow::row_changed() {
    const int row = current_row();
    grid_->set_picture(model_->picture(row));
    first_->setEnabled(row > 0);
    previous_->setEnabled(row > 0);
    next_->setEnabled(row >= 0 && row + 1 < model_->rowCount());
    last_->setEnabled(next_->isEnabled());
}

bool StepsWindow::eventFilter(QObject* watched, QEvent* event) {
    // The list keeps the keys: Left and Right step too, as Up and Down do, and Escape closes.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier) return false;
        switch (key->key()) {
        case Qt::Key_Left: go_to(current_row() - 1); return true;
        case Qt::Key_Right: go_to(current_row() + 1); return true;
        case Qt::Key_Escape: close(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace varendo
