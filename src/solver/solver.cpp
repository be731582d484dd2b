#include "solver/solver.h"

#include <bit>
#include <utility>

#include "solver/elimination_passes.h"
#include "solver/line_buffer.h"
#include "solver/step_file.h"
#include "solver/units.h"

namespace varendo {

namespace {

// 2^v for a cell value: 2..512 for a digit, 0 for an empty cell (1023). Looked up rather
// than branched on, as the inner loops meet empty and filled cells in no order.
constexpr std::array<std::int16_t, 16> kValueMask = {0, 2, 4, 8, 16, 32, 64, 128, 256, 512, 0, 0, 0, 0, 0, 0};
static_assert((kEmptyCell & 15) == 15);

int value_mask(std::int16_t value) { return kValueMask[value & 15]; }

// A cell's mask at the start of a run, by its cell_value or its frozen_value: 2^v for a
// digit, all of 1..9 for an empty cell (1023 or 1022, so 15 or 14 in the low four bits).
constexpr std::array<std::int16_t, 16> kStartMask = {0, 2, 4, 8, 16, 32, 64, 128, 256, 512,
                                                     0, 0, 0, 0, kAllDigits, kAllDigits};
// The cell_value of a frozen_value.
constexpr std::array<std::int16_t, 16> kReloadValue = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, kEmptyCell, 0};
static_assert((kEmptyFrozen & 15) == 14);

// The digit whose mask is value (2^1 .. 2^9), or 0 for any other value.
int single_digit_of(std::int16_t value) {
    if (value < 2 || value > 512 || (value & (value - 1)) != 0) return 0;
    return std::countr_zero(static_cast<unsigned>(value));
}

}  // namespace

void Solver::write_bytes(std::string_view bytes) {
    if (!controls_.step_file().write(bytes)) throw StepFileFailure{};
}

void Solver::print_line(const Message& text) {
    LineBuffer line;
    text.render(line);
    line.append(kStepLineEnd);
    write_bytes(line.view());
}

void Solver::validate(const int& v) {
    digit_counter = static_cast<std::int16_t>(digit_counter + 1);
    const UnitCells& cells = unit_cells(v);
    const UnitKind kind = unit_kind(v);

    if (kind == UnitKind::Box) {
        for (int place = 1; place <= 9; ++place) {
            const std::int16_t value = cell_value[cells[place - 1] - 1];
            unit_value[place] = value == kEmptyCell ? 0 : value;
        }
    }

    // Only a unit that repeats a digit needs the pair search below, which finds the earliest
    // cell that has an equal one after it, paired with the earliest such cell.
    int seen = 0;
    int repeats = 0;
    for (const std::uint8_t k : cells) {
        const int bit = value_mask(cell_value[k - 1]);
        repeats |= seen & bit;
        seen |= bit;
    }
    if (repeats == 0) return;

    for (int a = 0; a < 9; ++a) {
        const std::int16_t value = cell_value[cells[a] - 1];
        if (value == kEmptyCell) continue;
        for (int b = a + 1; b < 9; ++b) {
            if (cell_value[cells[b] - 1] != value) continue;
            const int n = unit_number(v);
            switch (kind) {
            case UnitKind::Column:
                message = Message(Message::Kind::ColumnRepeat, n, value, cells[a], cells[b]);
                break;
            case UnitKind::Row:
                message = Message(Message::Kind::RowRepeat, n, value, cells[a], cells[b]);
                break;
            case UnitKind::Box:
                message = Message(Message::Kind::BoxRepeat, n, value);
                break;
            }
            is_valid = false;
            if (save_to_file) print_line(message);
            return;
        }
    }
}

std::int16_t Solver::latest_pos(std::int16_t& pos, std::int16_t& num) {
    // Subtracting 2^9 .. 2^1 from each mask in turn, as far as it goes, is for masks 0..1023
    // the AND over bits 1..9 and leaves only bit 0 behind; a negative mask passes no test.
    std::int16_t result = 0;
    if (pos >= 0 && num >= 0) result = static_cast<std::int16_t>(pos & num & kAllDigits);
    if (pos >= 0) pos = static_cast<std::int16_t>(pos & 1);
    if (num >= 0) num = static_cast<std::int16_t>(num & 1);
    digit_counter = 0;
    return result;
}

