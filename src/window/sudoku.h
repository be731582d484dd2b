#pragma once

#include <QCoreApplication>
#include <QWidget>
#include <array>

#include "solver/controls.h"
#include "solver/step_file.h"
#include "solver/units.h"
#include "commands/commands.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace varendo {

class CellEdit;

// The program's one window: the grid of 81 cell boxes, the command buttons, the "Save to
// File" box and the result labels. It gives the commands its widgets to work on, and
// forwards every click and cell change to them.
class Sudoku : public QWidget, public Controls {
    Q_OBJECT

public:
    // The step file "steps.txt" goes into step_directory, by default beside the executable.
    explicit Sudoku(const QString& step_directory = QCoreApplication::applicationDirPath(),
                    QWidget* parent = nullptr);
    ~Sudoku() override;

    std::string cell_text(int index) const override;
    void set_cell_text(int index, std::string_view text) override;
    void set_cell_color(int index, Rgb color) override;
    void set_cell_enabled(int index, bool enabled) override;
    void set_cell_max_length(int index, int length) override;
    void set_caption(Label label, std::string_view caption) override;
    void set_button_enabled(Button button, bool enabled) override;
    int check_state(CheckBox box) const override;
    void set_check_state(CheckBox box, int state) override;
    void show_message(std::string_view text) override;
    StepFile& step_file() override { return step_file_; }

    Commands& commands() { return commands_; }

protected:
    // Every message box goes through here, so a test can take the text instead.
    virtual void present_message(const QString& text);

private:
    void create_frames_and_labels();
    void create_buttons();
    void create_cells();
    void create_check_boxes();
    void create_diagnostic_buttons();
    void set_focus_order();

    void solve();
    void move_focus(int index, int rows, int columns);
    void copy_grid() const;
    void paste_grid();

    std::array<CellEdit*, kCellCount> cells_{};
    std::array<QPushButton*, 4> buttons_{};
    std::array<QLabel*, 2> labels_{};
    std::array<QCheckBox*, 2> check_boxes_{};
    bool solving_ = false;
    DiskStepFile step_file_;
    Commands commands_;
};

}  // namespace varendo
