#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varendo {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr Rgb kTypedColor{0, 0, 0};
constexpr Rgb kGivenColor{255, 100, 100};
constexpr Rgb kPlacedColor{0, 0, 255};

enum class Button { New, Freeze, Restart, Solve };
enum class Label { Label1, Label4 };
enum class CheckBox { Check1, Check2 };

class StepFile;

// The window as the solver and the commands see it: the operations they need on its
// controls, plus the step file. The Qt window implements it with widgets, the command-line
// tool and the tests in memory.
class Controls {
public:
    virtual ~Controls() = default;

    // Cell boxes, by index 0..80 (the index runs down the columns). Setting a text raises
    // the window's text-changed event, so the cell input filter sees the program's own changes.
    virtual std::string cell_text(int index) const = 0;
    virtual void set_cell_text(int index, std::string_view text) = 0;
    virtual void set_cell_color(int index, Rgb color) = 0;
    virtual void set_cell_enabled(int index, bool enabled) = 0;
    virtual void set_cell_max_length(int index, int length) = 0;

    virtual void set_caption(Label label, std::string_view caption) = 0;
    virtual void set_button_enabled(Button button, bool enabled) = 0;

    // Check box states: 0 unchecked, 1 checked, 2 greyed.
    virtual int check_state(CheckBox box) const = 0;
    virtual void set_check_state(CheckBox box, int state) = 0;

    // A modal box titled "Varendo" with only an OK button and no icon.
    virtual void show_message(std::string_view text) = 0;
    // The box of a failed step file; a window may add which file and why (see
    // StepFile::error()) beside the text.
    virtual void show_step_file_failure(std::string_view text) { show_message(text); }

    virtual StepFile& step_file() = 0;
};

}  // namespace varendo
