#pragma once

#include <QString>

#include "solver/path_recorder.h"

namespace varendo {

// Places as the user reads them: "row 4", "column 7", "box 6" for unit u (1..27: columns,
// rows, boxes, which are numbered down the bands of columns as Solve numbers them).
QString unit_name(int u);
// "row 4, column 7", from the top left.
QString cell_name(int row, int column);
// A placed digit and why: "5 in row 4, column 7: the only place for 5 in row 4", "Guess 3 in
// row 1, column 5 (one of 2 places for 3 in column 5)". Unit and places as Placement has them.
QString placement_text(PlacementKind how, int digit, int row, int column, int unit, int places);

}  // namespace varendo
