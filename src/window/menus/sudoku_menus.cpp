// The menu bar and what its commands do: puzzles in and out through files, the clipboard
// and drops, Check, the step file, About.
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QMimeData>
#include <QTimer>

#include "commands/marks_text.h"
#include "commands/puzzle_check.h"
#include "commands/puzzle_text.h"
#include "window/menus/check_report.h"
#include "window/guidance/mark_board.h"
#include "window/menus/puzzle_file.h"
#include "window/sudoku.h"

namespace varendo {

void Sudoku::create_menus() {
    const auto add = [this](QMenu* menu, const char* name, const QString& text, const char* icon,
                            const QList<QKeySequence>& keys, auto slot) {
        QAction* action = menu->addAction(QIcon::fromTheme(QLatin1String(icon)), text);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const auto standard = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, "openPuzzle", QStringLiteral("&Open Puzzle…"), "document-open", standard(QKeySequence::Open),
        &Sudoku::open_puzzle);
    add(file, "openPicture", QStringLiteral("Open &Picture…"), "image-x-generic", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        &Sudoku::open_picture);
    add(file, "savePuzzle", QStringLiteral("&Save Puzzle…"), "document-save", standard(QKeySequence::Save),
        &Sudoku::save_puzzle);
    add(file, "savePuzzleWithMarks", QStringLiteral("Save Puzzle &With Marks…"), "document-save-as",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, &Sudoku::save_puzzle_with_marks);
    add_print_actions(file);
    file->addSeparator();
    open_step_file_ = add(file, "openStepFile", QStringLiteral("Open S&tep File"), "text-x-generic", {},
                          &Sudoku::show_step_file);
    file->addSeparator();
    // Some platforms bind no key to Quit; Linux desktops use Ctrl+Q.
    QList<QKeySequence> quit_keys = standard(QKeySequence::Quit);
    if (quit_keys.isEmpty()) quit_keys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    add(file, "quit", QStringLiteral("&Quit"), "application-exit", quit_keys, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    add_undo_redo(edit);
    add(edit, "copyPuzzle", QStringLiteral("&Copy Puzzle"), "edit-copy", standard(QKeySequence::Copy),
        &Sudoku::copy_puzzle);
    add(edit, "copyPuzzleWithMarks", QStringLiteral("Copy Puzzle With &Marks"), "edit-copy",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}, &Sudoku::copy_puzzle_with_marks);
    add(edit, "pastePuzzle", QStringLiteral("&Paste Puzzle"), "edit-paste", standard(QKeySequence::Paste),
        &Sudoku::paste_puzzle);
    add_marks(edit, menuBar()->addMenu(QStringLiteral("&View")));

    create_puzzle_menu();
    add_hint(puzzle_menu_);
    add_show_steps(puzzle_menu_);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, "about", QStringLiteral("&About Varendo"), "help-about", {}, &Sudoku::about);

    update_open_step_file();
}

void Sudoku::create_puzzle_menu() {
    puzzle_menu_ = menuBar()->addMenu(QStringLiteral("&Puzzle"));
    // Each command's item clicks its button, so the two cannot differ in what they do.
    const auto command = [this](Button which, const char* name, const QString& text, const char* icon,
                                const QList<QKeySequence>& keys) {
        QPushButton* push = buttons_[static_cast<int>(which)];
        QAction* action = puzzle_menu_->addAction(QIcon::fromTheme(QLatin1String(icon)), text);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setStatusTip(push->statusTip());
        action->setEnabled(push->isEnabled());
        connect(action, &QAction::triggered, push, &QPushButton::click);
        command_actions_[static_cast<int>(which)] = action;
    };
    command(Button::New, "new", QStringLiteral("&New"), "document-new", {QKeySequence(Qt::CTRL | Qt::Key_N)});
    add_new_puzzle_menu(puzzle_menu_);
    command(Button::Freeze, "freeze", QStringLiteral("&Freeze"), "", {QKeySequence(Qt::CTRL | Qt::Key_G)});
    command(Button::Restart, "restart", QStringLiteral("&Restart"), "view-refresh",
            {QKeySequence(Qt::CTRL | Qt::Key_R)});
    command(Button::Solve, "solve", QStringLiteral("&Solve"), "",
            {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    puzzle_menu_->addSeparator();
    QAction* check_action = puzzle_menu_->addAction(QStringLiteral("&Check"));
    check_action->setObjectName(QStringLiteral("check"));
    check_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    check_action->setStatusTip(QStringLiteral("Tell whether the grid repeats a digit or how many solutions it has"));
    connect(check_action, &QAction::triggered, this, &Sudoku::check);
}

void Sudoku::open_puzzle_file(const QString& path) {
    if (is_picture_file(path)) {
        open_picture_file(path);
        return;
    }
    QString error;
    if (const std::optional<MarkedGrid> grid = read_puzzle_file(path, error)) {
        load(grid->cells, grid->marks);
    } else {
        present_message(error);
    }
}

void Sudoku::load_puzzle_text(const QString& text, const QString& no_puzzle) {
    std::string error;
    if (const std::optional<MarkedGrid> grid = read_marked_puzzle(text.toStdString(), error)) {
        load(grid->cells, grid->marks);
    } else {
        present_message(no_puzzle + QStringLiteral(": ") + QString::fromStdString(error));
    }
}

QString Sudoku::choose_file_in_last_folder(FileChoice choice) {
    const QString path = choose_file(choice, last_folder_);
    if (!path.isEmpty()) last_folder_ = QFileInfo(path).absolutePath();
    return path;
}

void Sudoku::open_puzzle() {
    const QString path = choose_file_in_last_folder(FileChoice::Open);
    if (!path.isEmpty()) open_puzzle_file(path);
}

void Sudoku::save_puzzle() { save_puzzle_text(puzzle_text(commands_.puzzle()) + '\n'); }

void Sudoku::save_puzzle_with_marks() { save_puzzle_text(marks_grid_text(commands_.shown_grid(), marks_->shown())); }

void Sudoku::save_puzzle_text(const std::string& text) {
    QString path = choose_file_in_last_folder(FileChoice::Save);
    if (path.isEmpty()) return;
    // The Open dialog shows puzzles by their suffix.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
    QString error;
    if (!write_puzzle_file(path, text, error)) present_message(error);
}

void Sudoku::copy_puzzle() const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(puzzle_text(commands_.shown_grid())));
}

