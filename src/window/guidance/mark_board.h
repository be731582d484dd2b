#pragma once

#include <QObject>
#include <array>
#include <optional>

#include "commands/pencil_marks.h"
#include "solver/units.h"

namespace varendo {

class CellEdit;
class Commands;
class GridHistory;

// The grid as a person solving by hand sees it: the pencil marks (the person's own, or the
// candidates with the person's strikes) drawn in the cells, one digit highlighted, and with
// Show Mistakes on the digits and marks that the frozen puzzle's only solution contradicts.
// The marks themselves live in history, so that Undo takes them back.
class MarkBoard final : public QObject {
    Q_OBJECT

public:
    MarkBoard(Commands& commands, GridHistory& history, const std::array<CellEdit*, kCellCount>& cells,
              QObject* parent);

    bool with_candidates() const { return with_candidates_; }
    void set_with_candidates(bool on);
    void set_show_mistakes(bool on);
    // 1..9, or 0 for none.
    void highlight(int digit);
    int highlighted() const { return highlighted_; }

    // By box index, as one step of history each; nothing for a cell that takes no mark.
    void toggle(int index, int digit);
    void clear_cell(int index);
    void clear_all();

    // The marks every empty cell shows, row by row.
    GridDigits shown() const;
    // The frozen puzzle's only solution; none before Freeze or for a puzzle with none or several.
    std::optional<Grid81> solution();

    // Draws the marks, the highlight and the mistakes into the cells again.
    void refresh();
    // While held, as Solve places its thousands of digits, the cells wait; released, they
    // are drawn once.
    void hold(bool on);

private:
    Commands& commands_;
    GridHistory& history_;
    const std::array<CellEdit*, kCellCount>& cells_;
    bool with_candidates_ = false;
    bool show_mistakes_ = false;
    int highlighted_ = 0;
    bool held_ = false;
    // The last puzzle whose solution was sought, and that solution.
    std::optional<Grid81> solved_puzzle_;
    std::optional<Grid81> solution_;
};

}  // namespace varendo
