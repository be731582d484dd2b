#include "solver/solver.h"

#include <bit>

#include "solver/step_file.h"
#include "solver/units.h"

namespace varendo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The digit whose mask is value (2^1 .. 2^9), or 0 for any other value.
int single_digit_of(std::int16_t value) {
    if (value < 2 || value > 512 || !std::has_single_bit(static_cast<unsigned>(value))) return 0;
    return std::countr_zero(static_cast<unsigned>(value));
}

}  // namespace

void Solver::write_bytes(std::string_view bytes) {
    if (!controls_.step_file().write(bytes)) throw StepFileFailure{};
}

void Solver::print_line(const Message& text) {
    LineBuffer line;
    text.render(line);
    line.append(kLineEnd);
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
    unsigned seen = 0;
    bool repeats = false;
    for (const std::uint8_t k : cells) {
        const std::int16_t value = cell_value[k - 1];
        if (value == kEmptyCell) continue;
        const unsigned bit = 1u << value;
        repeats = repeats || (seen & bit) != 0;
        seen |= bit;
    }
    if (!repeats) return;

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
    line.append(kLineEnd);
    write_bytes(line.view());
}

void Solver::possible(const int& p) {
    const UnitCells& cells = unit_cells(p);
    const UnitKind kind = unit_kind(p);
    const int n = unit_number(p);

    for (int j = 1; j <= 10; ++j) work_mask[j] = kAllDigits;
    unit_sum = 0;

    // An arithmetic sum, not an OR: a repeated digit carries into the next bit.
    for (const std::uint8_t k : cells) {
        const std::int16_t value = cell_value[k - 1];
        if (value != kEmptyCell) unit_sum = static_cast<std::int16_t>(unit_sum + digit_mask(value));
    }
    for (int j = 1; j <= 9; ++j) {
        const std::int16_t value = cell_value[cells[j - 1] - 1];
        work_mask[j] = value == kEmptyCell ? static_cast<std::int16_t>(work_mask[j] - unit_sum)
                                           : digit_mask(value);
    }

    // Mask reduction, with the allowed masks worked out before it.
    for (int j = 1; j <= 9; ++j) {
        const int k = cells[j - 1];
        const std::int16_t old = cell_mask[k];
        cell_mask[k] = latest_pos(cell_mask[k], work_mask[j]);
        if (cell_mask[k] == old) continue;
        no_progress = false;
        written_value = 0;
        write_pos(k - 1, cell_mask[k]);
        if (written_value == 0) continue;
        switch (kind) {
        case UnitKind::Column:
            message = Message(Message::Kind::ColumnReduction, n, written_value, k);
            break;
        case UnitKind::Row:
            message = Message(Message::Kind::RowReduction, n, written_value, k);
            break;
        case UnitKind::Box:
            message = Message(Message::Kind::BoxReduction, n, written_value, j);
            break;
        }
        if (save_to_file) print_line(message);
    }

    // The elimination method: a digit with one candidate cell left in the unit goes there.
    // Each digit sees the placements made for the lower digits.
    for (int d = 1; d <= 9; ++d) {
        const std::int16_t bit = digit_mask(d);
        int count = 0;
        int candidate_place = 0;
        for (int j = 1; j <= 9; ++j) {
            std::int16_t mask = cell_mask[cells[j - 1]];
            std::int16_t digit = bit;
            if (latest_pos(mask, digit) == bit) {
                ++count;
                candidate_place = j;
            }
        }
        if (count != 1) continue;
        const int c = cells[candidate_place - 1];
        const std::int16_t old = cell_mask[c];
        cell_mask[c] = bit;
        if (cell_mask[c] == old) continue;
        no_progress = false;
        written_value = 0;
        write_pos(c - 1, bit);
        if (written_value == 0) continue;
        switch (kind) {
        case UnitKind::Column:
            message = Message(Message::Kind::ColumnElimination, n, written_value, c);
            break;
        case UnitKind::Row:
            message = Message(Message::Kind::RowReduction, n, written_value, c);
            break;
        case UnitKind::Box:
            // The box line names the place within the box, as the mask reduction's does.
            message = Message(Message::Kind::BoxReduction, n, written_value, candidate_place);
            break;
        }
        if (save_to_file) print_line(message);
    }
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
        for (const std::uint8_t k : cells) {
            const std::int16_t value = cell_value[k - 1];
            if (value != kEmptyCell) unit_sum = static_cast<std::int16_t>(unit_sum + digit_mask(value));
        }
    }
    if (unit_sum != kAllDigits) is_complete = false;
}

