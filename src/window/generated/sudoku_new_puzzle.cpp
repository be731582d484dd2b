// Puzzle > New Puzzle: a generated puzzle of a level, loaded as an opened one is.
#include <QMenu>
#include <QProgressDialog>
#include <QTimer>

#include "window/printing/print_pages.h"
#include "window/sudoku.h"

namespace varendo {

namespace {

// Puzzles are made ahead only once the window is up and the program has settled.
constexpr int kFillDelay = 2000;

}  // namespace

void Sudoku::add_new_puzzle_menu(QMenu* puzzle) {
    QMenu* menu = puzzle->addMenu(QStringLiteral("New &Puzzle"));
    menu->setObjectName(QStringLiteral("newPuzzleMenu"));
    const std::pair<Level, const char*> levels[] = {{Level::Easy, "Easy"},
                                                    {Level::Medium, "Medium"},
                                                    {Level::Difficult, "Difficult"},
                                                    {Level::VeryDifficult, "VeryDifficult"}};
    for (const auto& [level, name] : levels) {
        QAction* action = menu->addAction(u'&' + level_name(level));
        action->setObjectName(QStringLiteral("newPuzzle") + QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, level] { new_puzzle(level); });
    }
    menu->addSeparator();
    same_level_ = menu->addAction(QStringLiteral("&Another of the Same Level"));
    same_level_->setObjectName(QStringLiteral("anotherPuzzle"));
    same_level_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    same_level_->setEnabled(false);
    connect(same_level_, &QAction::triggered, this, [this] { new_puzzle(last_level_); });

    connect(supply_, &PuzzleSupply::delivered, this, [this](const GeneratedPuzzle& made) {
        stop_waiting();
        load(made.puzzle);
    });
    connect(supply_, &PuzzleSupply::failed, this, [this] {
        stop_waiting();
        present_message(QStringLiteral("No %1 puzzle could be made this time; please try again.")
                            .arg(level_name(last_level_)));
    });
    QTimer::singleShot(kFillDelay, supply_, &PuzzleSupply::fill);
}

void Sudoku::new_puzzle(Level level) {
    last_level_ = level;
    same_level_->setEnabled(true);
    stop_waiting();
    if (const std::optional<GeneratedPuzzle> made = supply_->request(level)) {
        load(made->puzzle);
        return;
    }
    waiting_ = new QProgressDialog(QStringLiteral("Making a %1 puzzle…").arg(level_name(level)),
                                   QStringLiteral("Cancel"), 0, 0, this);
    waiting_->setObjectName(QStringLiteral("newPuzzleProgress"));
    waiting_->setWindowModality(Qt::WindowModal);
    waiting_->setMinimumDuration(kProgressDelay);
    // The first value starts the wait after which the box shows.
    waiting_->setValue(0);
    // Cancel leaves the grid as it was.
    connect(waiting_, &QProgressDialog::canceled, this, [this] {
        supply_->cancel_request();
        stop_waiting();
    });
}

void Sudoku::stop_waiting() {
    if (!waiting_) return;
    waiting_->disconnect(this);
    waiting_->reset();
    waiting_->deleteLater();
    waiting_ = nullptr;
}

}  // namespace varendo
