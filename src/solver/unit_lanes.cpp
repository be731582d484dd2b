#include "solver/unit_lanes.h"

#include <bit>
#include <cstring>
#include <utility>

#include "solver/units.h"

namespace varendo {

// With GCC on x86-64 the lane work is built twice, and the loader picks the AVX2 build
// where the processor has it: AVX2 does each step on 16 lanes in one instruction.
// Everything the lane work calls is always inlined, even unoptimised, so that it is built
// into each build; the two builds also pass vectors by value in different ways, so the
// compiler's note on that ABI difference does not apply. (Clang checks that ABI before
// inlining and refuses such helpers in a second build, so it makes just one.)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VARENDO_LANE_TARGETS __attribute__((target_clones("avx2", "default")))
#else
#define VARENDO_LANE_TARGETS
#endif
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

constexpr std::int16_t kAllDigits = 1022;

using Lanes = std::int16_t __attribute__((vector_size(32)));
static_assert(sizeof(Lanes) == sizeof(Lanes16));

[[gnu::always_inline]] inline Lanes load(const std::int16_t* numbers) {
    Lanes lanes;
    std::memcpy(&lanes, numbers, sizeof lanes);
    return lanes;
}

[[gnu::always_inline]] inline void store(const Lanes& lanes, std::int16_t* numbers) {
    std::memcpy(numbers, &lanes, sizeof lanes);
}
[[gnu::always_inline]] inline void store(const Lanes& lanes, Lanes16& numbers) {
    store(lanes, numbers.data());
}

// The lanes of place j.
const std::int16_t* place_lanes(const PlaceLanes& masks, int j) { return &masks[lane_index(j, 0)]; }
std::int16_t* place_lanes(PlaceLanes& masks, int j) { return &masks[lane_index(j, 0)]; }

// Lane masks, all ones where the test holds, from an arithmetic shift of the sign: a vector
// compare would be lowered lane by lane on processors without blend instructions.
// For lanes 0..32767: whether they are 0, and whether they are not.
[[gnu::always_inline]] inline Lanes zero_lanes(const Lanes& v) { return (v - 1) >> 15; }
[[gnu::always_inline]] inline Lanes nonzero_lanes(const Lanes& v) { return (-v) >> 15; }
// For lanes 0..1023: whether they have at most one bit set.
[[gnu::always_inline]] inline Lanes single_bit_lanes(const Lanes& v) { return zero_lanes(v & (v - 1)); }

// The OR of all lanes.
[[gnu::always_inline]] inline unsigned or_of_lanes(const Lanes& lanes) {
    std::uint64_t words[4];
    std::memcpy(words, &lanes, sizeof words);
    std::uint64_t all = words[0] | words[1] | words[2] | words[3];
    all |= all >> 32;
    all |= all >> 16;
    return static_cast<unsigned>(all & 0xFFFF);
}

// The lanes (bit l for lane l) that hold a number other than 0, for lanes 0..32767.
[[gnu::always_inline]] inline unsigned nonzero_lane_set(const Lanes& v) {
    constexpr Lanes kLaneBits = {1,   2,    4,    8,    16,   32,    64,    128,
                                 256, 512, 1024, 2048, 4096, 8192, 16384, -32768};
    return or_of_lanes(nonzero_lanes(v) & kLaneBits);
}

// The elimination method in one unit whose tally found a lone digit (see below), on its
// masks in lane `lane`: digits are taken in ascending order and each sees the placements
// made for the lower ones, so the tally is worked out again after every placement.
[[gnu::always_inline]] inline void eliminate_in_lane(PlaceLanes& masks, int lane, Lanes16& eliminated) {
    for (unsigned pending = static_cast<unsigned>(kAllDigits);;) {
        unsigned once = 0;
        unsigned twice = 0;
        unsigned decided = 0;
        for (int j = 0; j < 9; ++j) {
            const auto mask = static_cast<unsigned>(masks[lane_index(j, lane)]);
            twice |= once & mask;
            once |= mask;
            decided |= (mask & (mask - 1)) == 0 ? mask : 0u;
        }
        const unsigned lone = once & ~twice & ~decided & pending;
        if (lone == 0) return;
        const int d = std::countr_zero(lone);
        pending &= ~0u << (d + 1);

        const auto bit = static_cast<std::int16_t>(1 << d);
        int j = 0;
        while ((masks[lane_index(j, lane)] & bit) == 0) ++j;
        masks[lane_index(j, lane)] = bit;
        eliminated[lane] = static_cast<std::int16_t>(eliminated[lane] | bit);
    }
}

[[gnu::always_inline]] inline void narrow(PlaceLanes& masks, const std::array<Lanes, 9>& own,
                                          NarrowedUnits& out) {
    // An arithmetic sum, not an OR: a repeated digit carries into the next bit.
    Lanes sum{};
    Lanes present{};
    for (const Lanes& bit : own) {
        sum += bit;
        present |= bit;
    }
    store(sum, out.unit_sum);
    out.repeating_units = nonzero_lane_set(sum ^ present);
    // 1022 minus the sum: the digits not yet placed in the unit when no digit repeats.
    // latest_pos of a mask and an allowed mask is their AND over bits 1..9, or 0 when the
    // allowed mask is negative.
    const Lanes allowed = kAllDigits - sum;
    const Lanes empty_cut = allowed & kAllDigits & ~(allowed >> 15);

    // Mask reduction: a placement changes only its own cell, whose allowed mask is already
    // used, so every cell's reduced mask is known up front. The tally alongside finds, per
    // unit, the digits with at least one and with at least two candidate cells, and the
    // digits that some cell holds as its only candidate.
    Lanes changed_places{};
    Lanes placed_places{};
    Lanes once{};
    Lanes twice{};
    Lanes decided{};
    for (int j = 0; j < 9; ++j) {
        const Lanes mask = load(place_lanes(masks, j));
        const Lanes reduced = mask & (own[j] | (empty_cut & zero_lanes(own[j])));
        store(reduced, place_lanes(masks, j));
        const Lanes changed = nonzero_lanes(reduced ^ mask);
        const Lanes single = single_bit_lanes(reduced);
        const auto place_bit = static_cast<std::int16_t>(1 << j);
        changed_places |= changed & place_bit;
        placed_places |= changed & single & nonzero_lanes(reduced) & place_bit;
        twice |= once & reduced;
        once |= reduced;
        decided |= reduced & single;
    }
    store(changed_places, out.changed_places);
    store(placed_places, out.placed_places);
    out.changed_units = nonzero_lane_set(changed_places);
    out.placing_units = nonzero_lane_set(placed_places);

    // The elimination method places a digit with one candidate cell left that still has
    // other candidates; a digit whose only cell holds it alone changes nothing. Only units
    // with such a digit now can come to have one.
    out.eliminated = Lanes16{};
    for (unsigned lanes = nonzero_lane_set(once & ~twice & ~decided); lanes != 0; lanes &= lanes - 1) {
        const int lane = std::countr_zero(lanes);
        eliminate_in_lane(masks, lane, out.eliminated);
        if (out.eliminated[lane] != 0) {
            out.changed_units |= 1u << lane;
            out.placing_units |= 1u << lane;
        }
    }
}

}  // namespace

