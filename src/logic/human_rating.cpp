#include <algorithm>

#include "logic/ladder.h"

namespace varendo::logic {

namespace {

struct Points {
    HumanLevel level;
    int score;
};

// HoDoKu's level and points for each technique; direct forms count as their plain ones.
Points points_of(Technique t) {
    using T = Technique;
    using L = HumanLevel;
    switch (t) {
    case T::FullHouse: case T::NakedSingle: return {L::Easy, 4};
    case T::HiddenSingleBox: case T::HiddenSingleLine: return {L::Easy, 14};
    case T::DirectPointing: case T::DirectClaiming: case T::Pointing: case T::Claiming: return {L::Medium, 50};
    case T::NakedPair: return {L::Medium, 60};
    case T::DirectHiddenPair: case T::HiddenPair: return {L::Medium, 70};
    case T::NakedTriple: return {L::Medium, 80};
    case T::DirectHiddenTriple: case T::HiddenTriple: return {L::Medium, 100};
    case T::NakedQuad: return {L::Hard, 120};
    case T::HiddenQuad: return {L::Hard, 150};
    case T::XWing: return {L::Hard, 140};
    case T::Swordfish: return {L::Hard, 150};
    case T::Jellyfish: return {L::Hard, 160};
    case T::RemotePair: return {L::Hard, 110};
    case T::UniqueRectangle: case T::BivalueGrave: return {L::Hard, 100};
    case T::Skyscraper: return {L::Hard, 130};
    case T::TwoStringKite: case T::WWing: return {L::Hard, 150};
    case T::TurbotFish: case T::EmptyRectangle: return {L::Hard, 120};
    case T::XYWing: return {L::Hard, 160};
    case T::FinnedXWing: return {L::Hard, 130};
    case T::SimpleColoring: return {L::Hard, 150};
    case T::MultiColoring: return {L::Hard, 200};
    case T::HiddenRectangle: case T::AvoidableRectangle: return {L::Hard, 100};
    case T::SueDeCoq: return {L::Unfair, 250};
    case T::AlsXZ: return {L::Unfair, 300};
    case T::AlsXYWing: return {L::Unfair, 320};
    case T::AlsXYChain: return {L::Unfair, 340};
    case T::DeathBlossom: return {L::Unfair, 360};
    case T::LockedPair: return {L::Medium, 40};
    case T::LockedTriple: return {L::Medium, 60};
    case T::DualTwoStringKite: return {L::Hard, 150};
    case T::DualEmptyRectangle: return {L::Hard, 120};
    case T::FinnedSwordfish: return {L::Unfair, 200};
    case T::FinnedJellyfish: return {L::Unfair, 250};
    case T::FrankenXWing: return {L::Unfair, 300};
    case T::FrankenSwordfish: return {L::Unfair, 350};
    case T::FrankenJellyfish: return {L::Unfair, 370};
    case T::FinnedFrankenXWing: return {L::Unfair, 390};
    case T::FinnedFrankenSwordfish: return {L::Unfair, 410};
    case T::FinnedFrankenJellyfish: return {L::Unfair, 430};
    case T::MutantFish: return {L::Extreme, 450};
    case T::FinnedMutantFish: return {L::Extreme, 470};
    case T::XYZWing: return {L::Hard, 180};
    case T::XChain: case T::XYChain: return {L::Unfair, 260};
    case T::ContinuousNiceLoop: case T::DiscontinuousNiceLoop: case T::Aic: return {L::Unfair, 280};
    case T::GroupedContinuousNiceLoop: case T::GroupedDiscontinuousNiceLoop: case T::GroupedAic: return {L::Unfair, 300};
    case T::AlignedPairExclusion: return {L::Unfair, 300};
    case T::XCycle: case T::YCycle: case T::ForcingXChain: return {L::Unfair, 260};
    case T::XYCycle: case T::ForcingChain: return {L::Unfair, 280};
    case T::AlignedTripleExclusion: case T::NishioForcingChain: case T::CellForcingChain: case T::RegionForcingChain:
        return {L::Extreme, 500};
    case T::ContradictionForcingChain: case T::DoubleForcingChain: case T::DynamicCellForcingChain:
    case T::DynamicRegionForcingChain:
        return {L::Extreme, 700};
    }
    return {L::Extreme, 0};
}

constexpr int kLevelMaximum[] = {800, 1000, 1600, 1800};

}  // namespace

HumanRating rate_human(const std::vector<Step>& steps) {
    HumanRating rating;
    for (const Step& step : steps) {
        const Points p = points_of(step.technique);
        rating.score += p.score;
        rating.level = std::max(rating.level, p.level);
    }
    // A long path raises the level as well as a hard step does.
    while (rating.level != HumanLevel::Extreme && rating.score > kLevelMaximum[static_cast<int>(rating.level)])
        rating.level = static_cast<HumanLevel>(static_cast<int>(rating.level) + 1);
    return rating;
}

}  // namespace varendo::logic
