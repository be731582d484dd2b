// Franken and mutant fish: base and cover houses of one digit that may be boxes as well as lines.
// The base houses' places lie in the cover houses, but for the fins; as many covers as bases
// each take one of the base houses' digits, so the digit leaves the rest of the covers and any
// base place two covers share, where it sees every fin. Places two base houses share count as
// fins ("endo fins"), as one digit there could serve both.

#include <algorithm>

#include "logic/cell_bits.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

constexpr unsigned kBoxKind = 1, kRowKind = 2, kColumnKind = 4;
constexpr int kMaxFins = 5;
constexpr int kMaxEndoFins = 2;
constexpr unsigned kBoxHouses = 0x1FF, kRowHouses = 0x1FFu << kRowHouse, kColumnHouses = 0x1FFu << kColumnHouse;

enum class Family { Basic, Franken, Mutant };

unsigned kinds_of(unsigned houses) {
    return ((houses & kBoxHouses) ? kBoxKind : 0) | ((houses & kRowHouses) ? kRowKind : 0) |
           ((houses & kColumnHouses) ? kColumnKind : 0);
}

// Lines of one kind against lines of the other make a basic fish, or a Franken fish with boxes
// added on either side; any other mix is mutant.
Family family_of(unsigned bases, unsigned covers) {
    const unsigned base_lines = kinds_of(bases) & ~kBoxKind, cover_lines = kinds_of(covers) & ~kBoxKind;
    const bool crossed = (base_lines == kRowKind && cover_lines == kColumnKind) ||
                         (base_lines == kColumnKind && cover_lines == kRowKind);
    if (!crossed) return Family::Mutant;
    return (kinds_of(bases | covers) & kBoxKind) ? Family::Franken : Family::Basic;
}

Technique technique_of(Family family, bool finned, int degree) {
    constexpr Technique kFranken[2][3] = {
        {Technique::FrankenXWing, Technique::FrankenSwordfish, Technique::FrankenJellyfish},
        {Technique::FinnedFrankenXWing, Technique::FinnedFrankenSwordfish, Technique::FinnedFrankenJellyfish}};
    if (family == Family::Mutant) return finned ? Technique::FinnedMutantFish : Technique::MutantFish;
    return kFranken[finned][degree - 2];
}

// Houses named lines first, then boxes, as people write them.
std::vector<std::uint8_t> houses_in(unsigned houses) {
    std::vector<std::uint8_t> out;
    for (unsigned rest = (houses >> kRowHouse) | ((houses & kBoxHouses) << 18); rest != 0; rest &= rest - 1)
        out.push_back(static_cast<std::uint8_t>((std::countr_zero(rest) + kRowHouse) % 27));
    return out;
}

class FishSearch {
public:
    FishSearch(const CandidateGrid& grid, int degree, bool finned, Family family, const StepSink& sink)
        : grid_(grid), degree_(degree), finned_(finned), family_(family), sink_(sink) {}

    // One digit, with the houses allowed as bases and as covers.
    bool run(int digit, unsigned base_houses, unsigned cover_houses) {
        digit_ = digit;
        cover_houses_ = cover_houses;
        all_ = {};
        for (int h = 0; h < 27; ++h) {
            places_[h] = {};
            for (int j = 0; j < 9; ++j)
                if (grid_.has(house_cells(h)[j], digit)) places_[h].set(house_cells(h)[j]);
            all_ = all_ | places_[h];
        }
        return choose_bases(base_houses, 0, 0, {}, {});
    }

private:
    bool choose_bases(unsigned allowed, int from, unsigned chosen, CellBits cells, CellBits endo) {
        if (std::popcount(chosen) == degree_) {
            bases_ = chosen;
            base_cells_ = cells;
            endo_ = endo;
            return choose_covers(0, 0, {}, {}, {}, 0);
        }
        for (int h = from; h < 27; ++h) {
            if (!(allowed & (1u << h)) || !places_[h].any()) continue;
            // A cover meets a base house in three places at most (a box and a line).
            if (!finned_ && places_[h].count() > 3 * degree_) continue;
            const CellBits more_endo = endo | (cells & places_[h]);
            if (more_endo.count() > (finned_ ? kMaxEndoFins : 0)) continue;
            if (!choose_bases(allowed, h + 1, chosen | (1u << h), cells | places_[h], more_endo)) return false;
        }
        return true;
    }

