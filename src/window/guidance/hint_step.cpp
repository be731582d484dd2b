// Hint by technique: where Solve's eliminations stall, the easiest step of the human ladder
// in the user's own grid and marks, over three presses.

#include "commands/commands.h"
#include "commands/technique_hint.h"
#include "logic/step_text.h"
#include "window/guidance/grid_history.h"
#include "window/guidance/hint_guide.h"
#include "window/guidance/hint_overlay.h"
#include "window/guidance/mark_board.h"
#include "window/steps/place_texts.h"

namespace varendo {

namespace {

// "a Naked Pair", "an X-Wing", "an XY-Chain".
QString with_article(const char* name) {
    const QChar first = QChar::fromLatin1(name[0]);
    const bool vowel = QStringLiteral("AEIOX").contains(first);
    return QStringLiteral("%1 %2").arg(vowel ? QStringLiteral("an") : QStringLiteral("a"), QLatin1String(name));
}

}  // namespace

void HintGuide::find_step() {
    // A grid with no solution or several keeps Solve's word on it: the guess it would make.
    if (!only_solution(history_.grid())) return;
    step_grid_ = grid_of_marks(history_.grid(), history_.marks());
    step_ = logic::next_step(step_grid_, logic::Ladder::Human, true);
}

void HintGuide::press_step(int press) {
    const logic::Step& step = *step_;
    StepPattern pattern = step_pattern(step_grid_, step);
    const QString why = QString::fromStdString(logic::step_text(step));
    if (is_single(step.technique)) {
        // Named as Solve's digits are: the unit, then the cell, then the digit typed.
        const int cell = step.placements.front().cell;
        const int row = cell / 9 + 1;
        const int column = cell % 9 + 1;
        const int unit = pattern.unit != 0 ? pattern.unit : 9 + row;
        if (press == 1) {
            show(QStringLiteral("A digit can be placed in %1").arg(unit_name(unit)), unit, 0, 0);
        } else if (press == 2) {
            show(QStringLiteral("A digit can be placed in %1").arg(cell_name(row, column)), unit, row, column);
        } else {
            take_step();
            tell(why);
        }
        return;
    }
    const QString name = with_article(logic::technique_name(step.technique));
    if (press == 1) {
        show(pattern.unit != 0 ? QStringLiteral("Look for %1 in %2").arg(name, unit_name(pattern.unit))
                               : QStringLiteral("Look for %1").arg(name),
             pattern.unit, 0, 0);
        return;
    }
    if (press == 2) {
        show(why, pattern.unit, 0, 0);
        overlay_.show_pattern(pattern);
        return;
    }
    take_step();
    tell(why);
}

void HintGuide::take_step() {
    const logic::Step step = *step_;
    if (!step.eliminations.empty() && !marks_.with_candidates()) emit candidates_needed();
    // Placed as the user would type the digits; the change of the grid ends the presses.
    history_.record(QStringLiteral("Hint"), [this, &step] {
        for (const logic::Candidate& placed : step.placements) {
            const int index = index_of(placed.cell / 9 + 1, placed.cell % 9 + 1);
            const char digit = static_cast<char>('0' + placed.digit);
            cells_.set_cell_text(index, std::string_view(&digit, 1));
            history_.clean_after_placement(index);
        }
        strike_eliminations(history_.marks(), step);
    });
}

}  // namespace varendo
