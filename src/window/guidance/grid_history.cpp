#include "window/guidance/grid_history.h"

#include <QUndoCommand>
#include <utility>
#include <vector>

#include "solver/controls.h"

namespace varendo {

namespace {

struct CellChange {
    int index;
    std::string before;
    std::string after;
};

// A cell's two sets of marks, row by row.
struct MarkChange {
    int cell;
    Digits own_before, struck_before;
    Digits own_after, struck_after;
};

class GridStep final : public QUndoCommand {
public:
    GridStep(GridHistory& history, const QString& name, std::vector<CellChange> changes,
             std::vector<MarkChange> marks)
        : QUndoCommand(name), history_(history), changes_(std::move(changes)), marks_(std::move(marks)) {}

    void undo() override {
        for (const CellChange& change : changes_) history_.show(change.index, change.before);
        for (const MarkChange& change : marks_) history_.set_cell_marks(change.cell, change.own_before, change.struck_before);
    }
    void redo() override {
        // The step is pushed once it has happened: the first redo has nothing to do.
        if (!std::exchange(done_, true)) return;
        for (const CellChange& change : changes_) history_.show(change.index, change.after);
        for (const MarkChange& change : marks_) history_.set_cell_marks(change.cell, change.own_after, change.struck_after);
    }

private:
    GridHistory& history_;
    std::vector<CellChange> changes_;
    std::vector<MarkChange> marks_;
    bool done_ = false;
};

}  // namespace

GridHistory::GridHistory(Controls& cells, QObject* parent) : QObject(parent), cells_(cells), stack_(this) {}

Grid81 GridHistory::grid() const {
    Grid81 grid{};
    for (int index = 0; index < kCellCount; ++index)
        if (!shown_[index].empty()) grid[grid_cell_of(index)] = static_cast<std::uint8_t>(shown_[index][0] - '0');
    return grid;
}

void GridHistory::text_changed(int index) {
    // A letter the filter clears comes back here twice, and may change nothing.
    const bool by_user = std::exchange(editing_, -1) == index;
    std::string text = cells_.cell_text(index);
    if (text == shown_[index]) return;
    const Texts before = shown_;
    const PencilMarks marks_before = marks_;
    shown_[index] = std::move(text);
    if (by_user) {
        clean_after_placement(index);
        push(shown_[index].empty() ? QStringLiteral("Delete") : QStringLiteral("Typing"), before, marks_before);
    }
    emit grid_changed();
    if (marks_ != marks_before) emit marks_changed();
}

void GridHistory::record(const QString& name, const std::function<void()>& command) {
    const Texts before = shown_;
    const PencilMarks marks_before = marks_;
    command();
    push(name, before, marks_before);
    if (marks_ != marks_before) emit marks_changed();
}

void GridHistory::show(int index, const std::string& text) {
    if (text != shown_[index]) cells_.set_cell_text(index, text);
}

void GridHistory::set_cell_marks(int cell, Digits own, Digits struck) {
    marks_.own[cell] = own;
    marks_.struck[cell] = struck;
    emit marks_changed();
}

void GridHistory::forget_marks() {
    if (marks_ == PencilMarks{}) return;
    marks_ = {};
    emit marks_changed();
}

void GridHistory::clean_after_placement(int index) {
    if (auto_clean_) varendo::clean_after_placement(marks_, grid(), grid_cell_of(index));
}

void GridHistory::push(const QString& name, const Texts& before, const PencilMarks& marks_before) {
    std::vector<CellChange> changes;
    for (int index = 0; index < kCellCount; ++index) {
        if (before[index] != shown_[index]) changes.push_back({index, before[index], shown_[index]});
    }
    std::vector<MarkChange> marks;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (marks_before.own[cell] != marks_.own[cell] || marks_before.struck[cell] != marks_.struck[cell])
            marks.push_back({cell, marks_before.own[cell], marks_before.struck[cell], marks_.own[cell], marks_.struck[cell]});
    }
    // A command that changed nothing, such as New on an empty grid, leaves nothing to undo.
    if (!changes.empty() || !marks.empty())
        stack_.push(new GridStep(*this, name, std::move(changes), std::move(marks)));
}

}  // namespace varendo
