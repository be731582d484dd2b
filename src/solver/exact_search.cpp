#include "solver/exact_search.h"

#include <bit>
#include <cassert>

namespace varendo {
namespace {

// The grid is held digit by digit as bitboards split into three bands of three major lines:
// band k covers cells 27k..27k+26 and cell c is bit c % 27 of band c / 27. Each box lies
// inside one band, so lines and boxes are plain masks on one word.
using Word = std::uint32_t;
using Board = std::array<Word, 3>;

constexpr Word kBand = (Word{1} << 27) - 1;
constexpr Word kLine = 0x1FF;        // major line 0 of a band
constexpr Word kBox = 0x1C0E07;      // box 0 of a band: three cells in each of its lines
constexpr Word kMinorLine = 0x40201;  // minor line 0 within one band

constexpr int band_of(int cell) { return cell / 27; }
constexpr Word bit_of(int cell) { return Word{1} << (cell % 27); }
constexpr bool has_one(Word w) { return w != 0 && (w & (w - 1)) == 0; }
// The cell of the lowest set bit of band k.
constexpr int first_cell(int k, Word w) { return 27 * k + std::countr_zero(w); }

constexpr std::array<Board, 81> make_peers() {
    std::array<Board, 81> peers{};
    for (int c = 0; c < 81; ++c) {
        const int k = band_of(c);
        const int line = c % 27 / 9;
        const int minor = c % 9;
        for (int j = 0; j < 3; ++j) peers[c][j] = kMinorLine << minor;
        peers[c][k] |= (kLine << (9 * line)) | (kBox << (3 * (minor / 3)));
        peers[c][k] &= ~bit_of(c);
    }
    return peers;
}

constexpr auto kPeers = make_peers();

struct State {
    // cells[d]: the cells that may hold digit d + 1; a solved cell keeps only its own digit.
    std::array<Board, 9> cells;
    Board unsolved;
    unsigned unscanned;  // bit d: cells[d] changed since its last hidden single scan
    unsigned unlocked;   // bit d: a placement touched cells[d] since its last box/line pass
};

// Puts digit d in cell and strikes it from the peers. Placing the same digit twice is harmless.
bool place(State& s, int d, int cell) {
    const int k = band_of(cell);
    const Word bit = bit_of(cell);
    if ((s.cells[d][k] & bit) == 0) return false;
    unsigned touched = 1u << d;
    for (int e = 0; e < 9; ++e) {
        touched |= ((s.cells[e][k] & bit) != 0) << e;
        s.cells[e][k] &= ~bit;
    }
    for (int j = 0; j < 3; ++j) s.cells[d][j] &= ~kPeers[cell][j];
    s.unscanned |= touched;
    s.unlocked |= touched;
    s.cells[d][k] |= bit;
    s.unsolved[k] &= ~bit;
    return true;
}

// Cells of band k with at least one, two and three candidates.
struct Tally {
    Word once = 0;
    Word twice = 0;
    Word thrice = 0;
};

Tally tally(const State& s, int k) {
    Tally t;
    for (const Board& b : s.cells) {
        t.thrice |= t.twice & b[k];
        t.twice |= t.once & b[k];
        t.once |= b[k];
    }
    return t;
}

// Places cells left with one candidate until none is left. False when a cell has none.
bool naked_singles(State& s) {
    for (bool again = true; again;) {
        again = false;
        for (int k = 0; k < 3; ++k) {
            const Tally t = tally(s, k);
            if (t.once != kBand) return false;
            for (Word singles = ~t.twice & s.unsolved[k]; singles != 0; singles &= singles - 1) {
                const int cell = first_cell(k, singles);
                int d = 0;
                while (d < 9 && (s.cells[d][k] & bit_of(cell)) == 0) ++d;
                if (d == 9) return false;  // an earlier single took its last candidate
                place(s, d, cell);
                again = true;
            }
        }
    }
    return true;
}

// One pass of box/line interactions for one digit: when its cells in a box all lie in one
// line, the rest of that line loses it, and when its cells in a line all lie in one box, the
// rest of that box loses it.
void lock_candidates(Board& b) {
    std::array<Word, 3> minor_lines{};  // per band, the minor lines that still hold the digit
    for (int k = 0; k < 3; ++k) {
        // Bit 9i + 3j is set when line i meets box j on a cell that can hold the digit, so
        // bits 0, 3, 6 of a shifted copy cover a line and bits 0, 9, 18 a box.
        const Word segments = (b[k] | b[k] >> 1 | b[k] >> 2) & 0x1249249;
        for (int i = 0; i < 3; ++i) {
            const Word line = kLine << (9 * i);
            const Word in_line = (segments >> (9 * i)) & 0x49;
            if (has_one(in_line)) b[k] &= ~(kBox << std::countr_zero(in_line)) | line;
            const Word box = kBox << (3 * i);
            const Word in_box = (segments >> (3 * i)) & kMinorLine;
            if (has_one(in_box)) b[k] &= ~(kLine << std::countr_zero(in_box)) | box;
        }
        minor_lines[k] = (b[k] | b[k] >> 9 | b[k] >> 18) & kLine;
    }
    Word once = 0;
    Word twice = 0;
    for (const Word m : minor_lines) {
        twice |= once & m;
        once |= m;
    }
    for (int k = 0; k < 3; ++k) {
        for (Word m = minor_lines[k] & ~twice; m != 0; m &= m - 1) {
            const int minor = std::countr_zero(m);
            b[k] &= ~(kBox << (3 * (minor / 3))) | (kMinorLine << minor);
        }
        for (int j = 0; j < 3; ++j) {
            const Word in_box = minor_lines[k] & (7u << (3 * j));
            if (!has_one(in_box)) continue;
            const Word minor_line = in_box * kMinorLine;
            for (int other = 0; other < 3; ++other) {
                if (other != k) b[other] &= ~minor_line;
            }
        }
    }
}

// Places digit d wherever a unit has one open cell left for it. False when a unit has no
// room for d.
bool hidden_singles(State& s, int d, bool& placed) {
    const Board b = s.cells[d];
    std::array<int, 27> found;
    int n = 0;
    Word once = 0;
    Word twice = 0;
    Word open = 0;
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < 3; ++i) {
            const Word line = b[k] & (kLine << (9 * i));
            const Word box = b[k] & (kBox << (3 * i));
            if (line == 0 || box == 0) return false;
            if (has_one(line) && (line & s.unsolved[k]) != 0) found[n++] = first_cell(k, line);
            if (has_one(box) && (box & s.unsolved[k]) != 0) found[n++] = first_cell(k, box);
            const Word minor = (b[k] >> (9 * i)) & kLine;
            twice |= once & minor;
            once |= minor;
            open |= ((b[k] & s.unsolved[k]) >> (9 * i)) & kLine;
        }
    }
    if (once != kLine) return false;
    for (Word minor = once & ~twice & open; minor != 0; minor &= minor - 1) {
        const int m = std::countr_zero(minor);
        for (int k = 0; k < 3; ++k) {
            const Word col = b[k] & (kMinorLine << m);
            if (col != 0) found[n++] = first_cell(k, col);
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!place(s, d, found[i])) return false;
    }
    placed |= n > 0;
    return true;
}

