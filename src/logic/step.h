#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace varendo::logic {

enum class Technique : std::uint8_t {
    FullHouse,
    HiddenSingleBox,
    HiddenSingleLine,
    DirectPointing,
    DirectClaiming,
    DirectHiddenPair,
    NakedSingle,
    DirectHiddenTriple,
    Pointing,
    Claiming,
    NakedPair,
    XWing,
    HiddenPair,
    NakedTriple,
    Swordfish,
    HiddenTriple,
    XYWing,
    XYZWing,
    UniqueRectangle,
    NakedQuad,
    Jellyfish,
    HiddenQuad,
    BivalueGrave,
    AlignedPairExclusion,
    XCycle,
    YCycle,
    XYCycle,
    ForcingXChain,
    ForcingChain,
    AlignedTripleExclusion,
    NishioForcingChain,
    CellForcingChain,
    RegionForcingChain,
    ContradictionForcingChain,
    DoubleForcingChain,
    DynamicCellForcingChain,
    DynamicRegionForcingChain,
    Skyscraper,
    TwoStringKite,
    TurbotFish,
    EmptyRectangle,
    WWing,
    RemotePair,
    FinnedXWing,
    FinnedSwordfish,
    SimpleColoring,
    XChain,
    XYChain,
    ContinuousNiceLoop,
    DiscontinuousNiceLoop,
    Aic,
    GroupedContinuousNiceLoop,
    GroupedDiscontinuousNiceLoop,
    GroupedAic,
    MultiColoring,
    HiddenRectangle,
    AvoidableRectangle,
    SueDeCoq,
    AlsXZ,
    AlsXYWing,
    LockedPair,
    LockedTriple,
    DualTwoStringKite,
    DualEmptyRectangle,
    FinnedJellyfish,
    AlsXYChain,
    DeathBlossom,
    FrankenXWing,
    FrankenSwordfish,
    FrankenJellyfish,
    FinnedFrankenXWing,
    FinnedFrankenSwordfish,
    FinnedFrankenJellyfish,
    MutantFish,
    FinnedMutantFish,
};
constexpr int kTechniqueCount = static_cast<int>(Technique::FinnedMutantFish) + 1;

// One candidate: a cell (0..80, row by row) and a digit.
struct Candidate {
    std::uint8_t cell = 0;
    std::uint8_t digit = 0;
    bool operator==(const Candidate&) const = default;
};
inline Candidate candidate(int cell, int digit) {
    return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)};
}

// A node of a chain: the candidate is true (on) or false (off).
struct ChainNode {
    Candidate candidate;
    bool on = false;
    // A group node of an alternating chain: the digit in the candidate's cell or in these
    // (255 for none), all in one box and one line.
    std::array<std::uint8_t, 2> group{255, 255};
    // A digit of an almost locked set (its index in Step::sets): true when the set holds it.
    std::int8_t set = -1;
};

// A link from one node to the node it implies: strong (off to on) or weak (on to off).
struct ChainLink {
    std::uint16_t from = 0;
    std::uint16_t to = 0;
    bool strong = false;
    // A strong link made by an almost locked set that neither end names (its index in
    // Step::sets): two of its digits with one place each, or a digit and a cell it forces.
    std::int8_t set = -1;
};

// Cells and the digits they hold between them: an almost locked set (n cells of one house
// with n + 1 digits) or a part of a Sue de Coq.
struct CellSet {
    std::vector<std::uint8_t> cells;
    std::uint16_t digits = 0;  // bit d - 1 for digit d
    // The digits that tie it to the set before it in an ALS chain, or to the stem cell of a
    // Death Blossom whose petal it is.
    std::uint16_t link = 0;
};

// One deduction, as data: a front end turns it into words or pictures.
struct Step {
    Technique technique = Technique::FullHouse;
    int rating = 0;  // in tenths: 23 is 2.3
    std::vector<Candidate> placements;
    std::vector<Candidate> eliminations;
    // The pattern: its cells, the houses it stands on (0..26, see houses.h) and its digits.
    std::vector<std::uint8_t> cells;
    std::vector<std::uint8_t> houses;
    std::uint16_t digits = 0;  // bit d - 1 for digit d
    // Fish: the base and cover houses and the fins.
    std::vector<std::uint8_t> base;
    std::vector<std::uint8_t> cover;
    std::vector<Candidate> fins;
    // Chains: nodes and links; nested forcing chains bring their own nodes.
    std::vector<ChainNode> nodes;
    std::vector<ChainLink> links;
    // Almost locked sets and the parts of a Sue de Coq, in the order the technique uses them.
    std::vector<CellSet> sets;
    int complexity = 0;  // nodes counted for the chain-length bonus
    int size = 0;        // pattern size: cells of a loop, cells of an exclusion, a set's degree
    int level = 0;       // dynamic chains: 1 with the simple rules inside, 2-4 with nested chains
};

}  // namespace varendo::logic