VARENDO_LANE_TARGETS
void narrow_units(PlaceLanes& masks, const PlaceLanes& own, NarrowedUnits& out) {
    std::array<Lanes, 9> own_lanes;
    for (int j = 0; j < 9; ++j) own_lanes[j] = load(place_lanes(own, j));
    narrow(masks, own_lanes, out);
}

VARENDO_LANE_TARGETS
void narrow_units(PlaceLanes& masks, NarrowedUnits& out) {
    std::array<Lanes, 9> own;
    for (int j = 0; j < 9; ++j) {
        const Lanes mask = load(place_lanes(masks, j));
        own[j] = mask & single_bit_lanes(mask);
    }
    narrow(masks, own, out);
}

namespace {

// Where each cell sits in the layout of each kind, and in cell_mask (at index k), which is
// counted as a fourth layout.
constexpr int kCellOrder = 3;
constexpr auto kLayoutIndex = [] {
    std::array<std::array<std::uint8_t, kCellCount + 1>, 4> table{};
    for (int u = 1; u <= kUnitCount; ++u)
        for (int j = 0; j < 9; ++j)
            table[(u - 1) / 9][unit_cells(u)[j]] = static_cast<std::uint8_t>(lane_index(j, (u - 1) % 9));
    for (int k = 1; k <= kCellCount; ++k) table[kCellOrder][k] = static_cast<std::uint8_t>(k);
    return table;
}();

// Copies every cell's mask from one layout to another, unrolled, as the places are fixed.
template <int From, int To>
void move_masks(const std::int16_t* from, std::int16_t* to) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        ((to[kLayoutIndex[To][I + 1]] = from[kLayoutIndex[From][I + 1]]), ...);
    }(std::make_index_sequence<kCellCount>{});
}

}  // namespace

void LaneGrid::load(const std::int16_t* cell_mask) {
    move_masks<kCellOrder, 0>(cell_mask, kinds_[0].data());
    kind_ = 0;
}

void LaneGrid::store(std::int16_t* cell_mask) const {
    switch (kind_) {
    case 0: move_masks<0, kCellOrder>(kinds_[0].data(), cell_mask); break;
    case 1: move_masks<1, kCellOrder>(kinds_[1].data(), cell_mask); break;
    default: move_masks<2, kCellOrder>(kinds_[2].data(), cell_mask); break;
    }
}

PlaceLanes& LaneGrid::of_kind(int kind) {
    const std::int16_t* from = kinds_[kind_].data();
    std::int16_t* to = kinds_[kind].data();
    switch (3 * kind_ + kind) {
    case 1: move_masks<0, 1>(from, to); break;
    case 2: move_masks<0, 2>(from, to); break;
    case 3: move_masks<1, 0>(from, to); break;
    case 5: move_masks<1, 2>(from, to); break;
    case 6: move_masks<2, 0>(from, to); break;
    case 7: move_masks<2, 1>(from, to); break;
    default: break;  // already there
    }
    kind_ = kind;
    return kinds_[kind];
}

}  // namespace varendo
