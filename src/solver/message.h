#pragma once

#include <string>
#include <string_view>

namespace varendo {

class LineBuffer;

// The solver's last failure or step text. The solver records what happened and the text is
// made only when somebody reads it: most step lines are never read.
class Message {
public:
    enum class Kind {
        Empty,
        ColumnRepeat,     // a: column, b: digit, c: first cell, d: second cell
        RowRepeat,        // a: row, b: digit, c: first cell, d: second cell
        BoxRepeat,        // a: box, b: digit
        ColumnReduction,  // a: column, b: digit, c: cell
        RowReduction,     // a: row, b: digit, c: cell
        BoxReduction,     // a: box, b: digit, c: place 1..9 within the box
        ColumnElimination,  // a: column, b: digit, c: cell
        Stall,
    };

    Message() = default;
    Message(Kind kind, int a = 0, int b = 0, int c = 0, int d = 0)
        : kind_(kind), a_(a), b_(b), c_(c), d_(d) {}

    Kind kind() const { return kind_; }
    void render(LineBuffer& line) const;
    std::string text() const;

    friend bool operator==(const Message&, const Message&) = default;

private:
    Kind kind_ = Kind::Empty;
    int a_ = 0;
    int b_ = 0;
    int c_ = 0;
    int d_ = 0;
};

}  // namespace varendo
