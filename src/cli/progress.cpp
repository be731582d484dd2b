#include "cli/progress.h"

#include <cstdio>

namespace varendo {

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawGap = std::chrono::milliseconds(100);
// Back to the start of the line, and erase it.
constexpr const char* kErase = "\r\033[K";

}  // namespace

Progress::Progress(bool shown) : shown_(shown), start_(Clock::now()) {}

void Progress::item_done() {
    ++done_;
    if (!shown_) return;
    const Clock::time_point now = Clock::now();
    if (now - start_ < kQuietStart || (drawn_ && now - last_draw_ < kRedrawGap)) return;
    draw(now);
}

void Progress::draw(Clock::time_point now) {
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    char line[128];
    int length = std::snprintf(line, sizeof line, "%s%llu puzzles, %.0f/s", kErase,
                               static_cast<unsigned long long>(done_), static_cast<double>(done_) / elapsed);
    const double part = total_items_ > 0   ? static_cast<double>(done_) / static_cast<double>(total_items_)
                        : total_bytes_ > 0 ? static_cast<double>(bytes_read_) / static_cast<double>(total_bytes_)
                                           : 0;
    if (part > 0 && part <= 1 && length > 0) {
        const auto left = static_cast<long>(elapsed * (1 - part) / part + 0.5);
        std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), ", %ld:%02ld left",
                      left / 60, left % 60);
    }
    std::fputs(line, stderr);
    drawn_ = true;
    last_draw_ = now;
}

void Progress::clear() {
    if (!drawn_) return;
    std::fputs(kErase, stderr);
    drawn_ = false;
}

}  // namespace varendo
