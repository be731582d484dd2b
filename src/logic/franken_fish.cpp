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
            for (unsigned rest = grid_.positions(h, digit); rest != 0; rest &= rest - 1)
                places_[h].set(house_cells(h)[std::countr_zero(rest)]);
            sizes_[h] = mask_count(grid_.positions(h, digit));
            all_ = all_ | places_[h];
        }
        return choose_bases(base_houses, 0, 0, 0, {}, {}, 0);
    }

private:
    bool choose_bases(unsigned allowed, int from, int count, unsigned chosen, CellBits cells, CellBits endo,
                      int endo_count) {
        if (count == degree_) {
            if (family_ == Family::Franken && !(chosen & ~kBoxHouses)) return true;  // a line among the bases
            bases_ = chosen;
            base_cells_ = cells;
            endo_ = endo;
            endo_count_ = endo_count;
            meeting_ = 0;  // only houses that hold base places can be covers
            for (unsigned rest = cover_houses_ & ~chosen; rest != 0; rest &= rest - 1)
                if ((places_[std::countr_zero(rest)] & cells).any()) meeting_ |= rest & -rest;
            return choose_covers(0, 0, 0, {}, {}, {}, 0, common_peers(endo), 0);
        }
        for (int h = from; h < 27; ++h) {
            if (!(allowed & (1u << h)) || sizes_[h] == 0) continue;
            // A cover meets a base house in three places at most (a box and a line).
            if (!finned_ && sizes_[h] > 3 * degree_) continue;
            const CellBits overlap = cells & places_[h];
            int more = endo_count;
            if (overlap.any()) {
                more = (endo | overlap).count();
                if (!finned_ || more > kMaxEndoFins) continue;
            }
            if (!choose_bases(allowed, h + 1, count + 1, chosen | (1u << h), cells | places_[h], endo | overlap, more))
                return false;
        }
        return true;
    }

    // Covers the lowest base place not yet covered by one of its houses, or makes it a fin; once
    // every place is settled, any house meeting the base places may be added (from `extra` on).
    // `seen` holds the cells that see every fin.
    bool choose_covers(int count, unsigned chosen, unsigned excluded, CellBits covered, CellBits shared, CellBits fins,
                       int fin_count, CellBits seen, int extra) {
        unsigned candidates = meeting_ & ~excluded & ~chosen;
        // A Franken fish has a line among its covers, and a box among its bases or covers: the
        // last covers bring what is missing.
        if (family_ == Family::Franken) {
            const unsigned lines = cover_houses_ & ~kBoxHouses;
            const bool need_line = !(chosen & lines), need_box = !((bases_ | chosen) & kBoxHouses);
            const int needs = need_line + need_box;
            if (needs > degree_ - count) return true;
            if (needs == degree_ - count) candidates &= (need_line ? lines : 0) | (need_box ? kBoxHouses : 0);
        }
        unsigned usable = 0;
        CellBits reach = covered, twice = shared;
        for (unsigned rest = candidates; rest != 0; rest &= rest - 1) {
            const int h = std::countr_zero(rest);
            if ((places_[h] & fins).any()) continue;
            usable |= 1u << h;
            twice = twice | (reach & places_[h]);
            reach = reach | places_[h];
        }
        // What could still go: cover places outside the base, or base places in two covers.
        const CellBits strikable = all_ & (reach.without(base_cells_) | (twice & base_cells_));
        CellBits open = base_cells_.without(endo_).without(covered).without(fins);
        // Places no usable house holds are fins; what goes must be in a cover and see them all.
        const CellBits forced = open.without(reach);
        if (forced.any()) {
            fin_count += forced.count();
            if (!finned_ || fin_count + endo_count_ > kMaxFins) return true;
            fins = fins | forced;
            seen = seen & common_peers(forced);
            open = open.without(forced);
        }
        if (fin_count + endo_count_ > 0 && !(seen & strikable).any()) return true;
        const auto add = [&](int h, int next_extra) {
            return choose_covers(count + 1, chosen | (1u << h), excluded, covered | places_[h],
                                 shared | (covered & places_[h]), fins, fin_count, seen, next_extra);
        };
        // The last cover: the open places outside it are fins too.
        if (count + 1 == degree_) {
            for (unsigned rest = usable & (~0u << (open.any() ? 0 : extra)); rest != 0; rest &= rest - 1) {
                const int h = std::countr_zero(rest);
                const CellBits last = open.without(places_[h]);
                if ((fin_count + endo_count_ > 0 || last.any()) != finned_ ||
                    (last.any() && fin_count + endo_count_ + last.count() > kMaxFins))
                    continue;
                CellBits struck = (covered | places_[h]).without(base_cells_) | shared | (covered & places_[h]);
                if (finned_) struck = struck & seen & common_peers(last);
                if (struck.any() && family_of(bases_, chosen | (1u << h)) == family_ &&
                    !emit(chosen | (1u << h), fins | last | endo_, struck))
                    return false;
            }
            return true;
        }
        if (!open.any()) {
            for (int h = extra; h < 27; ++h)
                if ((usable & (1u << h)) && !add(h, h + 1)) return false;
            return true;
        }
        const int cell = open.first();
        for (int h : houses_of(cell)) {
            if (!(usable & (1u << h))) continue;
            if (!add(h, 0)) return false;
            excluded |= 1u << h;  // later branches leave this house out: it has been tried
        }
        if (!finned_ || fin_count + endo_count_ >= kMaxFins || !(seen & peer_bits(cell) & strikable).any()) return true;
        fins.set(cell);
        return choose_covers(count, chosen, excluded, covered, shared, fins, fin_count + 1, seen & peer_bits(cell), 0);
    }

    bool emit(unsigned covers, CellBits fins, CellBits struck) {
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
    unsigned bases_ = 0, meeting_ = 0;
    CellBits base_cells_, endo_;
    int endo_count_ = 0;
    int sizes_[27] = {};  // how many places each house has
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
