#include "cli/report.h"

#include <algorithm>
#include <bit>

#include <nlohmann/json.hpp>

#include "commands/puzzle_text.h"
#include "solver/units.h"

namespace varendo {

namespace {

// The step file's lines, without their CR LF.
template <typename Visit>
void for_each_step_line(std::string_view contents, Visit visit) {
    while (!contents.empty()) {
        const std::size_t end = contents.find("\r\n");
        visit(contents.substr(0, end));
        if (end == std::string_view::npos) return;
        contents.remove_prefix(end + 2);
    }
}

// A JSON string exactly as the library writes it. Step lines are printable ASCII, where
// only quotes and backslashes are escaped; anything else goes through the library.
void append_json_string(std::string& out, std::string_view text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
    if (!plain) {
        out += nlohmann::json(text).dump();
        return;
    }
    out += '"';
    const auto special = [](char c) { return c == '"' || c == '\\'; };
    for (auto run = text.begin(); run != text.end();) {
        const auto end = std::find_if(run, text.end(), special);
        out.append(run, end);
        if (end == text.end()) break;
        out += '\\';
        out += *end;
        run = end + 1;
    }
    out += '"';
}

char color_code(Rgb color) {
    if (color == kGivenColor) return 'g';
    if (color == kPlacedColor) return 'b';
    return 'k';
}

std::string colors_text(const MemoryWindow& window) {
    std::string colors;
    colors.reserve(kCellCount);
    for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 9; ++column)
            colors += color_code(window.cell_color(index_of(row, column)));
    return colors;
}

// A unit as the user reads it: "column 3", "row 4", "box 6".
void append_unit(std::string& out, int unit) {
    switch (unit_kind(unit)) {
    case UnitKind::Column: out += "\"column "; break;
    case UnitKind::Row: out += "\"row "; break;
    case UnitKind::Box: out += "\"box "; break;
    }
    out += static_cast<char>('0' + unit_number(unit));
    out += '"';
}

void append_member(std::string& out, std::string_view key, int value) {
    out += ",\"";
    out += key;
    out += "\":";
    out += std::to_string(value);
}

std::string_view placement_kind(PlacementKind kind) {
    switch (kind) {
    case PlacementKind::Cell: return "cell";
    case PlacementKind::Unit: return "unit";
    case PlacementKind::Guess: return "guess";
    case PlacementKind::Search: return "search";
    }
    return {};
}

// One object per record but the outcome, which the report has already.
void append_path(std::string& out, const SolvePath& path) {
    out += ",\"path\":[";
    bool first = true;
    for (const PathRecord& record : path.rows()) {
        if (record.event == PathRecord::Event::Outcome) continue;
        if (!first) out += ',';
        first = false;
        out += "{\"attempt\":";
        out += std::to_string(record.attempt);
        switch (record.event) {
        case PathRecord::Event::Placement: {
            const Placement& placed = record.placement;
            append_member(out, "pass", record.pass);
            out += ",\"kind\":\"";
            out += placement_kind(placed.kind);
            out += '"';
            append_member(out, "row", record.row());
            append_member(out, "column", record.column());
            append_member(out, "digit", placed.digit);
            if (placed.kind != PlacementKind::Search) {
                out += ",\"unit\":";
                append_unit(out, placed.unit);
            }
            if (placed.kind == PlacementKind::Guess) append_member(out, "places", placed.places);
            break;
        }
        case PathRecord::Event::Start: out += ",\"event\":\"start\""; break;
        case PathRecord::Event::Reload: out += ",\"event\":\"reload\""; break;
        case PathRecord::Event::Stall:
            out += ",\"event\":\"stall\"";
            append_member(out, "pass", record.pass);
            break;
        case PathRecord::Event::Repeat: {
            out += ",\"event\":\"repeat\"";
            append_member(out, "pass", record.pass);
            out += ",\"units\":[";
            for (std::uint32_t units = record.units; units != 0; units &= units - 1) {
                append_unit(out, std::countr_zero(units));
                if ((units & (units - 1)) != 0) out += ',';
            }
            out += ']';
            break;
        }
        case PathRecord::Event::Outcome: break;
        }
        out += '}';
    }
    out += ']';
}

}  // namespace

void run_puzzle(MemoryWindow& window, const Grid81& puzzle, StepMode mode) {
    window.enter_puzzle(puzzle);
    if (mode == StepMode::Visible) window.set_save_to_file(true);
    // The hidden box keeps its state from one puzzle to the next: click it only to tick it.
    if (mode == StepMode::Detailed && window.check_state(CheckBox::Check1) == 0) window.click_check1();
    window.click(Button::Freeze);
    window.click(Button::Solve);
}

int count_solutions(const MemoryWindow& window, const Grid81& puzzle) {
    if (const std::optional<int> searched = window.commands().searched_solutions()) return *searched;
    return find_solutions(puzzle, 2).count;
}

void append_text_report(std::string& out, const MemoryWindow& window, int solutions,
                        bool with_steps) {
    out += window.grid_text();
    out += '\t';
    out += window.last_message();
    if (window.commands().outcome() == Outcome::Solved) {
        out += '\t';
        out += window.caption(Label::Label1);
        if (solutions > 1) out += "\tseveral solutions";
    }
    out += '\n';
    if (!with_steps) return;
    for_each_step_line(window.step_file_contents(), [&out](std::string_view line) {
        out += "  ";
        out += line;
        out += '\n';
    });
}

void append_json_report(std::string& out, const Grid81& puzzle, const MemoryWindow& window,
                        int solutions, bool with_path) {
    const Solver& solver = window.solver();
    const nlohmann::ordered_json head = {
        {"puzzle", puzzle_text(puzzle)},
        {"outcome", window.last_message()},
        {"grid", window.grid_text()},
        {"colors", colors_text(window)},
        {"label1", window.caption(Label::Label1)},
        {"label4", window.caption(Label::Label4)},
        {"pass_count", solver.pass_count},
        {"guess_count", solver.guess_count},
    };
    // The steps run to thousands of lines per puzzle: they are written straight into the
    // object, without a JSON value each, before its last member.
    std::string text = head.dump();
    text.pop_back();
    out += text;
    out += ",\"steps\":[";
    bool first = true;
    for_each_step_line(window.step_file_contents(), [&out, &first](std::string_view line) {
        if (!first) out += ',';
        first = false;
        append_json_string(out, line);
    });
    out += "],\"solutions\":";
    out += std::to_string(solutions);
    if (with_path) append_path(out, window.commands().path());
    out += "}\n";
}

}  // namespace varendo
