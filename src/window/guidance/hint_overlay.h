#pragma once

#include <QWidget>
#include <array>

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
    void clear() { mark({}, -1); }

    const std::array<bool, kCellCount>& tinted() const { return tinted_; }
    int outlined() const { return outlined_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<bool, kCellCount> tinted_{};
    int outlined_ = -1;
};

}  // namespace varendo
