#pragma once

// Helpers of the core's tests. Grids are 81-char strings, row by row, '.' for empty.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "commands/memory_window.h"
#include "commands/puzzle_text.h"
#include "solver/units.h"
#include "sanitized.h"

namespace varendo::test {

// A valid solved grid.
inline const std::string kSolution =
    "123456789456789123789123456234567891567891234891234567345678912678912345912345678";

// The string position of cell k (1..81), and the digit at a position (0 for empty).
inline int pos_of_cell(int k) { return 9 * ((k - 1) % 9) + (k - 1) / 9; }
inline int digit_at(std::string_view g, int pos) { return g[pos] >= '1' && g[pos] <= '9' ? g[pos] - '0' : 0; }

inline Grid81 cells_of(const std::string& grid) {
    std::string error;
    return read_puzzle_text(grid, error).value();
}

// As a person does it: New, type each given, Freeze.
inline void load_puzzle(MemoryWindow& w, const std::string& puzzle) {
    w.enter_puzzle(cells_of(puzzle));
    w.click(Button::Freeze);
}

// A window after New whose solver holds grid, every mask set from it as a run sets them,
// with both switches on and the step file open, so every line written can be read back.
struct Bench {
    explicit Bench(std::string_view grid = std::string(81, '.')) {
        w.click(Button::New);
        for (int k = 1; k <= 81; ++k) {
            const int d = digit_at(grid, pos_of_cell(k));
            s.cell_value[k - 1] = static_cast<std::int16_t>(d == 0 ? 1023 : d);
            s.cell_mask[k] = static_cast<std::int16_t>(d == 0 ? 1022 : 1 << d);
        }
        w.set_save_to_file(true);
        s.save_to_file = true;
        w.step_file().open();
    }
    const std::string& file() const { return w.step_file_contents(); }
    MemoryWindow w;
    Solver& s = w.commands().solver();
};

// The puzzle lines (first 81 characters) of a shared set.
inline std::vector<std::string> read_set(const std::string& name) {
    std::ifstream in(std::string(VARENDO_PUZZLE_DIR) + "/" + name + ".txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81) lines.push_back(line.substr(0, 81));
    return lines;
}

// Every unit holds 1..9 once, and every given is kept.
inline bool solves(std::string_view puzzle, std::string_view grid) {
    bool ok = true;
    for (int u = 1; u <= 27; ++u) {
        unsigned seen = 0;
        for (const int k : unit_cells(u)) seen |= 1u << digit_at(grid, pos_of_cell(k));
        ok = ok && seen == 1022;
    }
    for (int pos = 0; pos < 81; ++pos) ok = ok && (digit_at(puzzle, pos) == 0 || puzzle[pos] == grid[pos]);
    return ok;
}

// The quoted line write_pos writes for digit d placed in cell k, with its CR LF.
inline std::string quoted(int k, int d) {
    return "\" Column " + std::to_string((k - 1) / 9 + 1) + " row " + std::to_string((k - 1) % 9 + 1) +
           "  :Value" + std::to_string(d) + "\"\r\n";
}

}  // namespace varendo::test