void Sudoku::copy_puzzle_with_marks() const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(marks_grid_text(commands_.shown_grid(), marks_->shown())));
}

void Sudoku::paste_puzzle() {
    if (review_clipboard_picture()) return;
    load_puzzle_text(QGuiApplication::clipboard()->text(), QStringLiteral("No puzzle on the clipboard"));
}

void Sudoku::check() { present_message(check_report(check_puzzle(commands_.shown_grid()))); }

void Sudoku::show_step_file() {
    if (open_url(QUrl::fromLocalFile(step_file_path()))) return;
    present_message(QStringLiteral("No program could be started to show the step file."),
                    QStringLiteral("Open %1 in a text editor. (A desktop opener such as xdg-open shows it "
                                   "in one.)")
                        .arg(QDir::toNativeSeparators(step_file_path())));
}

void Sudoku::update_open_step_file() { open_step_file_->setEnabled(QFileInfo(step_file_path()).isFile()); }

void Sudoku::about() {
    present_message(QStringLiteral("Varendo %1\n\nSolves 9×9 Sudoku puzzles: type or open one, Freeze it, "
                                   "Solve it.\n\nMIT licence")
                        .arg(QStringLiteral(VARENDO_VERSION)));
}

QString Sudoku::choose_file(FileChoice choice, const QString& folder) {
    const QString filter = QStringLiteral("Puzzles (*.txt);;All files (*)");
    if (choice == FileChoice::Open)
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open Puzzle"), folder, filter);
    if (choice == FileChoice::Picture)
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open Picture"), folder,
                                            QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.webp);;All files (*)"));
    if (choice == FileChoice::Pdf || choice == FileChoice::BookletPdf) {
        const bool booklet = choice == FileChoice::BookletPdf;
        return QFileDialog::getSaveFileName(
            this, booklet ? QStringLiteral("Print Booklet") : QStringLiteral("Export PDF"),
            QDir(folder).filePath(booklet ? QStringLiteral("booklet.pdf") : QStringLiteral("puzzle.pdf")),
            QStringLiteral("PDF files (*.pdf);;All files (*)"));
    }
    return QFileDialog::getSaveFileName(this, QStringLiteral("Save Puzzle"),
                                        QDir(folder).filePath(QStringLiteral("puzzle.txt")), filter);
}

bool Sudoku::open_url(const QUrl& url) { return QDesktopServices::openUrl(url); }

// A drop is taken as a copy: a move would delete the dragged text from its editor.
void Sudoku::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls() && !event->mimeData()->hasText() && !event->mimeData()->hasImage()) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Sudoku::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Sudoku::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const QList<QUrl> urls = data->urls();
    // Loaded once the drop is over: a message box must not hold up the program it came from.
    if (data->hasImage()) {
        QTimer::singleShot(0, this, [this, picture = qvariant_cast<QImage>(data->imageData())] { review_picture(picture); });
    } else if (!urls.isEmpty() && urls.first().isLocalFile()) {
        QTimer::singleShot(0, this, [this, path = urls.first().toLocalFile()] { open_puzzle_file(path); });
    } else {
        QTimer::singleShot(0, this, [this, text = data->text()] {
            load_puzzle_text(text, QStringLiteral("No puzzle in the dropped text"));
        });
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

}  // namespace varendo
