#pragma once

#include <QCoreApplication>
#include <QMainWindow>
#include <QPointer>
#include <array>

#include "solver/controls.h"
#include "solver/step_file.h"
#include "solver/units.h"
#include "commands/commands.h"
#include "commands/pencil_marks.h"
#include "commands/generator.h"
#include "window/generated/puzzle_supply.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QProgressDialog;
class QPushButton;

namespace varendo {

class BookletDialog;
class CellEdit;
struct BookletChoice;
struct GridPicture;
class GridHistory;
class HintGuide;
class MarkBoard;
class PictureReview;
class StepsWindow;

// The program's one window: the menu bar over the form that holds the grid of 81 cell
// boxes, the command buttons, the "Save to File" box and the result labels. It gives the
// commands its widgets to work on, and forwards every click and cell change to them.
class Sudoku : public QMainWindow, public Controls {
    Q_OBJECT

public:
    // The step file "steps.txt" goes beside the program in program_folder, or into the
    // user's application data folder when the program is installed there (see step_folder()).
    explicit Sudoku(const QString& program_folder = QCoreApplication::applicationDirPath(),
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
    void show_step_file_failure(std::string_view text) override;
    StepFile& step_file() override { return step_file_; }

    Commands& commands() { return commands_; }

    // Loads the first puzzle of a file as if typed after New; anything else gets a box
    // that says what is wrong, and the grid stays as it is.
    void open_puzzle_file(const QString& path);
    // Reads the puzzle in a picture and shows it for review; OK loads it as opened puzzles load.
    void open_picture_file(const QString& path);
    void review_picture(const QImage& picture);

    // The generated puzzles that New Puzzle loads and booklets print.
    PuzzleSupply& puzzle_supply() { return *supply_; }

protected:
    // Every message box goes through here, so a test can take the texts instead; `details`
    // is the box's informative text.
    virtual void present_message(const QString& text, const QString& details = QString());
    enum class FileChoice { Open, Save, Pdf, BookletPdf, Picture };
    // The file the user picks to open a puzzle from or save it to, in a dialog that starts
    // in `folder` (empty: the current folder); empty when cancelled.
    virtual QString choose_file(FileChoice choice, const QString& folder);
    // Shows a file in the desktop's viewer; false when no viewer could be started.
    virtual bool open_url(const QUrl& url);

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void create_frames_and_labels();
    void create_buttons();
    void create_cells();
    void create_check_boxes();
    void create_diagnostic_buttons();
    void set_focus_order();
    void create_menus();
    void create_puzzle_menu();
    void add_undo_redo(QMenu* edit);
    // Pencil marks, candidates, the highlighted digit and mistakes: Edit and View items.
    void add_marks(QMenu* edit, QMenu* view);
    void set_pencil_mode(bool on);
    void highlight_digit(int digit);
    // Says something on the status line, where screen readers hear it.
    void announce(const QString& text);
    // The box index of the cell the keyboard is in, -1 when it is in none.
    int focused_cell() const;
    void add_hint(QMenu* puzzle);
    void add_show_steps(QMenu* puzzle);

    // A box shown while Solve runs, or at any other time.
    void present_over_solve(const QString& text, const QString& details);
    void solve();
    // New, with the keyboard in the top left cell, and a load of a puzzle: each one step of
    // history.
    void start_new();
    void load(const Grid81& cells, const GridDigits& marks = {});
    // The Steps window follows the path of the Solve just made.
    void show_solve_path();
    void move_focus(int index, int rows, int columns);
    // Loads the first puzzle of a text; without one, a box starts with `no_puzzle`.
    void load_puzzle_text(const QString& text, const QString& no_puzzle);
    void open_puzzle();
    void save_puzzle();
    void save_puzzle_with_marks();
    void save_puzzle_text(const std::string& text);
    QString choose_file_in_last_folder(FileChoice choice);
    void copy_puzzle() const;
    void copy_puzzle_with_marks() const;
    void paste_puzzle();
    void open_picture();
    static bool is_picture_file(const QString& path);
    // Reviews the picture on the clipboard; false when there is none.
    bool review_clipboard_picture();
    void check();
    void show_step_file();
    void about();
    QString step_file_path() const;
    // Open Step File answers while there is a step file to show.
    void update_open_step_file();

    // File > Print…, Export PDF…, Print Booklet…
    void add_print_actions(QMenu* file);
    // The grid as shown, its givens apart, with the difficulty line when there is one.
    GridPicture shown_picture() const;
    void print();
    void export_pdf();
    void print_booklet();
    void make_booklet(const BookletChoice& choice);
    // Puzzle > New Puzzle ▸ the levels, and another of the last level.
    void add_new_puzzle_menu(QMenu* puzzle);
    void new_puzzle(Level level);
    void stop_waiting();

    QWidget* form_;
    std::array<CellEdit*, kCellCount> cells_{};
    std::array<QPushButton*, 4> buttons_{};
    // The Puzzle menu's items for the buttons, enabled with them.
    std::array<QAction*, 4> command_actions_{};
    QMenu* puzzle_menu_ = nullptr;
    std::array<QLabel*, 2> labels_{};
    std::array<QCheckBox*, 2> check_boxes_{};
    QAction* open_step_file_ = nullptr;
    // Where the last file was opened or saved: the next dialog starts there. Kept for the
    // session only, as the window keeps nothing on disk.
    QString last_folder_;
    GridHistory* history_ = nullptr;
    HintGuide* hint_ = nullptr;
    MarkBoard* marks_ = nullptr;
    QAction* clear_highlight_ = nullptr;
    QLabel* pencil_indicator_ = nullptr;
    QAction* hint_action_ = nullptr;
    StepsWindow* steps_ = nullptr;
    QPointer<PictureReview> review_;
    bool solving_ = false;
    QString step_folder_;
    DiskStepFile step_file_;
    Commands commands_;
    PuzzleSupply* supply_ = new PuzzleSupply(this);
    // Shows when a puzzle asked for takes a while.
    QPointer<QProgressDialog> waiting_;
    Level last_level_ = Level::Medium;
    QAction* same_level_ = nullptr;
    BookletDialog* booklet_dialog_ = nullptr;
};

}  // namespace varendo