void Solver::write_pos(int loc, std::int16_t value) {
    const int d = single_digit_of(value);
    if (d == 0) return;
    const char digit = static_cast<char>('0' + d);
    controls_.set_cell_color(loc, kPlacedColor);
    controls_.set_cell_text(loc, std::string_view(&digit, 1));
    cell_value[loc] = static_cast<std::int16_t>(d);
    written_value = static_cast<std::int16_t>(d);
    if (controls_.check_state(CheckBox::Check2) != 1) return;

    LineBuffer line;
    line.append("\" Column ");
    line.append_number(column_of_index(loc));
    line.append(" row ");
    line.append_number(row_of_index(loc));
    line.append("  :Value");
    line.append_number(d);
    line.append('"');
    line.append(kStepLineEnd);
    write_bytes(line.view());
}

void Solver::possible(const int& p) {
    const UnitCells& cells = unit_cells(p);
    for (int j = 1; j <= 10; ++j) work_mask[j] = kAllDigits;
    unit_sum = 0;
    // An arithmetic sum, so a repeated digit carries into the next bit.
    for (const std::uint8_t k : cells)
        if (cell_value[k - 1] != kEmptyCell) unit_sum = static_cast<std::int16_t>(unit_sum + digit_mask(cell_value[k - 1]));
    for (int j = 1; j <= 9; ++j) {
        const std::int16_t value = cell_value[cells[j - 1] - 1];
        work_mask[j] = value == kEmptyCell ? static_cast<std::int16_t>(work_mask[j] - unit_sum) : digit_mask(value);
    }

    for (int j = 1; j <= 9; ++j) {
        const int k = cells[j - 1];
        const std::int16_t old = cell_mask[k];
        cell_mask[k] = latest_pos(cell_mask[k], work_mask[j]);
        if (cell_mask[k] == old) continue;
        no_progress = false;
        written_value = 0;
        write_pos(k - 1, cell_mask[k]);
        if (written_value != 0) report_placement(p, k, j, false);
    }

    for (int d = 1; d <= 9; ++d) {
        int count = 0;
        int place = 0;
        for (int j = 1; j <= 9; ++j) {
            std::int16_t mask = cell_mask[cells[j - 1]];
            std::int16_t bit = digit_mask(d);
            if (latest_pos(mask, bit) != digit_mask(d)) continue;
            ++count;
            place = j;
        }
        if (count != 1) continue;
        const int c = cells[place - 1];
        const std::int16_t old = cell_mask[c];
        cell_mask[c] = digit_mask(d);
        if (cell_mask[c] == old) continue;
        no_progress = false;
        written_value = 0;
        write_pos(c - 1, digit_mask(d));
        if (written_value != 0) report_placement(p, c, place, true);
    }
}

void Solver::report_step_line(int p, int k, int place, bool by_elimination) {
    const int n = unit_number(p);
    switch (unit_kind(p)) {
    case UnitKind::Column:
        message = Message(by_elimination ? Message::Kind::ColumnElimination : Message::Kind::ColumnReduction, n,
                          written_value, k);
        break;
    case UnitKind::Row:
        message = Message(Message::Kind::RowReduction, n, written_value, k);
        break;
    case UnitKind::Box:
        // Both methods name the place within the box.
        message = Message(Message::Kind::BoxReduction, n, written_value, place);
        break;
    }
    if (save_to_file) print_line(message);
}

void Solver::report_placement(int p, int k, int place, bool by_elimination) {
    // Apart, so that without a recorder nothing is kept across the printing call.
    if (recorder != nullptr) [[unlikely]]
        return report_and_record_placement(p, k, place, by_elimination);
    report_step_line(p, k, place, by_elimination);
}

void Solver::report_and_record_placement(int p, int k, int place, bool by_elimination) {
    report_step_line(p, k, place, by_elimination);
    record_placement(by_elimination ? PlacementKind::Unit : PlacementKind::Cell, k, p, place, 0);
}

void Solver::record_placement(PlacementKind kind, int k, int u, int place, int places) {
    recorder->placed({kind, static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(cell_value[k - 1]),
                      static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(place), static_cast<std::uint8_t>(places)},
                     pass_count);
}

