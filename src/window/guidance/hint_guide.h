#pragma once

#include <QObject>
#include <optional>

#include "commands/hint.h"
#include "logic/ladder.h"

class QLabel;

namespace varendo {

class Commands;
class Controls;
class GridHistory;
class HintOverlay;
class MarkBoard;

// Puzzle > Hint, pressed up to three times on the same grid: first the unit where the next
// digit goes, then its cell, then the digit itself, typed in as one step of history. What
// stands in the way comes first: a repeated digit, a typed digit that is not part of the
// solution, a mark struck that the solution needs. Where Solve's eliminations stall, the
// easiest step of the human ladder in the user's own marks takes their place: where to look,
// then its pattern, then the step applied. It tells and marks, and changes nothing else.
class HintGuide final : public QObject {
    Q_OBJECT

public:
    HintGuide(Commands& commands, Controls& cells, GridHistory& history, MarkBoard& marks, HintOverlay& overlay,
              QLabel& line, QObject* parent);

    void press();

signals:
    // A step's eliminations are struck from the candidates, which must show for that.
    void candidates_needed();

private:
    // Any change of the grid starts the presses again.
    void forget();
    void show(const QString& text, int tinted_unit, int row, int column);
    // Says a text on the line under the form.
    void tell(const QString& text);
    // A struck candidate (or own marks) without the digit the solution needs: said first.
    bool show_missing_mark();
    // The presses of a step of the human ladder (hint_step.cpp).
    void find_step();
    void press_step(int press);
    void take_step();

    Commands& commands_;
    Controls& cells_;
    GridHistory& history_;
    MarkBoard& marks_;
    HintOverlay& overlay_;
    QLabel& line_;
    std::optional<Hint> hint_;
    std::optional<logic::Step> step_;
    logic::CandidateGrid step_grid_;
    int presses_ = 0;
};

}  // namespace varendo
