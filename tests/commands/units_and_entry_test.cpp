// Cell and unit numbering, the window's start state and input filter, New/Freeze/Restart.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "test_grid.h"

namespace varendo {
namespace {

TEST(Units, CellsRunDownTheColumnsAndUnitsListThemInUnitOrder) {
    EXPECT_EQ(unit_cells(1), (UnitCells{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(unit_cells(10), (UnitCells{1, 10, 19, 28, 37, 46, 55, 64, 73}));
    EXPECT_EQ(unit_cells(18), (UnitCells{9, 18, 27, 36, 45, 54, 63, 72, 81}));
    EXPECT_EQ(unit_cells(21), (UnitCells{7, 8, 9, 16, 17, 18, 25, 26, 27}));
    EXPECT_EQ(unit_cells(22), (UnitCells{28, 29, 30, 37, 38, 39, 46, 47, 48}));
    EXPECT_EQ(unit_cells(27), (UnitCells{61, 62, 63, 70, 71, 72, 79, 80, 81}));
    std::array<int, 82> seen{};  // every cell lies in one column, one row and one box
    for (int u = 1; u <= 27; ++u)
        for (const int k : unit_cells(u)) ++seen[k];
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 3), 81);

    MemoryWindow w;  // box index 9 is cell 10, the top of column 2
    w.click(Button::New);
    w.type(9, '4');
    EXPECT_EQ(w.grid_text().substr(0, 3), ".4.");
    w.click(Button::Freeze);
    EXPECT_EQ(w.solver().cell_value[9], 4);
    EXPECT_EQ(w.solver().cell_mask[10], 16);
    EXPECT_EQ(w.solver().frozen_value[10], 4);
    EXPECT_EQ(w.solver().frozen_value[9], 1022);
}

TEST(Window, StartsLockedAndTheFilterKeepsOneDigitOneToNine) {
    MemoryWindow w;
    const Solver& s = w.solver();
    for (int i = 0; i < 81; ++i) {
        EXPECT_TRUE(!w.cell_enabled(i) && w.cell_max_length(i) == 1 && w.cell_color(i) == kTypedColor);
        EXPECT_TRUE(s.cell_value[i] == 1023 && s.cell_mask[i + 1] == 1022);
    }
    EXPECT_TRUE(s.is_valid && s.is_complete && s.valid_before && s.valid_after && !s.save_to_file);
    EXPECT_FALSE(w.type(0, '5'));  // before New only New responds
    EXPECT_FALSE(w.click(Button::Freeze) || w.click(Button::Restart) || w.click(Button::Solve));
    EXPECT_TRUE(w.click(Button::New));
    for (const char key : {'0', 'a', ' ', '.'}) {
        w.type(5, key);
        EXPECT_EQ(w.cell_text(5), "") << key;
    }
    w.type(7, '9');
    EXPECT_FALSE(w.type(7, '3'));  // a full cell takes no second keystroke
    EXPECT_EQ(w.cell_text(7), "9");
    w.set_cell_text(8, "x");  // the program's own changes are filtered too
    EXPECT_EQ(w.cell_text(8), "");
    EXPECT_EQ(s.cell_value[7], 1023);  // nothing reaches the solver before Freeze
}

TEST(EntryCommands, NewFreezeAndRestartSetStatesGivensAndColours) {
    MemoryWindow w;
    Solver& s = w.commands().solver();
    auto states = [&] {
        return std::array{w.button_enabled(Button::New), w.button_enabled(Button::Freeze),
                          w.button_enabled(Button::Restart), w.button_enabled(Button::Solve)};
    };
    w.click(Button::New);
    EXPECT_EQ(states(), (std::array{true, true, false, false}));
    w.click(Button::Freeze);  // an empty puzzle is accepted
    EXPECT_EQ(states(), (std::array{true, true, true, true}));
    EXPECT_EQ(std::count(s.frozen_value.begin() + 1, s.frozen_value.end() - 1, 1022), 81);

    test::load_puzzle(w, test::without(test::kSolution, {0}));
    EXPECT_EQ(w.cell_color(9), kGivenColor);
    w.click(Button::Solve);
    ASSERT_EQ(w.cell_text(0), "1");
    EXPECT_EQ(w.cell_color(0), kPlacedColor);
    const std::string difficulty = w.caption(Label::Label1);
    s.guess_mark[1] = 6;
    w.click(Button::Restart);
    EXPECT_EQ(states(), (std::array{true, true, true, true}));  // Solve and Restart keep them
    EXPECT_EQ(w.cell_text(0), "");
    EXPECT_EQ(w.cell_color(0), kPlacedColor);  // an emptied cell keeps its colour
    EXPECT_TRUE(s.cell_value[0] == 1023 && s.cell_mask[1] == 1022 && s.guess_mark[1] == 0 && s.pass_count == 0);
    EXPECT_EQ(w.caption(Label::Label1), difficulty);

    w.type(0, '1');  // typed after Freeze: not a given until the next Freeze
    w.click(Button::Restart);
    EXPECT_EQ(w.cell_text(0), "");
    w.type(0, '1');
    w.click(Button::Freeze);
    EXPECT_EQ(s.frozen_value[1], 1);
    EXPECT_EQ(w.cell_color(0), kGivenColor);

    w.set_save_to_file(true);
    w.click_check1();
    w.click(Button::New);
    EXPECT_EQ(states(), (std::array{true, true, false, false}));
    EXPECT_EQ(w.caption(Label::Label1), "");
    EXPECT_EQ(w.caption(Label::Label4), "No");  // New leaves Label4 and both switches
    EXPECT_TRUE(w.check_state(CheckBox::Check2) == 1 && s.save_to_file);
    for (int i = 0; i < 81; ++i) {
        EXPECT_TRUE(w.cell_enabled(i) && w.cell_text(i).empty() && w.cell_color(i) == kTypedColor);
        EXPECT_EQ(s.frozen_value[i + 1], 1022);
    }
}

}  // namespace
}  // namespace varendo
