#include "window/guidance/hint_guide.h"

#include <QLabel>

#include "commands/commands.h"
#include "window/menus/check_report.h"
#include "window/guidance/grid_history.h"
#include "window/guidance/hint_overlay.h"
#include "window/guidance/mark_board.h"
#include "window/steps/place_texts.h"

namespace varendo {

namespace {

// The unit (1..27: columns, rows, boxes) that Check names.
int unit_of(const PuzzleCheck& check) {
    switch (check.unit) {
    case UnitKind::Column: return check.number;
    case UnitKind::Row: return 9 + check.number;
    case UnitKind::Box: break;
    }
    return 18 + check.number;
}

}  // namespace

HintGuide::HintGuide(Commands& commands, Controls& cells, GridHistory& history, MarkBoard& marks,
                     HintOverlay& overlay, QLabel& line, QObject* parent)
    : QObject(parent), commands_(commands), cells_(cells), history_(history), marks_(marks), overlay_(overlay),
      line_(line) {
    connect(&history_, &GridHistory::grid_changed, this, &HintGuide::forget);
    connect(&history_, &GridHistory::marks_changed, this, &HintGuide::forget);
}

void HintGuide::forget() {
    hint_.reset();
    step_.reset();
    presses_ = 0;
    overlay_.show_pattern({});
    show(QString(), 0, 0, 0);
}

void HintGuide::show(const QString& text, int tinted_unit, int row, int column) {
    std::array<bool, kCellCount> tinted{};
    if (tinted_unit != 0) {
        for (const int k : unit_cells(tinted_unit)) tinted[k - 1] = true;
    }
    overlay_.mark(tinted, row == 0 ? -1 : index_of(row, column));
    tell(text);
}

void HintGuide::tell(const QString& text) {
    line_.setText(text);
    // A step's sentence may be longer than the line under the form: the tip holds it whole.
    line_.setToolTip(text);
}

bool HintGuide::show_missing_mark() {
    const std::optional<Grid81> solution = marks_.solution();
    if (!solution) return false;
    const std::optional<int> cell =
        first_missing_solution(history_.marks(), history_.grid(), marks_.with_candidates(), *solution);
    if (!cell) return false;
    const int row = *cell / 9 + 1;
    const int column = *cell % 9 + 1;
    const int digit = (*solution)[*cell];
    show(marks_.with_candidates()
             ? QStringLiteral("%1 was struck from %2, but the solution needs it there").arg(digit).arg(cell_name(row, column))
             : QStringLiteral("The marks of %1 leave out %2, which the solution needs there").arg(cell_name(row, column)).arg(digit),
         0, row, column);
    return true;
}

void HintGuide::press() {
    // Before Freeze the puzzle is the grid as shown, which holds no digit but its own givens.
    if (!hint_) {
        hint_ = find_hint(commands_.shown_grid(), commands_.puzzle());
        if (hint_->kind == Hint::Kind::Stall) find_step();
    }
    const Hint hint = *hint_;
    const int press = ++presses_;
    switch (hint.kind) {
    case Hint::Kind::Repeat:
        show(check_report(hint.repeat), unit_of(hint.repeat), hint.repeat.row, hint.repeat.column);
        return;
    case Hint::Kind::WrongDigit:
        show(QStringLiteral("The %1 in %2 is not part of the solution").arg(hint.digit).arg(cell_name(hint.row, hint.column)),
             0, hint.row, hint.column);
        return;
    default: break;
    }
    if (show_missing_mark()) return;
    if (step_) {
        press_step(press);
        return;
    }
    switch (hint.kind) {
    case Hint::Kind::Stall:
        show(QStringLiteral("No digit follows from here by elimination; Solve would guess %1 in %2")
                 .arg(hint.digit).arg(cell_name(hint.row, hint.column)),
             hint.unit, hint.row, hint.column);
        return;
    case Hint::Kind::NoCandidate:
        show(QStringLiteral("No digit follows from here by elimination, and %1 has no candidate left")
                 .arg(cell_name(hint.row, hint.column)),
             0, hint.row, hint.column);
        return;
    case Hint::Kind::Solved: show(QStringLiteral("The grid is full: no digit is left to place"), 0, 0, 0); return;
    case Hint::Kind::Repeat:
    case Hint::Kind::WrongDigit:
    case Hint::Kind::Placement: break;
    }
    if (press == 1) {
        show(QStringLiteral("A digit can be placed in %1").arg(unit_name(hint.unit)), hint.unit, 0, 0);
        return;
    }
    if (press == 2) {
        show(QStringLiteral("A digit can be placed in %1").arg(cell_name(hint.row, hint.column)), hint.unit, hint.row,
             hint.column);
        return;
    }
    // Typed into its cell as the user would type it; the change of the grid ends the presses.
    const char digit = static_cast<char>('0' + hint.digit);
    history_.record(QStringLiteral("Hint"), [this, &hint, digit] {
        cells_.set_cell_text(index_of(hint.row, hint.column), std::string_view(&digit, 1));
        history_.clean_after_placement(index_of(hint.row, hint.column));
    });
    tell(placement_text(hint.how, hint.digit, hint.row, hint.column, hint.unit, hint.places));
}

}  // namespace varendo