// Singles first since they are cheap; box/line interactions only once singles run dry.
bool propagate(State& s) {
    for (;;) {
        if (!naked_singles(s)) return false;
        bool placed = false;
        while (s.unscanned != 0) {
            const int d = std::countr_zero(s.unscanned);
            s.unscanned &= s.unscanned - 1;
            if (!hidden_singles(s, d, placed)) return false;
        }
        if (placed) continue;
        // Box/line eliminations do not mark the digit unlocked again: repeating them costs
        // more than the extra eliminations save.
        while (s.unlocked != 0) {
            const int d = std::countr_zero(s.unlocked);
            s.unlocked &= s.unlocked - 1;
            const Board before = s.cells[d];
            lock_candidates(s.cells[d]);
            if (s.cells[d] != before) s.unscanned |= 1u << d;
        }
        if (s.unscanned == 0) return true;
    }
}

bool solved(const State& s) { return (s.unsolved[0] | s.unsolved[1] | s.unsolved[2]) == 0; }

// An open cell with the fewest candidates; two is the minimum once singles are gone.
int branch_cell(const State& s) {
    for (int k = 0; k < 3; ++k) {
        const Tally t = tally(s, k);
        const Word pairs = t.twice & ~t.thrice & s.unsolved[k];
        if (pairs != 0) return first_cell(k, pairs);
    }
    int best = -1;
    int best_count = 10;
    for (int cell = 0; cell < 81; ++cell) {
        if ((s.unsolved[band_of(cell)] & bit_of(cell)) == 0) continue;
        int count = 0;
        for (const Board& b : s.cells) count += (b[band_of(cell)] & bit_of(cell)) != 0;
        if (count < best_count) {
            best = cell;
            best_count = count;
        }
    }
    return best;
}

class Search {
public:
    explicit Search(int limit) : limit_(limit) {}

    void run(State& s) {
        if (solved(s)) {
            record(s);
            return;
        }
        const int cell = branch_cell(s);
        const int k = band_of(cell);
        for (int d = 0; d < 9 && result_.count < limit_; ++d) {
            if ((s.cells[d][k] & bit_of(cell)) == 0) continue;
            State next = s;
            if (place(next, d, cell) && propagate(next)) run(next);
        }
    }

    const SearchResult& result() const { return result_; }

private:
    void record(const State& s) {
        if (result_.count++ > 0) return;
        for (int d = 0; d < 9; ++d) {
            for (int k = 0; k < 3; ++k) {
                for (Word w = s.cells[d][k]; w != 0; w &= w - 1) {
                    result_.solution[first_cell(k, w)] = static_cast<std::uint8_t>(d + 1);
                }
            }
        }
    }

    int limit_;
    SearchResult result_;
};

}  // namespace

SearchResult find_solutions(const Grid81& givens, int limit) {
    assert(limit >= 1);
    State s{};
    for (Board& b : s.cells) b.fill(kBand);
    s.unsolved.fill(kBand);
    s.unscanned = 0x1FF;
    s.unlocked = 0x1FF;
    for (int cell = 0; cell < 81; ++cell) {
        assert(givens[cell] <= 9);
        if (givens[cell] != 0 && !place(s, givens[cell] - 1, cell)) return {};
    }
    if (!propagate(s)) return {};
    Search search(limit);
    search.run(s);
    return search.result();
}

}  // namespace varendo
