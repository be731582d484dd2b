#include <bit>
#include <string>

#include "commands/memory_window.h"
#include "commands/solve_path.h"
#include "solver/step_file.h"
#include "solver/units.h"

namespace varendo {

namespace {

// The line possible prints for a placement of its passes.
Message step_message(const Placement& placed) {
    const int n = unit_number(placed.unit);
    switch (unit_kind(placed.unit)) {
    case UnitKind::Column:
        return Message(placed.kind == PlacementKind::Unit ? Message::Kind::ColumnElimination
                                                          : Message::Kind::ColumnReduction,
                       n, placed.digit, placed.cell);
    case UnitKind::Row: return Message(Message::Kind::RowReduction, n, placed.digit, placed.cell);
    case UnitKind::Box: return Message(Message::Kind::BoxReduction, n, placed.digit, placed.place);
    }
    return Message();
}

// The failure text validate leaves for unit u of the grid of a snapshot, worked out on a
// solver of its own.
std::string repeat_text(const PathSnapshot& shot, int u) {
    MemoryWindow window;
    Solver& s = window.commands().solver();
    for (int k = 1; k <= kCellCount; ++k) {
        const int digit = shot.digits[row_major_index(k)];
        s.cell_value[k - 1] = digit != 0 ? static_cast<std::int16_t>(digit) : kEmptyCell;
    }
    s.validate(u);
    return s.message.text();
}

void add_line(std::string& out, std::string_view text) {
    out += text;
    out += kStepLineEnd;
}

}  // namespace

std::string quoted_step_lines(const SolvePath& path) {
    std::string out;
    for (const PathRecord& record : path.rows()) {
        if (record.event != PathRecord::Event::Placement) continue;
        out += "\" Column " + std::to_string(record.column()) + " row " + std::to_string(record.row()) +
               "  :Value" + std::to_string(record.placement.digit) + '"';
        out += kStepLineEnd;
    }
    return out;
}

std::string detailed_step_lines(const SolvePath& path) {
    std::string out;
    std::string last_repeat;  // the last failure text validate left
    const std::vector<PathRecord>& rows = path.rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const PathRecord& record = rows[row];
        switch (record.event) {
        case PathRecord::Event::Placement:
            // Guesses and the search's digits have quoted lines only.
            if (record.placement.kind == PlacementKind::Cell || record.placement.kind == PlacementKind::Unit)
                add_line(out, step_message(record.placement).text());
            break;
        case PathRecord::Event::Stall: add_line(out, Message(Message::Kind::Stall).text()); break;
        case PathRecord::Event::Repeat:
            for (std::uint32_t units = record.units; units != 0; units &= units - 1) {
                last_repeat = repeat_text(path.snapshot(row), std::countr_zero(units));
                add_line(out, last_repeat);
            }
            break;
        case PathRecord::Event::Outcome:
            if (record.outcome != Outcome::StepFileFailure) add_line(out, outcome_text(record.outcome, last_repeat));
            break;
        case PathRecord::Event::Start:
        case PathRecord::Event::Reload: break;
        }
    }
    return out;
}

}  // namespace varendo
