#include "window/menus/check_report.h"

namespace varendo {

namespace {

QString repeat_unit_name(const PuzzleCheck& check) {
    switch (check.unit) {
    case UnitKind::Row: return QStringLiteral("row %1").arg(check.number);
    case UnitKind::Column: return QStringLiteral("column %1").arg(check.number);
    case UnitKind::Box: break;
    }
    // Boxes are numbered down the bands of columns, which few would guess: say where it is.
    const int top = (check.row - 1) / 3 * 3 + 1;
    const int left = (check.column - 1) / 3 * 3 + 1;
    return QStringLiteral("box %1 (rows %2-%3, columns %4-%5)")
        .arg(check.number).arg(top).arg(top + 2).arg(left).arg(left + 2);
}

}  // namespace

QString check_report(const PuzzleCheck& check) {
    switch (check.verdict) {
    case PuzzleCheck::Verdict::Repeat:
        return QStringLiteral("Digit %1 appears twice in %2.").arg(check.digit).arg(repeat_unit_name(check));
    case PuzzleCheck::Verdict::NoSolution: return QStringLiteral("The puzzle has no solution.");
    case PuzzleCheck::Verdict::OneSolution: return QStringLiteral("The puzzle has exactly one solution.");
    case PuzzleCheck::Verdict::SeveralSolutions: return QStringLiteral("The puzzle has several solutions.");
    }
    return {};
}

}  // namespace varendo
