#include "cli/report.h"

#include <algorithm>

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

// Row by row, '.' for an empty cell, as puzzle_text() writes it but without a string of
// its own: the answer-only mode spends less time on a puzzle than an allocation takes.
void append_cells(std::string& out, const Grid81& cells) {
    char text[kCellCount];
    for (int i = 0; i < kCellCount; ++i) text[i] = cells[i] == 0 ? '.' : static_cast<char>('0' + cells[i]);
    out.append(text, kCellCount);
}

}  // namespace

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
                        int solutions) {
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
    out += "}\n";
}

void append_answer_report(std::string& out, const Grid81& puzzle, const SearchResult& result, bool json) {
    // Cells and counts need no escaping: the object is written as the library would.
    const char count = static_cast<char>('0' + result.count);
    if (json) {
        out += "{\"puzzle\":\"";
        append_cells(out, puzzle);
        out += "\",\"solutions\":";
        out += count;
        out += ",\"solution\":";
        if (result.count > 0) {
            out += '"';
            append_cells(out, result.solution);
            out += "\"}\n";
        } else {
            out += "null}\n";
        }
        return;
    }
    append_cells(out, puzzle);
    out += '\t';
    out += count;
    if (result.count > 0) {
        out += '\t';
        append_cells(out, result.solution);
    }
    out += '\n';
}

}  // namespace varendo
