#include <vector>

#include "logic/almost_locked_sets.h"
#include "logic/producers.h"

namespace varendo::logic {

namespace {

// The search over one stem cell: a petal per stem digit, while the petals keep a digit in
// common that the stem lacks.
class Blossom {
public:
    Blossom(const CandidateGrid& grid, const std::vector<Als>& sets, const std::array<Cells, 9>& holders, int stem,
            const StepSink& sink)
        : grid_(grid), holders_(holders), stem_(stem), sink_(sink), stem_digits_(grid.candidates(stem)) {
        for (std::size_t k = 0; k < sets.size(); ++k)
            for (int d = 1; d <= 9; ++d)
                if ((stem_digits_ & digit_bit(d)) && sets[k].holding[d - 1].any() && sets[k].seeing[d - 1][stem])
                    petals_[d - 1].push_back(&sets[k]);
    }

    // False when the sink asked to stop.
    bool grow() {
        for (int d = 1; d <= 9; ++d)
            if ((stem_digits_ & digit_bit(d)) && petals_[d - 1].empty()) return true;
        return grow_from(1, kAllDigits & ~stem_digits_, holders_);
    }

private:
    // `common`: the digits the petals so far share, each with cells that see all its cells in
    // them (`victims`). Petals may overlap: each holds such a digit whenever the stem holds
    // its own digit.
    bool grow_from(int d, unsigned common, const std::array<Cells, 9>& victims) {
        while (d <= 9 && !(stem_digits_ & digit_bit(d))) ++d;
        if (d > 9) return bloom(common);
        for (const Als* petal : petals_[d - 1]) {
            std::array<Cells, 9> left{};
            unsigned still = 0;
            for (int z = 1; z <= 9; ++z)
                if ((common & petal->digits & digit_bit(z)) && (left[z - 1] = victims[z - 1] & petal->seeing[z - 1]).any())
                    still |= digit_bit(z);
            if (still == 0) continue;
            chosen_.push_back(petal);
            if (!grow_from(d + 1, still, left)) return false;
            chosen_.pop_back();
        }
        return true;
    }

    // Whichever digit the stem holds leaves its petal, which then holds every other digit:
    // a digit common to all the petals is true in one of them.
    bool bloom(unsigned common) {
        std::vector<Candidate> struck;
        for (int z = 1; z <= 9; ++z)
            if (common & digit_bit(z)) strike(grid_, chosen_, z, struck);
        if (struck.empty()) return true;
        Step step = als_step(Technique::DeathBlossom, 70, chosen_, stem_digits_, std::move(struck));
        step.cells = {static_cast<std::uint8_t>(stem_)};
        std::size_t k = 0;  // the petals in the order of the stem's digits
        for (int d = 1; d <= 9; ++d)
            if (stem_digits_ & digit_bit(d)) step.sets[k++].link = digit_bit(d);
        return sink_(std::move(step));
    }

    const CandidateGrid& grid_;
    const std::array<Cells, 9>& holders_;
    const int stem_;
    const StepSink& sink_;
    const unsigned stem_digits_;
    std::array<std::vector<const Als*>, 9> petals_{};
    std::vector<const Als*> chosen_;
};

}  // namespace

bool find_death_blossoms(const CandidateGrid& grid, const StepSink& sink) {
    const auto table = als_table(grid);
    const std::vector<Als>& sets = table->sets;
    const std::array<Cells, 9> holders = digit_cells(grid);
    for (int stem = 0; stem < 81; ++stem)
        if (grid.digit(stem) == 0 && mask_count(grid.candidates(stem)) >= 2 &&
            !Blossom(grid, sets, holders, stem, sink).grow())
            return false;
    return true;
}

}  // namespace varendo::logic
