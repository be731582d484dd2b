#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace varendo {

// Builds a line of text without touching the heap; long enough for every step line, and
// text beyond its end is cut off. The common cases are inline: step files run to
// thousands of lines per puzzle.
class LineBuffer {
public:
    void append(std::string_view text) {
        if (text.size() > sizeof data_ - size_) return append_cut(text);
        std::memcpy(data_ + size_, text.data(), text.size());
        size_ += text.size();
    }
    void append(char c) {
        if (size_ < sizeof data_) data_[size_++] = c;
    }
    void append_number(int number) {
        if (number < 0 || number > 99 || sizeof data_ - size_ < 2) return append_any_number(number);
        if (number > 9) data_[size_++] = static_cast<char>('0' + number / 10);
        data_[size_++] = static_cast<char>('0' + number % 10);
    }
    std::string_view view() const { return {data_, size_}; }

private:
    void append_cut(std::string_view text);
    void append_any_number(int number);

    char data_[160];
    std::size_t size_ = 0;
};

}  // namespace varendo
