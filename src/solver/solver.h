#pragma once

#include <array>
#include <cstdint>

#include "solver/controls.h"
#include "solver/message.h"
#include "solver/path_recorder.h"

namespace varendo {

constexpr std::int16_t kEmptyCell = 1023;    // an empty cell in cell_value
constexpr std::int16_t kEmptyFrozen = 1022;  // an empty cell in frozen_value
constexpr std::int16_t kAllDigits = 1022;    // the mask of the digits 1..9 (bit d for digit d)
constexpr std::int16_t kCounterLimit = 32767;

// 2^d: the mask of digit d alone.
constexpr std::int16_t digit_mask(int d) { return static_cast<std::int16_t>(1 << d); }

// Adds one to a work counter; it stops at 32767 instead of wrapping.
constexpr std::int16_t saturating_increment(std::int16_t counter) {
    return counter < kCounterLimit ? static_cast<std::int16_t>(counter + 1) : counter;
}

// Thrown when a write to the step file fails; the Solve command catches it.
struct StepFileFailure {};

// The solver state and its procedures. The procedures talk to each other only through
// these fields, so the fields are public and keep their names.
//
// Array bases: cell_value holds cell k at index k - 1; cell_mask, frozen_value, saved_mask
// and guess_mark hold cell k at index k. unit_value and work_mask use places 1..9.
class Solver {
public:
    explicit Solver(Controls& controls) : controls_(controls) {}

    std::array<std::int16_t, 83> cell_value{};
    std::array<std::int16_t, 83> cell_mask{};
    std::array<std::int16_t, 83> frozen_value{};
    std::array<std::int16_t, 83> saved_mask{};
    std::array<std::int16_t, 83> guess_mark{};
    std::array<std::int16_t, 11> unit_value{};
    std::array<std::int16_t, 11> work_mask{};
    std::int16_t unit_sum = 0;

    int check_unit = 0;
    std::int16_t complete_unit = 0;

    bool no_progress = false;
    bool is_valid = false;
    bool is_complete = false;
    bool valid_before = false;
    bool valid_after = false;
    // 1 running or solved, 0 repeat in the starting grid, -1 repeat after elimination,
    // 1234 stalled and guessing.
    std::int16_t solve_state = 0;
    std::int16_t written_value = 0;
    std::int16_t pass_count = 0;
    std::int16_t guess_count = 0;
    std::int16_t difficulty = 0;
    Message message;
    bool save_to_file = false;
    std::int16_t digit_counter = 0;
    // Told of every placement, stall and repeat when set; null unless a path is recorded.
    PathRecorder* recorder = nullptr;

    // Checks unit v for a repeated digit.
    void validate(const int& v);
    // Narrows the candidate masks of unit p and fills the cells this decides.
    void possible(const int& p);
    // The digits 1..9 set in both masks; uses up both arguments (each keeps only its bit 0).
    // The inner loops work the same AND out in place.
    std::int16_t latest_pos(std::int16_t& pos, std::int16_t& num);
    // Places digit d in box index loc when value is exactly 2^d.
    void write_pos(int loc, std::int16_t value);
    // Clears is_complete unless unit c holds 1..9 once each.
    void complete(const std::int16_t& c);
    // One logical run: validate, build masks, eliminate to a fixed point, validate, check
    // completeness, and guess when stalled.
    void main_function();
    // Places one untried guess and runs main_function on the new grid.
    void guess_function();

    // Reloads the fixed puzzle into cell_value and cell_mask, leaving the cell boxes alone.
    void reload_fixed_puzzle();
    // Completes the fixed puzzle with the complete search when its givens have a solution:
    // reloads it and places every missing digit through write_pos, in cell order. Returns
    // how many solutions the givens have, 0, 1, or 2 for two or more; with none, nothing
    // changes.
    int complete_by_search();

private:
    friend class EliminationPasses;

    // The units (bit u) that repeat a digit in cell_value.
    std::uint32_t repeating_units() const;
    // A validation sweep over units 1..27, which stops after the first failure when asked,
    // given the units that repeat a digit.
    void validate_units(std::uint32_t repeating, bool stop_at_failure);
    // After possible placed written_value in cell k (place 1..9 in unit p): the step line,
    // kept in message and printed when asked.
    void report_placement(int p, int k, int place, bool by_elimination);
    void report_step_line(int p, int k, int place, bool by_elimination);
    [[gnu::noinline]] void report_and_record_placement(int p, int k, int place, bool by_elimination);
    // Tells the recorder of the digit placed in cell k, decided by unit u (place 1..9 there).
    void record_placement(PlacementKind kind, int k, int u, int place, int places);
    // Places the guess of the first trial that can guess, for the lowest of the digits in
    // unit u (each with that many places there), and runs main_function on the new grid.
    void guess_in_unit(int u, unsigned digits, int places);

    // Prints a text unchanged as one line of the step file.
    void print_line(const Message& text);
    void write_bytes(std::string_view bytes);

    Controls& controls_;
    // Set by guess_function for the run it starts: that run's grid needs no first check.
    bool guess_placed_ = false;
};

}  // namespace varendo
