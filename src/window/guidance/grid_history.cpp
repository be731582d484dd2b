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

class GridStep final : public QUndoCommand {
public:
    GridStep(GridHistory& history, const QString& name, std::vector<CellChange> changes)
        : QUndoCommand(name), history_(history), changes_(std::move(changes)) {}

    void undo() override {
        for (const CellChange& change : changes_) history_.show(change.index, change.before);
    }
    void redo() override {
        // The step is pushed once it has happened: the first redo has nothing to do.
        if (!std::exchange(done_, true)) return;
        for (const CellChange& change : changes_) history_.show(change.index, change.after);
    }

private:
    GridHistory& history_;
    std::vector<CellChange> changes_;
    bool done_ = false;
};

}  // namespace

GridHistory::GridHistory(Controls& cells, QObject* parent) : QObject(parent), cells_(cells), stack_(this) {}

void GridHistory::text_changed(int index) {
    // A letter the filter clears comes back here twice, and may change nothing.
    const bool by_user = std::exchange(editing_, -1) == index;
    std::string text = cells_.cell_text(index);
    if (text == shown_[index]) return;
    const Texts before = shown_;
    shown_[index] = std::move(text);
    if (by_user) push(shown_[index].empty() ? QStringLiteral("Delete") : QStringLiteral("Typing"), before);
    emit grid_changed();
}

void GridHistory::record(const QString& name, const std::function<void()>& command) {
    const Texts before = shown_;
    command();
    push(name, before);
}

void GridHistory::show(int index, const std::string& text) {
    if (text != shown_[index]) cells_.set_cell_text(index, text);
}

void GridHistory::push(const QString& name, const Texts& before) {
    std::vector<CellChange> changes;
    for (int index = 0; index < kCellCount; ++index) {
        if (before[index] != shown_[index]) changes.push_back({index, before[index], shown_[index]});
    }
    // A command that changed no cell, such as New on an empty grid, leaves nothing to undo.
    if (!changes.empty()) stack_.push(new GridStep(*this, name, std::move(changes)));
}

}  // namespace varendo