void Solver::complete(const std::int16_t& c) {
    const UnitCells& cells = unit_cells(c);
    unit_sum = 0;
    if (unit_kind(c) == UnitKind::Box) {
        for (int place = 1; place <= 9; ++place) {
            const std::int16_t value = cell_value[cells[place - 1] - 1];
            unit_value[place] = value == kEmptyCell ? 0 : value;
        }
        // An empty box cell adds 2^0 = 1, which keeps the sum off 1022.
        for (int place = 1; place <= 9; ++place)
            unit_sum = static_cast<std::int16_t>(unit_sum + digit_mask(unit_value[place]));
    } else {
        int sum = 0;
        for (const std::uint8_t k : cells) sum += value_mask(cell_value[k - 1]);
        unit_sum = static_cast<std::int16_t>(sum);
    }
    if (unit_sum != kAllDigits) is_complete = false;
}

std::uint32_t Solver::repeating_units() const {
    std::array<int, 10> row_seen{};
    std::array<int, 10> box_seen{};
    std::array<int, 10> row_repeats{};
    std::array<int, 10> box_repeats{};
    std::uint32_t units = 0;
    for (int column = 1; column <= 9; ++column) {
        int column_seen = 0;
        int column_repeats = 0;
        for (int row = 1; row <= 9; ++row) {
            const int bit = value_mask(cell_value[index_of(row, column)]);
            const int box = box_of(row, column);
            column_repeats |= column_seen & bit;
            row_repeats[row] |= row_seen[row] & bit;
            box_repeats[box] |= box_seen[box] & bit;
            column_seen |= bit;
            row_seen[row] |= bit;
            box_seen[box] |= bit;
        }
        units |= static_cast<std::uint32_t>(column_repeats != 0) << column;
    }
    for (int n = 1; n <= 9; ++n) {
        units |= static_cast<std::uint32_t>(row_repeats[n] != 0) << (9 + n);
        units |= static_cast<std::uint32_t>(box_repeats[n] != 0) << (18 + n);
    }
    return units;
}

void Solver::validate_units(std::uint32_t repeating, bool stop_at_failure) {
    // validate fails exactly on the units that repeat a digit; on any other it only counts
    // itself (a box also copies its digits into unit_value, which complete overwrites).
    if (repeating == 0) {
        digit_counter = static_cast<std::int16_t>(digit_counter + kUnitCount);
        check_unit = kUnitCount + 1;
        return;
    }
    for (check_unit = 1; check_unit <= kUnitCount; ++check_unit) {
        if (stop_at_failure && !is_valid) break;
        if ((repeating >> check_unit & 1) != 0) {
            validate(check_unit);
        } else {
            digit_counter = static_cast<std::int16_t>(digit_counter + 1);
        }
    }
}

void Solver::main_function() {
    is_valid = true;
    valid_after = true;
    valid_before = true;
    solve_state = 1;
    no_progress = false;

    // A guess comes from a mask at the end of the passes, which holds no digit of its units:
    // the grid it leaves repeats no digit, and only the givens need the check.
    const bool placed_by_guess = std::exchange(guess_placed_, false);
    const std::uint32_t start_repeats = placed_by_guess ? 0 : repeating_units();
    validate_units(start_repeats, true);
    if (!is_valid) {
        valid_before = false;
        solve_state = 0;
        if (recorder != nullptr) recorder->repeated(start_repeats & (~start_repeats + 1), true, pass_count);
        return;
    }

    for (int k = 1; k <= kCellCount; ++k) cell_mask[k] = kStartMask[cell_value[k - 1] & 15];
    const std::uint32_t repeating = EliminationPasses(*this).until_stable();

    is_valid = true;
    validate_units(repeating, false);
    if (!is_valid) {
        valid_after = false;
        solve_state = -1;
        no_progress = true;
        if (recorder != nullptr) recorder->repeated(repeating, false, pass_count);
    }

    // The sum of nine powers of two is 1022 only when they are 2^1..2^9 once each, and a
    // unit with an empty cell adds up fewer powers (or an odd number, for a box): a unit is
    // complete exactly when it is full and repeats no digit. The last unit is still checked
    // for what complete leaves behind.
    is_complete = is_valid;
    for (int k = 1; k <= kCellCount && is_complete; ++k) is_complete = cell_value[k - 1] != kEmptyCell;
    complete_unit = kUnitCount;
    complete(complete_unit);
    complete_unit = kUnitCount + 1;

    if (!is_complete && solve_state != -1) {
        solve_state = 1234;
        message = Message(Message::Kind::Stall);
        if (save_to_file) print_line(message);
        if (recorder != nullptr) recorder->stalled(pass_count);
        guess_function();
    }
}

