#pragma once

#include <array>
#include <cstdint>

namespace varendo {

// Cells are numbered 1..81 down the columns: cell k sits in column (k - 1) / 9 + 1 and
// row (k - 1) % 9 + 1. Units are numbered 1..27: columns 1..9, rows 10..18, 3x3 boxes 19..27,
// the boxes counted down the bands of columns.

constexpr int kCellCount = 81;
constexpr int kUnitCount = 27;

enum class UnitKind { Column, Row, Box };

namespace detail {

// Unit kinds are told apart by testing u < 10, then u < 19, as every procedure does.
inline constexpr auto kUnitKinds = [] {
    std::array<UnitKind, kUnitCount + 1> kinds{};
    for (int u = 1; u <= kUnitCount; ++u)
        kinds[u] = u < 10 ? UnitKind::Column : u < 19 ? UnitKind::Row : UnitKind::Box;
    return kinds;
}();

}  // namespace detail

// Looked up, as the solver's loops meet the kinds in no order a branch would foresee.
constexpr UnitKind unit_kind(int u) { return detail::kUnitKinds[u]; }

// The number a unit has within its kind: column c, row r or box b, each 1..9.
constexpr int unit_number(int u) { return (u - 1) % 9 + 1; }

using UnitCells = std::array<std::uint8_t, 9>;

namespace detail {

constexpr UnitCells cells_of_unit(int u) {
    UnitCells cells{};
    for (int j = 0; j < 9; ++j) {
        if (u < 10) {
            cells[j] = static_cast<std::uint8_t>(9 * u - 8 + j);
        } else if (u < 19) {
            cells[j] = static_cast<std::uint8_t>(u - 9 + 9 * j);
        } else {
            const int band_offset = u < 22 ? 0 : (u < 25 ? 18 : 36);
            const int s = band_offset + 3 * (u - 19);
            // A box runs down its left column, then its middle one, then its right one.
            cells[j] = static_cast<std::uint8_t>(s + 1 + j % 3 + 9 * (j / 3));
        }
    }
    return cells;
}

constexpr std::array<UnitCells, kUnitCount + 1> make_unit_table() {
    std::array<UnitCells, kUnitCount + 1> table{};
    for (int u = 1; u <= kUnitCount; ++u) table[u] = cells_of_unit(u);
    return table;
}

}  // namespace detail

// unit_cells(u)[j] is the cell number (1..81) of the (j + 1)-th cell of unit u in unit order.
inline constexpr std::array<UnitCells, kUnitCount + 1> kUnitTable = detail::make_unit_table();

constexpr const UnitCells& unit_cells(int u) { return kUnitTable[u]; }

// The box (1..9) that holds the cell in the given row and column (1..9): boxes are
// numbered down the bands of columns.
constexpr int box_of(int row, int column) { return 3 * ((column - 1) / 3) + (row - 1) / 3 + 1; }

namespace detail {

inline constexpr auto kCellUnitSets = [] {
    std::array<std::uint32_t, kCellCount + 1> table{};
    for (int k = 1; k <= kCellCount; ++k) {
        const int column = (k - 1) / 9 + 1;
        const int row = (k - 1) % 9 + 1;
        table[k] = (1u << column) | (1u << (9 + row)) | (1u << (18 + box_of(row, column)));
    }
    return table;
}();

}  // namespace detail

// The units that hold cell k (1..81), as a set with bit u for unit u.
constexpr std::uint32_t units_of_cell(int k) { return detail::kCellUnitSets[k]; }

// Column and row (1..9) of the cell shown in text box index loc (0..80).
constexpr int column_of_index(int loc) { return loc / 9 + 1; }
constexpr int row_of_index(int loc) { return loc % 9 + 1; }

// Text box index of the cell in the given row and column (1..9): the index runs down the columns.
constexpr int index_of(int row, int column) { return 9 * (column - 1) + (row - 1); }

}  // namespace varendo
