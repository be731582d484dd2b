#pragma once

// Almost locked sets and the restricted common digits between them, shared by the ALS
// producers: ALS-XZ, ALS-XY-Wing, ALS-XY-Chain and Death Blossom.

#include <array>
#include <bitset>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "logic/candidate_grid.h"
#include "logic/step.h"

namespace varendo::logic {

using Cells = std::bitset<81>;

// Each cell's 20 peers as a set.
const std::array<Cells, 81>& peer_sets();

// An almost locked set: n unsolved cells of one house holding n + 1 digits. For each digit,
// its cells in the set and the cells outside that see them all.
struct Als {
    Cells cells;
    unsigned digits = 0;
    std::array<Cells, 9> holding{};
    std::array<Cells, 9> seeing{};
};

// Every set of the grid once, single bivalue cells included, house by house.
std::vector<Als> almost_locked_sets(const CandidateGrid& grid);

// A restricted common digit: in both sets, on no shared cell, and every cell of one that
// holds it sees every cell of the other that does: it is true in at most one of them.
bool restricted_common(const Als& a, const Als& b, int d);

// Two sets and their restricted common digits.
struct Link {
    std::size_t one, two;
    unsigned digits;
};

// A grid's sets and every link between them.
struct AlsTable {
    std::vector<Als> sets;
    std::vector<Link> links;
};
// The ALS producers run one after another on one grid, so each thread keeps the last grid's
// table rather than finding it again for each.
std::shared_ptr<const AlsTable> als_table(const CandidateGrid& grid);

CellSet cell_set(const Als& als);

// For each digit, the cells that hold it.
std::array<Cells, 9> digit_cells(const CandidateGrid& grid);

// Strikes digit d from the cells that see every cell of the sets holding it.
void strike(const CandidateGrid& grid, std::span<const Als* const> sets, int d, std::vector<Candidate>& struck);
inline void strike(const CandidateGrid& grid, std::initializer_list<const Als*> sets, int d, std::vector<Candidate>& struck) {
    strike(grid, std::span<const Als* const>(sets.begin(), sets.size()), d, struck);
}

// A step of the family: the sets in the order the technique uses them, its linking digits.
Step als_step(Technique technique, int rating, const std::vector<const Als*>& sets, unsigned digits,
              std::vector<Candidate>&& struck);

}  // namespace varendo::logic