namespace {

// Per digit of one unit, how many of its cells still have the digit as a candidate, held
// as four bit planes of a binary counter (bit d of plane i is bit i of digit d's count).
struct PlaceCounts {
    unsigned planes[4] = {};

    void add(unsigned mask) {
        for (unsigned& plane : planes) {
            const unsigned carry = plane & mask;
            plane ^= mask;
            mask = carry;
        }
    }
    // The digits (as bits) with exactly n candidate cells.
    unsigned digits_with(int n) const {
        unsigned digits = static_cast<unsigned>(kAllDigits);
        for (int i = 0; i < 4; ++i) digits &= (n >> i & 1) != 0 ? planes[i] : ~planes[i];
        return digits;
    }
};

}  // namespace

void Solver::guess_function() {
    guess_count = saturating_increment(guess_count);
    {
        LineBuffer caption;
        caption.append("Yes  ");
        caption.append_number(guess_count);
        controls_.set_caption(Label::Label4, caption.view());
    }
    for (int k = 1; k <= kCellCount; ++k) saved_mask[k] = cell_mask[k];
    // latest_pos, called on every cell of every trial, leaves digit_counter at 0.
    digit_counter = 0;

    // Every trial (n, u, d) starts from the saved masks, so the number of places of digit d
    // in unit u is the same for every n. A trial can place a guess only in a cell that has
    // other candidates besides d and where d was never guessed; any other trial only forces
    // masks that the next trial puts back, so the search goes straight to the first trial
    // that guesses. Most searches end at n = 2, which a tally of each unit in turn decides.
    std::array<unsigned, kUnitCount + 1> guessable;  // every unit's is set before it is read
    for (int u = 1; u <= kUnitCount; ++u) {
        unsigned once = 0;
        unsigned twice = 0;
        unsigned thrice = 0;
        unsigned unit_guessable = 0;
        for (const std::uint8_t k : unit_cells(u)) {
            const auto mask = static_cast<unsigned>(saved_mask[k]);
            thrice |= twice & mask;
            twice |= once & mask;
            once |= mask;
            const unsigned undecided = (mask & (mask - 1)) != 0 ? ~0u : 0u;
            unit_guessable |= mask & ~static_cast<unsigned>(guess_mark[k]) & undecided;
        }
        guessable[u] = unit_guessable;
        const unsigned two_places = twice & ~thrice & unit_guessable;
        if (two_places != 0) return guess_in_unit(u, two_places, 2);
    }

    std::array<PlaceCounts, kUnitCount + 1> counts{};
    for (int u = 1; u <= kUnitCount; ++u)
        for (const std::uint8_t k : unit_cells(u)) counts[u].add(static_cast<unsigned>(saved_mask[k]));
    for (int n = 3; n <= 9; ++n) {
        for (int u = 1; u <= kUnitCount; ++u) {
            const unsigned digits = counts[u].digits_with(n) & guessable[u];
            if (digits != 0) return guess_in_unit(u, digits, n);
        }
    }
    // No guess is left: the masks the last trial forced are rebuilt before anyone reads them.
}

void Solver::guess_in_unit(int u, unsigned digits, int places) {
    // The trial for the lowest of the digits: its places are forced to it in unit order up
    // to the first one that takes the guess.
    const std::int16_t bit = digit_mask(std::countr_zero(digits));
    const UnitCells& cells = unit_cells(u);
    for (int j = 0; j < 9; ++j) {
        const std::uint8_t p = cells[j];
        const std::int16_t old = cell_mask[p];
        if ((old & bit) == 0) continue;
        cell_mask[p] = bit;
        if (old == bit || (guess_mark[p] & bit) != 0) continue;

        guess_mark[p] = static_cast<std::int16_t>(guess_mark[p] + bit);
        no_progress = false;
        written_value = 0;
        write_pos(p - 1, bit);
        if (recorder != nullptr) record_placement(PlacementKind::Guess, p, u, j + 1, places);
        guess_placed_ = true;
        main_function();
        return;
    }
}

void Solver::reload_fixed_puzzle() {
    for (int k = 1; k <= kCellCount; ++k) {
        // An empty cell of the fixed puzzle, 1022, is 14 in the low four bits.
        const int index = frozen_value[k] & 15;
        cell_value[k - 1] = kReloadValue[index];
        cell_mask[k] = kStartMask[index];
    }
}

}  // namespace varendo
