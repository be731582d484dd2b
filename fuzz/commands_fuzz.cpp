// Bytes decoded as a person's actions on one in-memory window, with the window's promises
// checked after every action.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "commands/memory_window.h"
#include "solver/units.h"

namespace {

using varendo::Button;
using varendo::MemoryWindow;

// Solve can take a while on an empty grid; a few per input keep the runs fast.
constexpr int kMaxSolves = 4;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "commands_fuzz: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition) fail(what);
}

enum class Phase { Created, Entering, Frozen };

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool is_digit_text(const std::string& text) {
    return text.size() == 1 && text[0] >= '1' && text[0] <= '9';
}

void check_cells(const MemoryWindow& w) {
    for (int i = 0; i < varendo::kCellCount; ++i) {
        const std::string text = w.cell_text(i);
        require(text.empty() || is_digit_text(text), "a cell holds something else than one digit");
    }
}

void check_enabled(const MemoryWindow& w, Phase phase) {
    require(w.button_enabled(Button::New), "New disabled");
    require(w.button_enabled(Button::Freeze) == (phase != Phase::Created), "Freeze in the wrong state");
    require(w.button_enabled(Button::Restart) == (phase == Phase::Frozen), "Restart in the wrong state");
    require(w.button_enabled(Button::Solve) == (phase == Phase::Frozen), "Solve in the wrong state");
    for (int i = 0; i < varendo::kCellCount; ++i) {
        require(w.cell_enabled(i) == (phase != Phase::Created), "a cell in the wrong enabled state");
        if (phase == Phase::Created) require(w.cell_text(i).empty(), "a cell filled before New");
    }
}

// Where the driver starts from: every value and its mask tell the same thing.
void check_masks(const varendo::Solver& s) {
    for (int k = 1; k <= varendo::kCellCount; ++k) {
        const int value = s.cell_value[k - 1];
        const int mask = s.cell_mask[k];
        if (value == varendo::kEmptyCell) require(mask == varendo::kAllDigits, "empty cell with a narrowed mask");
        else require(value >= 1 && value <= 9 && mask == (1 << value), "a value and its mask disagree");
    }
}

// Solve works on the solver's values, not on the boxes: a box the user edited after the last
// Freeze or Restart may show anything, so only the other boxes must show the solution.
void check_solution(const MemoryWindow& w, const std::array<bool, 81>& edited) {
    const varendo::Solver& s = w.solver();
    int grid[10][10] = {};
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const int index = varendo::index_of(row, column);
            const int d = s.cell_value[index];
            require(d >= 1 && d <= 9, "a solved grid with an empty cell");
            if (!edited[index])
                require(w.cell_text(index) == std::string(1, static_cast<char>('0' + d)),
                        "a box shows another digit than the solver holds");
            const int given = s.frozen_value[index + 1];
            if (given != varendo::kEmptyFrozen) require(given == d, "a given was changed by the solution");
            grid[row][column] = d;
        }
    }
    for (int a = 1; a <= 9; ++a) {
        unsigned rows = 0, columns = 0, boxes = 0;
        for (int b = 1; b <= 9; ++b) {
            rows |= 1u << grid[a][b];
            columns |= 1u << grid[b][a];
            const int row = 3 * ((a - 1) / 3) + (b - 1) / 3 + 1;
            const int column = 3 * ((a - 1) % 3) + (b - 1) % 3 + 1;
            boxes |= 1u << grid[row][column];
        }
        require(rows == 1022u && columns == 1022u && boxes == 1022u, "a solved grid repeats a digit");
    }
}

void check_step_file(const std::string& contents) {
    static const std::regex written(R"(" Column [1-9] row [1-9]  :Value[1-9]")");
    if (contents.empty()) return;
    require(contents.size() >= 2 && contents.ends_with("\r\n"), "the step file does not end with CR LF");
    std::size_t start = 0;
    while (start < contents.size()) {
        const std::size_t end = contents.find("\r\n", start);
        const std::string_view line(contents.data() + start, end - start);
        if (line.find('"') != std::string_view::npos) {
            require(std::regex_match(line.begin(), line.end(), written), "a malformed written line");
        } else {
            for (const char c : line) require(c >= 0x20 && c <= 0x7e, "a printed line with a stray byte");
        }
        start = end + 2;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    MemoryWindow w;
    Phase phase = Phase::Created;
    int solves = 0;
    std::array<bool, 81> edited{};
    check_enabled(w, phase);
    while (!in.empty()) {
        const int messages = w.message_count();
        const std::uint8_t op = in.next() % 10;
        bool solved = false;
        switch (op) {
        case 0:
            w.click(Button::New);
            phase = Phase::Entering;
            edited.fill(false);
            for (int i = 0; i < varendo::kCellCount; ++i) require(w.cell_text(i).empty(), "New left a cell filled");
            check_masks(w.solver());
            break;
        case 1: {  // any byte into a cell
            const int index = in.next() % varendo::kCellCount;
            const char key = static_cast<char>(in.next());
            const bool taken = w.type(index, key);
            if (phase == Phase::Created) require(!taken, "a cell took input before New");
            edited[index] = edited[index] || taken;
            break;
        }
        case 2: {  // a digit into a cell, so that puzzles arise often
            const int index = in.next() % varendo::kCellCount;
            if (w.type(index, static_cast<char>('1' + in.next() % 9))) edited[index] = true;
            break;
        }
        case 3: {
            const int index = in.next() % varendo::kCellCount;
            if (w.erase(index)) edited[index] = true;
            break;
        }
        case 4:
            if (w.click(Button::Freeze)) {
                phase = Phase::Frozen;
                edited.fill(false);
                check_masks(w.solver());
            }
            break;
        case 5:
            if (w.click(Button::Restart)) {
                edited.fill(false);
                check_masks(w.solver());
            }
            break;
        case 6:
        case 7:
            if (solves >= kMaxSolves) break;
            w.set_save_to_file(op == 7);
            if (w.click(Button::Solve)) {
                ++solves;
                require(w.message_count() == messages + 1, "a Solve without exactly one message");
                const std::string& label4 = w.caption(varendo::Label::Label4);
                require(label4 == "No" || label4.starts_with("Yes  "), "Label4 is neither No nor Yes");
                require(!w.step_file().is_open(), "the step file stayed open");
                solved = w.commands().outcome() == varendo::Outcome::Solved;
                check_step_file(w.step_file_contents());
            }
            break;
        case 8:
            w.click_check1();
            break;
        case 9:
            w.click_command19();
            break;
        }
        check_cells(w);
        check_enabled(w, phase);
        require(w.solver().pass_count >= 0 && w.solver().guess_count >= 0, "a counter wrapped");
        if (solved) check_solution(w, edited);
    }
    return 0;
}
