#pragma once

// Helpers of the engine tests. Grids are 81-char strings, row by row, '.' for empty.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "commands/memory_window.h"
#include "solver/units.h"

namespace varendo::test {

// A valid solved grid.
inline const std::string kSolution =
    "123456789456789123789123456234567891567891234891234567345678912678912345912345678";

// Rows 1-2 of columns 2 and 7 hold 8 6 / 6 8; without those four cells: two solutions.
inline const std::string kRectangle =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
inline const std::string kRectanglePuzzle =
    "4.3921.579.7345.21251876493548132976729564138136798245372689514814253769695417382";
// Row 1 holds 1..7 and 8 stands in columns 8 and 9: both free cells of row 1 become 9.
inline const std::string kContradiction =
    std::string("1234567..") + ".......8." + "........." + "........8" + std::string(45, '.');

// Cell box index of string position pos, and string position of cell k (1..81).
inline int box_of(int pos) { return index_of(pos / 9 + 1, pos % 9 + 1); }
inline int pos_of_cell(int k) { return 9 * ((k - 1) % 9) + (k - 1) / 9; }
inline int digit_at(std::string_view grid, int pos) {
    return grid[pos] >= '1' && grid[pos] <= '9' ? grid[pos] - '0' : 0;
}

inline std::string without(std::string grid, std::initializer_list<int> positions) {
    for (const int pos : positions) grid[pos] = '.';
    return grid;
}

// As a person does it: New, type each given, Freeze.
inline void load_puzzle(MemoryWindow& w, std::string_view puzzle) {
    w.click(Button::New);
    for (int pos = 0; pos < 81; ++pos)
        if (digit_at(puzzle, pos) != 0) w.type(box_of(pos), puzzle[pos]);
    w.click(Button::Freeze);
}

// A window after New whose solver holds grid (every mask set from it), with both switches on
// and the step file open, so every line a procedure writes can be read back.
struct Bench {
    explicit Bench(std::string_view grid = std::string(81, '.')) {
        w.click(Button::New);
        for (int pos = 0; pos < 81; ++pos) {
            const int k = box_of(pos) + 1, d = digit_at(grid, pos);
            s.cell_value[k - 1] = static_cast<std::int16_t>(d == 0 ? 1023 : d);
            s.cell_mask[k] = static_cast<std::int16_t>(d == 0 ? 1022 : 1 << d);
        }
        w.set_save_to_file(true);
        s.save_to_file = true;
        w.step_file().open();
        s.message = kOld;
    }
    const std::string& file() const { return w.step_file_contents(); }
    inline static const Message kOld{Message::Kind::Stall};
    MemoryWindow w;
    Solver& s = w.commands().solver();
};

// The solver's cell_value as a grid.
inline std::string grid_of(const Solver& s) {
    std::string grid(81, '.');
    for (int pos = 0; pos < 81; ++pos)
        if (s.cell_value[box_of(pos)] <= 9) grid[pos] = static_cast<char>('0' + s.cell_value[box_of(pos)]);
    return grid;
}

// The puzzle lines (first 81 characters) of a shared set; shorter lines are left out.
inline std::vector<std::string> read_set(const std::string& name) {
    std::ifstream in(std::string(VARENDO_PUZZLE_DIR) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (line.size() >= 81) lines.push_back(line.substr(0, 81));
    return lines;
}

// Every unit holds 1..9 once, and every given is kept.
inline ::testing::AssertionResult solves(std::string_view puzzle, std::string_view grid) {
    for (int u = 1; u <= 27; ++u) {
        unsigned seen = 0;
        for (const int k : unit_cells(u)) seen |= 1u << digit_at(grid, pos_of_cell(k));
        if (seen != 1022) return ::testing::AssertionFailure() << "unit " << u << " broken: " << grid;
    }
    for (int pos = 0; pos < 81; ++pos)
        if (digit_at(puzzle, pos) != 0 && puzzle[pos] != grid[pos])
            return ::testing::AssertionFailure() << "given lost: " << grid;
    return ::testing::AssertionSuccess();
}

// The lines of a step file without their CR LF; a line without CR LF fails the test.
inline std::vector<std::string> step_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unterminated line: " << bytes.substr(start);
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

// The quoted line write_pos writes for digit d placed in cell k, with its CR LF.
inline std::string quoted(int k, int d) {
    return "\" Column " + std::to_string((k - 1) / 9 + 1) + " row " + std::to_string((k - 1) % 9 + 1) +
           "  :Value" + std::to_string(d) + "\"\r\n";
}

}  // namespace varendo::test