void Solver::main_function() {
    is_valid = true;
    valid_after = true;
    valid_before = true;
    solve_state = 1;
    no_progress = false;

    for (check_unit = 1; check_unit <= kUnitCount; ++check_unit) {
        if (!is_valid) break;
        validate(check_unit);
    }
    if (!is_valid) {
        valid_before = false;
        solve_state = 0;
        return;
    }

    for (int k = 1; k <= kCellCount; ++k) {
        const std::int16_t value = cell_value[k - 1];
        cell_mask[k] = value == kEmptyCell ? kAllDigits : digit_mask(value);
    }

    while (!no_progress) {
        pass_count = saturating_increment(pass_count);
        no_progress = true;
        for (reduce_unit = 1; reduce_unit <= kUnitCount; ++reduce_unit) possible(reduce_unit);
    }

    is_valid = true;
    for (check_unit = 1; check_unit <= kUnitCount; ++check_unit) validate(check_unit);
    if (!is_valid) {
        valid_after = false;
        solve_state = -1;
        no_progress = true;
    }

    is_complete = true;
    for (complete_unit = 1; complete_unit <= kUnitCount; ++complete_unit) complete(complete_unit);

    if (!is_complete && solve_state != -1) {
        solve_state = 1234;
        message = Message(Message::Kind::Stall);
        if (save_to_file) print_line(message);
        guess_function();
    }
}

void Solver::guess_function() {
    guess_count = saturating_increment(guess_count);
    {
        LineBuffer caption;
        caption.append("Yes  ");
        caption.append_number(guess_count);
        controls_.set_caption(Label::Label4, caption.view());
    }
    for (int k = 1; k <= kCellCount; ++k) saved_mask[k] = cell_mask[k];

    std::array<int, 11> place_list{};
    for (int n = 2; n <= 9; ++n) {
        for (int u = 1; u <= kUnitCount; ++u) {
            const UnitCells& cells = unit_cells(u);
            for (int d = 1; d <= 9; ++d) {
                const std::int16_t bit = digit_mask(d);
                for (int k = 1; k <= kCellCount; ++k) cell_mask[k] = saved_mask[k];

                int count = 0;
                for (digit_counter = 1; digit_counter <= 9; ++digit_counter) place_list[digit_counter] = 0;
                for (const std::uint8_t k : cells) {
                    std::int16_t mask = cell_mask[k];
                    std::int16_t digit = bit;
                    if (latest_pos(mask, digit) == bit) place_list[++count] = k;
                }
                if (count != n) continue;

                for (int j = 1; j <= n; ++j) {
                    const int p = place_list[j];
                    const std::int16_t old = cell_mask[p];
                    std::int16_t mask = cell_mask[p];
                    std::int16_t digit = bit;
                    if (latest_pos(mask, digit) == bit) cell_mask[p] = bit;
                    if (cell_mask[p] == old) continue;
                    std::int16_t tried = guess_mark[p];
                    digit = bit;
                    if (latest_pos(digit, tried) == bit) continue;

                    guess_mark[p] = static_cast<std::int16_t>(guess_mark[p] + bit);
                    no_progress = false;
                    written_value = 0;
                    write_pos(p - 1, bit);
                    if (written_value != 0) {
                        main_function();
                        return;
                    }
                }
            }
        }
    }
}

void Solver::reload_fixed_puzzle() {
    for (int k = 1; k <= kCellCount; ++k) {
        if (frozen_value[k] == kEmptyFrozen) {
            cell_mask[k] = kAllDigits;
            cell_value[k - 1] = kEmptyCell;
        } else {
            cell_value[k - 1] = frozen_value[k];
            cell_mask[k] = digit_mask(frozen_value[k]);
        }
    }
}

}  // namespace varendo
