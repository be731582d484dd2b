// Builds the form's controls at their design positions, bottom up: frames and labels lie
// beneath the buttons, cells and check boxes, as their overlaps need.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "window/form/cell_edit.h"
#include "window/form/design.h"
#include "window/form/frame_shape.h"
#include "window/sudoku.h"

namespace varendo {

namespace {

template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& rect) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

QLabel* make_label(const char* name, const QString& caption, const QRect& rect, QWidget* parent) {
    auto* label = place(new QLabel(caption, parent), name, rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    return label;
}

// A style sheet rather than the palette: most styles paint buttons in their own colours
// and ignore the palette's button colour.
const QString kCommandButtonStyle = QStringLiteral(
    "QPushButton { background-color: rgb(255,192,128); color: black; border: 2px solid;"
    " border-color: rgb(255,240,224) rgb(128,80,40) rgb(128,80,40) rgb(255,240,224); }"
    "QPushButton:focus { border-color: rgb(255,240,224) black black rgb(255,240,224); }"
    "QPushButton:pressed { border-color: rgb(128,80,40) rgb(255,240,224) rgb(255,240,224) rgb(128,80,40); }"
    "QPushButton:disabled { color: rgb(150,110,70); }");

}  // namespace

void Sudoku::create_frames_and_labels() {
    using design::twips_rect;
    const auto frame = [this](const char* name, const QRect& outline, int line_width) {
        auto* shape = new FrameShape(outline, line_width, design::kFrameColor, form_);
        shape->setObjectName(QLatin1String(name));
    };
    frame("Shape1", twips_rect(120, 1440, 11055, 5655), 10);
    frame("Shape3", twips_rect(3480, 240, 3135, 735), 5);
    frame("Shape4", twips_rect(9120, 240, 2055, 735), 5);

    // Label3 and Label4 reach down over the end of the legend, so they go beneath it.
    QLabel* guessed = make_label("Label3", QStringLiteral("Guessed?"), twips_rect(9240, 7800, 855, 495), form_);
    QLabel* label4 = make_label("Label4", QString(), twips_rect(10200, 7800, 1095, 495), form_);
    labels_[static_cast<int>(Label::Label4)] = label4;
    QLabel* label1 = make_label("Label1", QString(), twips_rect(1680, 7320, 9135, 375), form_);
    label1->setFont(design::arial(12, true));
    labels_[static_cast<int>(Label::Label1)] = label1;
    // The result labels are empty until a Solve: their names and tips say what they are
    // for, and their captions are tied to them for screen readers.
    label4->setAccessibleName(QStringLiteral("Guessed?"));
    label4->setToolTip(QStringLiteral("Whether the last Solve had to guess, and how many times"));
    guessed->setBuddy(label4);
    label1->setAccessibleName(QStringLiteral("Difficulty"));
    label1->setToolTip(QStringLiteral("The difficulty of the last solved puzzle, rated as the legend below says"));
    QLabel* legend = make_label(
        "Label2",
        QStringLiteral("Difficulty : 0 Easy;     1 Medium;     2 Difficult;     >=3 Very Difficult"),
        twips_rect(1560, 8040, 8775, 375), form_);
    legend->setFont(design::arial(12, true));
    legend->setBuddy(label1);
    QPalette colors = legend->palette();
    colors.setColor(QPalette::WindowText, design::kLegendColor);
    legend->setPalette(colors);
}

void Sudoku::create_buttons() {
    using design::twips_rect;
    const auto button = [this](Button which, const char* name, const QString& caption,
                               const QRect& rect, const QString& tip) {
        auto* push = place(new QPushButton(caption, form_), name, rect);
        push->setFont(design::arial(14.25, false));
        push->setStyleSheet(kCommandButtonStyle);
        push->setToolTip(tip);
        push->setStatusTip(tip);
        push->setAccessibleName(QString(caption).remove(u'&'));
        buttons_[static_cast<int>(which)] = push;
    };
    // The mnemonics stay clear of the menu bar's F, E, P and H.
    button(Button::New, "cmdNew", QStringLiteral("&New"), twips_rect(120, 360, 1335, 495),
           QStringLiteral("Empty the grid and open it for typing"));
    button(Button::Freeze, "cmdFreeze", QStringLiteral("Free&ze"), twips_rect(3600, 360, 1335, 495),
           QStringLiteral("Fix the givens: the digits now in the grid become the puzzle"));
    button(Button::Restart, "cmdRestart", QStringLiteral("&Restart"), twips_rect(5040, 360, 1455, 495),
           QStringLiteral("Go back to the givens"));
    button(Button::Solve, "CmdSolve", QStringLiteral("&Solve"), twips_rect(9600, 360, 1095, 495),
           QStringLiteral("Solve the puzzle from its givens"));
    connect(buttons_[static_cast<int>(Button::New)], &QPushButton::clicked, this, &Sudoku::start_new);
    connect(buttons_[static_cast<int>(Button::Freeze)], &QPushButton::clicked, this, [this] { commands_.on_freeze(); });
    connect(buttons_[static_cast<int>(Button::Restart)], &QPushButton::clicked, this, [this] { commands_.on_restart(); });
    connect(buttons_[static_cast<int>(Button::Solve)], &QPushButton::clicked, this, &Sudoku::solve);
    // Only New answers until a puzzle is started.
    for (Button later : {Button::Freeze, Button::Restart, Button::Solve}) set_button_enabled(later, false);
}

void Sudoku::create_cells() {
    for (int i = 0; i < kCellCount; ++i) {
        auto* cell = new CellEdit(row_of_index(i), column_of_index(i), design::cell_background(i), form_);
        place(cell, QStringLiteral("Text1_%1").arg(i).toLatin1().constData(), design::cell_rect(i));
        connect(cell, &QLineEdit::textChanged, this, [this, i] { commands_.on_cell_text_changed(i); });
        connect(cell, &CellEdit::move_requested, this,
                [this, i](int rows, int columns) { move_focus(i, rows, columns); });
        cells_[i] = cell;
    }
}

void Sudoku::create_check_boxes() {
    using design::twips_rect;
    const auto check_box = [this](CheckBox which, const char* name, const QRect& rect,
                                  const QColor& background) {
        auto* box = place(new QCheckBox(QStringLiteral("Save to File"), form_), name, rect);
        // A check box fills with the button colour unless told otherwise.
        box->setBackgroundRole(QPalette::Window);
        QPalette colors = box->palette();
        colors.setColor(QPalette::Window, background);
        box->setPalette(colors);
        box->setAutoFillBackground(true);
        check_boxes_[static_cast<int>(which)] = box;
        return box;
    };
    check_box(CheckBox::Check2, "Check2", twips_rect(8040, 7320, 1455, 495), design::kWindowColor)
        ->setToolTip(QStringLiteral("Log every placed digit to %1")
                         .arg(QDir::toNativeSeparators(step_file_path())));
    QCheckBox* hidden = check_box(CheckBox::Check1, "Check1", twips_rect(8520, 840, 1695, 330),
                                  design::kOrange);
    hidden->setFont(design::ms_sans_serif_bold(9.75));
    hidden->hide();
    connect(hidden, &QCheckBox::clicked, this, [this] { commands_.on_check1_click(); });
}

void Sudoku::create_diagnostic_buttons() {
    using design::twips_rect;
    // Left from development: none of them is shown, and only Command19 does anything.
    const auto button = [this](const char* name, const QString& caption, const QRect& rect) {
        auto* push = place(new QPushButton(caption, form_), name, rect);
        push->hide();
        return push;
    };
    button("Command1", QStringLiteral("Command1"), twips_rect(120, 8040, 735, 495));
    button("Command6", QStringLiteral("main"), twips_rect(-120, 7320, 1095, 495));
    button("Command9", QStringLiteral("Complete"), twips_rect(2280, 7320, 855, 375));
    button("Command10", QStringLiteral("Guess 1"), twips_rect(1200, 7320, 855, 495));
    connect(button("Command19", QStringLiteral("Command19"), twips_rect(8880, 8160, 735, 375)),
            &QPushButton::clicked, this, [this] { commands_.on_command19_click(); });
}

void Sudoku::set_focus_order() {
    // The commands in reading order, then the cells row by row, then "Save to File".
    QWidget* previous = buttons_[static_cast<int>(Button::New)];
    const auto next = [&previous](QWidget* widget) {
        setTabOrder(previous, widget);
        previous = widget;
    };
    next(buttons_[static_cast<int>(Button::Freeze)]);
    next(buttons_[static_cast<int>(Button::Restart)]);
    next(buttons_[static_cast<int>(Button::Solve)]);
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) next(cells_[index_of(row, column)]);
    }
    next(check_boxes_[static_cast<int>(CheckBox::Check2)]);
}

}  // namespace varendo
