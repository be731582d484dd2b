#include "window/sudoku.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "commands/puzzle_text.h"
#include "window/cell_edit.h"
#include "window/design.h"
#include "window/message_box.h"

namespace varendo {

namespace {

std::filesystem::path step_file_path(const QString& directory) {
    return QFile::encodeName(QDir(directory).filePath(QStringLiteral("steps.txt"))).toStdString();
}

QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor to_qcolor(Rgb color) { return {color.red, color.green, color.blue}; }

}  // namespace

Sudoku::Sudoku(const QString& step_directory, QWidget* parent)
    : QWidget(parent), step_file_(step_file_path(step_directory)), commands_(*this) {
    setObjectName(QStringLiteral("Sudoku"));
    setWindowTitle(QStringLiteral("Varendo - By Tamsiel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(design::kClientSize);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, design::kWindowColor);
    // Black texts whatever the desktop's colour scheme.
    colors.setColor(QPalette::WindowText, Qt::black);
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);
    setAutoFillBackground(true);

    // Bottom first: frames and labels lie beneath the other controls.
    create_frames_and_labels();
    create_buttons();
    create_cells();
    create_check_boxes();
    create_diagnostic_buttons();
    set_focus_order();

    commands_.on_create();

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

void Sudoku::set_cell_color(int index, Rgb color) { cells_[index]->set_text_color(to_qcolor(color)); }

void Sudoku::set_cell_enabled(int index, bool enabled) { cells_[index]->setEnabled(enabled); }

void Sudoku::set_cell_max_length(int index, int length) { cells_[index]->setMaxLength(length); }

void Sudoku::set_caption(Label label, std::string_view caption) {
    labels_[static_cast<int>(label)]->setText(to_qstring(caption));
}

void Sudoku::set_button_enabled(Button button, bool enabled) {
    buttons_[static_cast<int>(button)]->setEnabled(enabled);
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

void Sudoku::show_message(std::string_view text) {
    // The box that reports the outcome should not sit under a wait cursor.
    if (solving_) QGuiApplication::restoreOverrideCursor();
    present_message(to_qstring(text));
    if (solving_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void Sudoku::present_message(const QString& text) { make_message_box(text, this)->exec(); }

void Sudoku::solve() {
    // The solve runs to its end here; the window answers again when it is done.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    solving_ = true;
    commands_.on_solve();
    solving_ = false;
    QGuiApplication::restoreOverrideCursor();
}

void Sudoku::move_focus(int index, int rows, int columns) {
    const int row = row_of_index(index) + rows;
    const int column = column_of_index(index) + columns;
    // The edges of the grid stop the move.
    if (row < 1 || row > 9 || column < 1 || column > 9) return;
    cells_[index_of(row, column)]->setFocus(Qt::TabFocusReason);
}

void Sudoku::copy_grid() const {
    Grid81 cells{};
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const QString text = cells_[index_of(row, column)]->text();
            if (!text.isEmpty() && text[0] >= u'1' && text[0] <= u'9')
                cells[9 * (row - 1) + column - 1] = static_cast<std::uint8_t>(text[0].unicode() - u'0');
        }
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(puzzle_text(cells)));
}

void Sudoku::paste_grid() {
    std::string error;
    const std::optional<Grid81> cells =
        read_puzzle_text(QGuiApplication::clipboard()->text().trimmed().toStdString(), error);
    if (!cells) return;
    // As if the user had typed the puzzle: black digits through the usual text path.
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const int index = index_of(row, column);
            const int digit = (*cells)[9 * (row - 1) + column - 1];
            set_cell_color(index, kTypedColor);
            set_cell_text(index, digit == 0 ? std::string() : std::string(1, static_cast<char>('0' + digit)));
        }
    }
}

}  // namespace varendo
