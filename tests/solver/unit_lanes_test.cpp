// The lane work behind possible: nine units at once must each come out as if alone, and the
// grid's layouts must put every cell at its place in its units.

#include <gtest/gtest.h>

#include <random>

#include "solver/unit_lanes.h"
#include "solver/units.h"

namespace varendo {
namespace {

// A mask as the passes meet them: all nine digits, a few, one (a filled cell), or none.
std::int16_t random_mask(std::mt19937& random) {
    const auto digits = static_cast<std::int16_t>(random() & 1022);
    switch (random() % 4) {
    case 0: return 1022;
    case 1: return digits;
    case 2: return static_cast<std::int16_t>(2 << random() % 9);
    default: return static_cast<std::int16_t>(random() % 8 == 0 ? 0 : digits | 2 << random() % 9);
    }
}

TEST(UnitLanes, EachOfNineUnitsComesOutAsIfAlone) {
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        PlaceLanes masks{};
        for (int j = 0; j < 9; ++j)
            for (int lane = 0; lane < 9; ++lane) masks[lane_index(j, lane)] = random_mask(random);
        PlaceLanes together = masks;
        NarrowedUnits all;
        narrow_units(together, all);

        for (int lane = 0; lane < 9; ++lane) {
            PlaceLanes alone{};
            for (int j = 0; j < 9; ++j) alone[lane_index(j, 0)] = masks[lane_index(j, lane)];
            NarrowedUnits one;
            narrow_units(alone, one);
            for (int j = 0; j < 9; ++j)
                ASSERT_EQ(together[lane_index(j, lane)], alone[lane_index(j, 0)]) << round << " lane " << lane;
            EXPECT_EQ(all.unit_sum[lane], one.unit_sum[0]);
            EXPECT_EQ(all.changed_places[lane], one.changed_places[0]);
            EXPECT_EQ(all.placed_places[lane], one.placed_places[0]);
            EXPECT_EQ(all.eliminated[lane], one.eliminated[0]);
            EXPECT_EQ(all.changed_units >> lane & 1, one.changed_units & 1);
            EXPECT_EQ(all.placing_units >> lane & 1, one.placing_units & 1);
            EXPECT_EQ(all.repeating_units >> lane & 1, one.repeating_units & 1);
        }
        EXPECT_EQ(all.changed_units >> 9, 0u);
    }
}

TEST(UnitLanes, LayoutsPutEveryCellAtItsPlaceInItsUnitsAndGiveItBack) {
    std::array<std::int16_t, 83> cell_mask{};
    for (int k = 1; k <= kCellCount; ++k) cell_mask[k] = static_cast<std::int16_t>(k);
    LaneGrid grid;
    grid.load(cell_mask.data());
    for (const int kind : {1, 0, 2, 0, 1, 2, 1}) {  // from every kind to every other
        const PlaceLanes& layout = grid.of_kind(kind);
        for (int lane = 0; lane < 16; ++lane)
            for (int j = 0; j < 9; ++j)
                EXPECT_EQ(layout[lane_index(j, lane)], lane < 9 ? unit_cells(9 * kind + lane + 1)[j] : 0);
    }
    std::array<std::int16_t, 83> back{};
    grid.store(back.data());
    EXPECT_EQ(back, cell_mask);
}

}  // namespace
}  // namespace varendo
