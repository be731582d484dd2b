#pragma once

#include <chrono>
#include <cstdint>

namespace varendo {

// The one line on a terminal that tells how a long run is going: the puzzles done, the rate
// and, when the total is known, the time left. It shows once the run has lasted a second,
// is redrawn at most ten times a second, and is erased before any other line takes its place.
// Everything is called from the one thread that writes the output.
class Progress {
public:
    // Draws nothing unless `shown` (standard error is a terminal, and the user wants it).
    explicit Progress(bool shown);

    // The total, as a number of puzzles or as the bytes of the files to read.
    void set_total_items(std::uint64_t items) { total_items_ = items; }
    void set_total_bytes(std::uint64_t bytes) { total_bytes_ = bytes; }
    void add_bytes(long bytes) { bytes_read_ += static_cast<std::uint64_t>(bytes); }
    void item_done();
    // Erases the line, if shown.
    void clear();

private:
    using Clock = std::chrono::steady_clock;

    void draw(Clock::time_point now);

    bool shown_;
    bool drawn_ = false;
    Clock::time_point start_;
    Clock::time_point last_draw_;
    std::uint64_t done_ = 0;
    std::uint64_t total_items_ = 0;
    std::uint64_t total_bytes_ = 0;
    std::uint64_t bytes_read_ = 0;
};

}  // namespace varendo
