#include "window/grid_history.h"

#include <QUndoCommand>
#include <utility>

#include "solver/controls.h"

namespace varendo {

namespace {

class GridStep final : public QUndoCommand {
public:
    GridStep(GridHistory& history, const QString& name, GridHistory::Texts before, GridHistory::Texts after)
        : QUndoCommand(name), history_(history), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { history_.show(before_); }
    void redo() override {
        // The step is pushed once it has happened: the first redo has nothing to do.
        if (done_) history_.show(after_);
        done_ = true;
    }

private:
    GridHistory& history_;
    GridHistory::Texts before_;
    GridHistory::Texts after_;
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
    if (by_user) {
        push(shown_[index].empty() ? QStringLiteral("Delete") : QStringLiteral("Typing"), before);
    }
    emit grid_changed();
}

void GridHistory::record(const QString& name, const std::function<void()>& command) {
    const Texts before = shown_;
    command();
    push(name, before);
}

void GridHistory::show(const Texts& texts) {
    for (int index = 0; index < kCellCount; ++index) {
        if (texts[index] != shown_[index]) cells_.set_cell_text(index, texts[index]);
    }
}

void GridHistory::push(const QString& name, const Texts& before) {
    // A command that changed no cell, such as New on an empty grid, leaves nothing to undo.
    if (before != shown_) stack_.push(new GridStep(*this, name, before, shown_));
}

}  // namespace varendo
