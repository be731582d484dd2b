#include "window/steps/place_texts.h"

#include "solver/units.h"

namespace varendo {

QString unit_name(int u) {
    const int n = unit_number(u);
    switch (unit_kind(u)) {
    case UnitKind::Column: return QStringLiteral("column %1").arg(n);
    case UnitKind::Row: return QStringLiteral("row %1").arg(n);
    case UnitKind::Box: break;
    }
    return QStringLiteral("box %1").arg(n);
}

QString cell_name(int row, int column) { return QStringLiteral("row %1, column %2").arg(row).arg(column); }

QString placement_text(PlacementKind how, int digit, int row, int column, int unit, int places) {
    const QString cell = cell_name(row, column);
    switch (how) {
    case PlacementKind::Cell: return QStringLiteral("%1 in %2: the only digit left for that cell").arg(digit).arg(cell);
    case PlacementKind::Unit:
        return QStringLiteral("%1 in %2: the only place for %1 in %3").arg(digit).arg(cell, unit_name(unit));
    case PlacementKind::Guess:
        return QStringLiteral("Guess %1 in %2 (one of %3 places for %1 in %4)")
            .arg(digit).arg(cell).arg(places).arg(unit_name(unit));
    case PlacementKind::Search: break;
    }
    return QStringLiteral("%1 in %2, from the complete search").arg(digit).arg(cell);
}

}  // namespace varendo
