#include "solver/message.h"

#include <charconv>

#include "solver/line_buffer.h"

namespace varendo {

void LineBuffer::append_cut(std::string_view text) {
    const std::size_t count = sizeof data_ - size_;
    text.copy(data_ + size_, count);
    size_ += count;
}

void LineBuffer::append_any_number(int number) {
    const auto result = std::to_chars(data_ + size_, data_ + sizeof data_, number);
    if (result.ec == std::errc{}) size_ = static_cast<std::size_t>(result.ptr - data_);
}

void Message::render(LineBuffer& line) const {
    switch (kind_) {
    case Kind::Empty:
        return;
    case Kind::ColumnRepeat:
    case Kind::RowRepeat:
        line.append(kind_ == Kind::ColumnRepeat ? "   Validation failed for column "
                                                : "   Validation failed for row ");
        line.append_number(a_);
        line.append(" - The number ");
        line.append_number(b_);
        line.append(" is getting repeated   ");
        line.append_number(c_);
        line.append("  ");
        line.append_number(d_);
        return;
    case Kind::BoxRepeat:
        line.append("   Validation failed for 3x3 box ");
        line.append_number(a_);
        line.append(" - The number ");
        line.append_number(b_);
        line.append(" is getting repeated.   ");
        return;
    case Kind::ColumnReduction:
    case Kind::RowReduction:
    case Kind::BoxReduction:
        line.append(kind_ == Kind::ColumnReduction ? "Reducing column "
                    : kind_ == Kind::RowReduction  ? "Reducing row "
                                                   : "Reducing 3x3 box ");
        line.append_number(a_);
        line.append(" for the value ");
        line.append_number(b_);
        line.append(" at position ");
        line.append_number(c_);
        return;
    case Kind::ColumnElimination:
        line.append("THIS IS TRICKY : Reducing column ");
        line.append_number(a_);
        line.append(" for the value ");
        line.append_number(b_);
        line.append(" by elimination method. at position ");
        line.append_number(c_);
        return;
    case Kind::Stall:
        line.append(
            "Sudocu can not be completed beyond this point without guessing. Sudoku may or may "
            "not be solvable.");
        return;
    }
}

std::string Message::text() const {
    LineBuffer line;
    render(line);
    return std::string(line.view());
}

}  // namespace varendo