    // Covers the lowest base place not yet covered by one of its houses, or makes it a fin; once
    // every place is settled, any house meeting the base places may be added (from `extra` on).
    bool choose_covers(unsigned chosen, unsigned excluded, CellBits covered, CellBits shared, CellBits fins,
                       int extra) {
        if (std::popcount(chosen) == degree_) return finish(chosen, covered, shared);
        const CellBits open = base_cells_.without(endo_).without(covered).without(fins);
        const auto fits = [&](int h) {
            return (cover_houses_ & ~bases_ & ~excluded & ~chosen & (1u << h)) && !(places_[h] & fins).any();
        };
        if (!open.any()) {
            for (int h = extra; h < 27; ++h)
                if (fits(h) && (places_[h] & base_cells_).any() &&
                    !choose_covers(chosen | (1u << h), excluded, covered | places_[h], shared | (covered & places_[h]),
                                   fins, h + 1))
                    return false;
            return true;
        }
        const int cell = open.first();
        for (int h : houses_of(cell)) {
            if (!fits(h)) continue;
            if (!choose_covers(chosen | (1u << h), excluded, covered | places_[h], shared | (covered & places_[h]),
                               fins, 0))
                return false;
            excluded |= 1u << h;  // later branches leave this house out: it has been tried
        }
        if (!finned_ || (fins | endo_).count() >= kMaxFins) return true;
        CellBits more = fins;
        more.set(cell);
        if (!(common_peers(more | endo_) & all_).any()) return true;
        return choose_covers(chosen, excluded, covered, shared, more, 0);
    }

    bool finish(unsigned covers, CellBits covered, CellBits shared) {
        const CellBits fins = base_cells_.without(covered) | endo_;
        if (fins.any() != finned_ || fins.count() > kMaxFins) return true;
        if (family_of(bases_, covers) != family_) return true;
        CellBits struck = covered.without(base_cells_) | shared;
        if (finned_) struck = struck & common_peers(fins);
        if (!struck.any()) return true;
        Step step;
        step.technique = technique_of(family_, finned_, degree_);
        step.rating = (family_ == Family::Mutant ? 56 : 48) + 2 * degree_ + (finned_ ? 2 : 0);
        step.digits = digit_bit(digit_);
        step.size = degree_;
        step.base = houses_in(bases_);
        step.cover = houses_in(covers);
        step.houses = step.base;
        const auto digit = static_cast<std::uint8_t>(digit_);
        base_cells_.without(fins).each([&](int c) { step.cells.push_back(static_cast<std::uint8_t>(c)); });
        fins.each([&](int c) { step.fins.push_back({static_cast<std::uint8_t>(c), digit}); });
        struck.each([&](int c) { step.eliminations.push_back({static_cast<std::uint8_t>(c), digit}); });
        return sink_(std::move(step));
    }

    const CandidateGrid& grid_;
    const int degree_;
    const bool finned_;
    const Family family_;
    const StepSink& sink_;
    int digit_ = 0;
    unsigned cover_houses_ = 0;
    CellBits places_[27];  // the digit's places in each house
    CellBits all_;
    unsigned bases_ = 0;
    CellBits base_cells_, endo_;
};

}  // namespace

bool find_franken_fish(const CandidateGrid& grid, int degree, bool finned, const StepSink& sink) {
    FishSearch search(grid, degree, finned, Family::Franken, sink);
    for (int digit = 1; digit <= 9; ++digit)
        if (!search.run(digit, kRowHouses | kBoxHouses, kColumnHouses | kBoxHouses) ||
            !search.run(digit, kColumnHouses | kBoxHouses, kRowHouses | kBoxHouses))
            return false;
    return true;
}

bool find_mutant_fish(const CandidateGrid& grid, int degree, bool finned, const StepSink& sink) {
    constexpr unsigned kAll = (1u << 27) - 1;
    FishSearch search(grid, degree, finned, Family::Mutant, sink);
    for (int digit = 1; digit <= 9; ++digit)
        if (!search.run(digit, kAll, kAll)) return false;
    return true;
}

}  // namespace varendo::logic
