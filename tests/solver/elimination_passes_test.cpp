// The driver's elimination passes, nine units at a time, must leave exactly what calling
// possible unit by unit leaves: the same grid, masks, fields, cell boxes and step file.

#include "solver/elimination_passes.h"

#include <gtest/gtest.h>

#include <random>

#include "test_grid.h"

namespace varendo {
namespace {

TEST(EliminationPasses, LeaveWhatPossibleCalledOnEveryUnitUntilAPassChangesNothingLeaves) {
    const auto solutions = test::read_set("magictour_top1465_solutions");
    ASSERT_FALSE(solutions.empty());
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000; ++round) {
        // Givens of a solved grid, each kept with a chance drawn per grid; every third grid
        // then repeats a digit in a few units.
        std::string grid = solutions[random() % solutions.size()];
        for (const unsigned kept = random() % 101; char& cell : grid)
            if (random() % 100 >= kept) cell = '.';
        for (int repeats = random() % 3 == 0 ? 1 + random() % 3 : 0; repeats > 0; --repeats) {
            const UnitCells& cells = unit_cells(1 + random() % 27);
            const int from = test::pos_of_cell(cells[random() % 9]), to = test::pos_of_cell(cells[random() % 9]);
            if (grid[from] == '.') grid[from] = static_cast<char>('1' + random() % 9);
            grid[to] = grid[from];
        }
        SCOPED_TRACE(grid);
        test::Bench plain(grid), lanes(grid);
        for (Solver* s : {&plain.s, &lanes.s})  // every fourth grid with pass_count near the top, where it stops
            std::tie(s->pass_count, s->digit_counter, s->written_value) = std::tuple(round % 4 == 0 ? 32762 : 7, 5, 3);
        while (!plain.s.no_progress) {
            plain.s.pass_count = saturating_increment(plain.s.pass_count);
            plain.s.no_progress = true;
            for (int p = 1; p <= 27; ++p) plain.s.possible(p);
        }
        const std::uint32_t repeating = EliminationPasses(lanes.s).until_stable();

        const auto left = [](const test::Bench& b) {
            return std::tuple(b.s.cell_value, b.s.cell_mask, b.s.pass_count, b.s.written_value, b.s.no_progress,
                              b.s.digit_counter, b.s.message.text(), b.file());
        };
        ASSERT_EQ(left(lanes), left(plain));
        for (int i = 0; i < 81; ++i)
            ASSERT_TRUE(lanes.w.cell_text(i) == plain.w.cell_text(i) && lanes.w.cell_color(i) == plain.w.cell_color(i))
                << "box " << i;

        std::uint32_t expected = 0;  // the units that now hold a digit twice
        for (int u = 1; u <= 27; ++u)
            for (unsigned seen = 0; const int k : unit_cells(u)) {
                const unsigned bit = (1u << plain.s.cell_value[k - 1] % 16) & 1022;
                expected |= (seen & bit) != 0 ? 1u << u : 0;
                seen |= bit;
            }
        ASSERT_EQ(repeating, expected);
    }
}

}  // namespace
}  // namespace varendo
