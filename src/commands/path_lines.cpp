#include <bit>
#include <string>

#include "commands/solve_path.h"
#include "solver/solver.h"
#include "solver/units.h"

namespace varendo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

// The grid of a snapshot as the engine holds it, cell k at index k - 1.
std::array<std::int16_t, 83> engine_values(const PathSnapshot& shot) {
    std::array<std::int16_t, 83> values{};
    for (int k = 1; k <= kCellCount; ++k) {
        const int digit = shot.digits[row_major_index(k)];
        values[k - 1] = digit != 0 ? static_cast<std::int16_t>(digit) : kEmptyCell;
    }
    return values;
}

void add_line(std::string& out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

}  // namespace

std::string quoted_step_lines(const SolvePath& path) {
    std::string out;
    for (const PathRecord& record : path.rows()) {
        if (record.event != PathRecord::Event::Placement) continue;
        out += "\" Column " + std::to_string(record.column()) + " row " + std::to_string(record.row()) +
               "  :Value" + std::to_string(record.placement.digit) + '"';
        out += kLineEnd;
    }
    return out;
}

std::string detailed_step_lines(const SolvePath& path) {
    std::string out;
    std::string repeat_text;  // the last failure text validate left
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
        case PathRecord::Event::Repeat: {
            const auto values = engine_values(path.snapshot(row));
            for (std::uint32_t units = record.units; units != 0; units &= units - 1) {
                repeat_text = repeat_message(values, std::countr_zero(units)).text();
                add_line(out, repeat_text);
            }
            break;
        }
        case PathRecord::Event::Outcome:
            if (record.outcome != Outcome::StepFileFailure) add_line(out, outcome_text(record.outcome, repeat_text));
            break;
        case PathRecord::Event::Start:
        case PathRecord::Event::Reload: break;
        }
    }
    return out;
}

}  // namespace varendo
