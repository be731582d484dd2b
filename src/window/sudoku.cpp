#include "window/sudoku.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "window/form/cell_edit.h"
#include "window/guidance/grid_history.h"
#include "window/guidance/mark_board.h"
#include "window/form/design.h"
#include "window/form/message_box.h"
#include "window/menus/step_folder.h"

namespace varendo {

namespace {

QString step_file_in(const QString& folder) { return QDir(folder).filePath(QStringLiteral("steps.txt")); }

QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor to_qcolor(Rgb color) { return {color.red, color.green, color.blue}; }

}  // namespace

Sudoku::Sudoku(const QString& program_folder, QWidget* parent)
    : QMainWindow(parent),
      form_(new QWidget(this)),
      step_folder_(step_folder(program_folder)),
      step_file_(QFile::encodeName(step_file_in(step_folder_)).toStdString()),
      commands_(*this) {
    setObjectName(QStringLiteral("Sudoku"));
    setWindowTitle(QStringLiteral("Varendo - By Tamsiel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAcceptDrops(true);

    form_->setObjectName(QStringLiteral("form"));
    form_->setFixedSize(design::kClientSize);
    QPalette colors = form_->palette();
    colors.setColor(QPalette::Window, design::kWindowColor);
    // Black texts whatever the desktop's colour scheme.
    colors.setColor(QPalette::WindowText, Qt::black);
    colors.setColor(QPalette::Text, Qt::black);
    form_->setPalette(colors);
    form_->setAutoFillBackground(true);
    setCentralWidget(form_);
    // The window is as large as the form and the menu bar, and the user cannot resize it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Bottom first: frames and labels lie beneath the other controls.
    create_frames_and_labels();
    create_buttons();
    create_cells();
    create_check_boxes();
    create_diagnostic_buttons();
    set_focus_order();
    create_menus();

    commands_.on_create();

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}

Sudoku::~Sudoku() = default;

std::string Sudoku::cell_text(int index) const { return cells_[index]->text().toStdString(); }

void Sudoku::set_cell_text(int index, std::string_view text) {
    // The cell's textChanged runs the input filter, for the program's own texts too.
    cells_[index]->setText(to_qstring(text));
}

void Sudoku::set_cell_color(int index, Rgb color) {
    const QString origin = color == kGivenColor    ? QStringLiteral("Given")
                           : color == kPlacedColor ? QStringLiteral("Placed by Solve")
                                                   : QStringLiteral("Typed");
    cells_[index]->set_text_color(to_qcolor(color), origin);
}

void Sudoku::set_cell_enabled(int index, bool enabled) {
    cells_[index]->setEnabled(enabled);
    // Hint answers when the cells do, from the first New on.
    if (hint_action_ != nullptr) hint_action_->setEnabled(enabled);
}

void Sudoku::set_cell_max_length(int index, int length) { cells_[index]->setMaxLength(length); }

void Sudoku::set_caption(Label label, std::string_view caption) {
    labels_[static_cast<int>(label)]->setText(to_qstring(caption));
}

void Sudoku::set_button_enabled(Button button, bool enabled) {
    buttons_[static_cast<int>(button)]->setEnabled(enabled);
    if (QAction* action = command_actions_[static_cast<int>(button)]) action->setEnabled(enabled);
}

int Sudoku::check_state(CheckBox box) const {
    switch (check_boxes_[static_cast<int>(box)]->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    }
    return 0;
}

void Sudoku::set_check_state(CheckBox box, int state) {
    static constexpr std::array<Qt::CheckState, 3> kStates{Qt::Unchecked, Qt::Checked,
                                                           Qt::PartiallyChecked};
    check_boxes_[static_cast<int>(box)]->setCheckState(kStates[static_cast<std::size_t>(state)]);
}

void Sudoku::show_message(std::string_view text) { present_over_solve(to_qstring(text), QString()); }

void Sudoku::show_step_file_failure(std::string_view text) {
    QString details = QDir::toNativeSeparators(step_file_path());
    if (const std::error_code error = step_file_.error())
        details += QStringLiteral(": ") + QString::fromLocal8Bit(error.message());
    present_over_solve(to_qstring(text), details);
}

void Sudoku::present_over_solve(const QString& text, const QString& details) {
    // The box that reports the outcome should not sit under a wait cursor.
    if (solving_) QGuiApplication::restoreOverrideCursor();
    present_message(text, details);
    if (solving_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

QString Sudoku::step_file_path() const { return step_file_in(step_folder_); }

void Sudoku::present_message(const QString& text, const QString& details) {
    const std::unique_ptr<QMessageBox> box = make_message_box(text, this);
    box->setInformativeText(details);
    box->exec();
}

void Sudoku::start_new() {
    history_->record(QStringLiteral("New"), [this] {
        commands_.on_new();
        history_->marks() = {};
    });
    // A puzzle is typed from the top left, so the keyboard starts there.
    cells_[index_of(1, 1)]->setFocus(Qt::OtherFocusReason);
}

void Sudoku::solve() {
    // The solve runs to its end here; the window answers again when it is done.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    solving_ = true;
    marks_->hold(true);
    commands_.on_solve();
    solving_ = false;
    // The grid is full, or back at the givens for another start.
    history_->forget_marks();
    marks_->hold(false);
    show_solve_path();
    QGuiApplication::restoreOverrideCursor();
    update_open_step_file();
}

void Sudoku::move_focus(int index, int rows, int columns) {
    const int row = row_of_index(index) + rows;
    const int column = column_of_index(index) + columns;
    // The edges of the grid stop the move.
    if (row < 1 || row > 9 || column < 1 || column > 9) return;
    cells_[index_of(row, column)]->setFocus(Qt::TabFocusReason);
}

}  // namespace varendo
