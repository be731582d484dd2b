#pragma once

#include <array>
#include <cstdint>

namespace varendo::logic {

// The technique engine works on cells 0..80 row by row (cell = 9 * row + column, from 0) and
// on 27 houses in the order the classic explainers scan them: boxes 0..8 (left to right along
// the bands of rows), rows 9..17, columns 18..26. Text turns these into the program's own
// numbering at the edge (step_text.h).
constexpr int kBoxHouse = 0;
constexpr int kRowHouse = 9;
constexpr int kColumnHouse = 18;

constexpr int row_of(int cell) { return cell / 9; }
constexpr int column_of(int cell) { return cell % 9; }
constexpr int box_index_of(int cell) { return (cell / 27) * 3 + (cell % 9) / 3; }

using HouseCells = std::array<std::uint8_t, 9>;

namespace detail {

inline constexpr auto kHouseCells = [] {
    std::array<HouseCells, 27> table{};
    for (int i = 0; i < 9; ++i) {
        for (int j = 0; j < 9; ++j) {
            table[kBoxHouse + i][j] = static_cast<std::uint8_t>((i / 3 * 3 + j / 3) * 9 + i % 3 * 3 + j % 3);
            table[kRowHouse + i][j] = static_cast<std::uint8_t>(9 * i + j);
            table[kColumnHouse + i][j] = static_cast<std::uint8_t>(9 * j + i);
        }
    }
    return table;
}();

// A cell's 20 peers: its box, then the rest of its row, then the rest of its column.
inline constexpr auto kPeers = [] {
    std::array<std::array<std::uint8_t, 20>, 81> table{};
    for (int c = 0; c < 81; ++c) {
        int n = 0;
        const int houses[3] = {kBoxHouse + box_index_of(c), kRowHouse + row_of(c), kColumnHouse + column_of(c)};
        for (int h : houses) {
            for (std::uint8_t p : kHouseCells[h]) {
                bool seen = p == c;
                for (int k = 0; k < n; ++k) seen = seen || table[c][k] == p;
                if (!seen) table[c][n++] = p;
            }
        }
    }
    return table;
}();

}  // namespace detail

constexpr const HouseCells& house_cells(int house) { return detail::kHouseCells[house]; }
constexpr const std::array<std::uint8_t, 20>& peers(int cell) { return detail::kPeers[cell]; }

// The box, row and column of a cell, in that order.
constexpr std::array<int, 3> houses_of(int cell) {
    return {kBoxHouse + box_index_of(cell), kRowHouse + row_of(cell), kColumnHouse + column_of(cell)};
}

namespace detail {

// Whether two cells are peers, looked up: the producers ask it in their innermost loops.
inline constexpr auto kSees = [] {
    std::array<std::array<bool, 81>, 81> table{};
    for (int a = 0; a < 81; ++a)
        for (int b = 0; b < 81; ++b)
            table[a][b] = a != b && (row_of(a) == row_of(b) || column_of(a) == column_of(b) ||
                                     box_index_of(a) == box_index_of(b));
    return table;
}();

}  // namespace detail

constexpr bool sees(int a, int b) { return detail::kSees[a][b]; }

// The position (0..8) of a cell within one of its houses.
constexpr int position_in(int house, int cell) {
    if (house < kRowHouse) return (row_of(cell) % 3) * 3 + column_of(cell) % 3;
    if (house < kColumnHouse) return column_of(cell);
    return row_of(cell);
}

}  // namespace varendo::logic
