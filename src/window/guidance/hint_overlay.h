#pragma once

#include <QWidget>
#include <array>

#include "commands/technique_hint.h"
#include "solver/units.h"

namespace varendo {

// Lies over the form's grid and marks what a hint points at: the cells of a unit tinted,
// one cell outlined. It takes no clicks and leaves the cells' own colours alone.
class HintOverlay final : public QWidget {
    Q_OBJECT

public:
    explicit HintOverlay(QWidget* form);

    // Cells by box index (down the columns); -1 outlines none.
    void mark(const std::array<bool, kCellCount>& tinted, int outlined);
    // A technique's pattern over the marks, as well: its cells outlined, the candidates that
    // make it coloured, the ones it strikes in red.
    void show_pattern(const StepPattern& pattern);
    void clear() {
        show_pattern({});
        mark({}, -1);
    }

    const std::array<bool, kCellCount>& tinted() const { return tinted_; }
    int outlined() const { return outlined_; }
    const StepPattern& pattern() const { return pattern_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<bool, kCellCount> tinted_{};
    int outlined_ = -1;
    StepPattern pattern_;
};

}  // namespace varendo
