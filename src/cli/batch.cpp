#include "cli/batch.h"

#include <cerrno>
#include <cstring>

#include "cli/puzzle_reader.h"

namespace varendo {

namespace {

// Enough puzzles in flight to keep every thread busy while the head one is written.
constexpr std::size_t kItemsPerJob = 32;
constexpr std::size_t kKeptReportBytes = 16 * 1024;

void write(std::FILE* stream, const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()) throw OutputClosed{errno == EPIPE};
}

void flush(std::FILE* stream) {
    if (std::fflush(stream) != 0) throw OutputClosed{errno == EPIPE};
}

}  // namespace

Batch::Batch(const BatchOptions& options)
    : options_(options), ring_(kItemsPerJob * static_cast<std::size_t>(options.jobs)) {
    // One job is done here, in turn: handing each puzzle to a thread would cost more than
    // an easy puzzle takes.
    if (options.jobs == 1) {
        own_window_ = std::make_unique<MemoryWindow>();
        return;
    }
    for (int i = 0; i < options.jobs; ++i) workers_.emplace_back([this] { work(); });
}

Batch::~Batch() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_added_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void Batch::read_file(std::FILE* file, const std::string& name) {
    PuzzleReader reader(file);
    PuzzleLine line;
    while (reader.next(line)) {
        if (line.kind == PuzzleLine::Kind::Puzzle) {
            add_puzzle(line.cells);
        } else if (line.kind == PuzzleLine::Kind::Error) {
            bad_lines_ = true;
            add_error("varendo-solve: " + name + ":" + std::to_string(line.number) + ": " + line.error);
        }
    }
    if (reader.failed()) add_unreadable(name, std::strerror(errno));
}

void Batch::add_unreadable(const std::string& name, const char* why) {
    unreadable_ = true;
    add_error("varendo-solve: " + name + ": " + why);
}

void Batch::add_error(std::string line) {
    std::unique_lock lock(mutex_);
    Item& item = ring_[reserve(lock) % ring_.size()];
    item.error = std::move(line) + "\n";
    item.ready = true;
    write_ready(lock, false);
}

void Batch::add_puzzle(const Grid81& puzzle) {
    std::unique_lock lock(mutex_);
    const std::size_t number = reserve(lock);
    Item& item = ring_[number % ring_.size()];
    item.puzzle = puzzle;
    if (own_window_) {
        solve(*own_window_, puzzle, item.report);
        item.ready = true;
    } else {
        to_solve_.push_back(number);
        if (idle_workers_ > 0) work_added_.notify_one();
    }
    write_ready(lock, false);
}

void Batch::solve(MemoryWindow& window, const Grid81& puzzle, std::string& report) const {
    if (options_.path) window.commands().set_path_recording(true);
    run_puzzle(window, puzzle, options_.mode);
    const int solutions = count_solutions(window, puzzle);
    report.clear();
    if (options_.json)
        append_json_report(report, puzzle, window, solutions, options_.path);
    else
        append_text_report(report, window, solutions, options_.mode != StepMode::Off);
}

std::size_t Batch::reserve(std::unique_lock<std::mutex>& lock) {
    while (added_ - head_ == ring_.size()) write_ready(lock, true);
    return added_++;
}

void Batch::finish() {
    std::unique_lock lock(mutex_);
    while (head_ != added_) write_ready(lock, true);
}

void Batch::write_ready(std::unique_lock<std::mutex>& lock, bool wait) {
    if (wait) item_ready_.wait(lock, [this] { return ring_[head_ % ring_.size()].ready; });
    if (head_ == added_ || !ring_[head_ % ring_.size()].ready) return;
    while (head_ != added_ && ring_[head_ % ring_.size()].ready) {
        // Only this thread moves the head, and no worker touches a ready item: it is
        // written without holding up the workers.
        Item& item = ring_[head_ % ring_.size()];
        lock.unlock();
        write(stdout, item.report);
        if (!item.error.empty()) {
            flush(stdout);  // the results before an error come before it on a terminal too
            write(stderr, item.error);
        }
        lock.lock();
        // A long step file's report would otherwise keep its room in the ring for good.
        if (item.report.capacity() > kKeptReportBytes) std::string().swap(item.report);
        item.report.clear();
        item.error.clear();
        item.ready = false;
        ++head_;
    }
    // What is ready goes out in one piece; whatever comes next is still being solved.
    lock.unlock();
    flush(stdout);
    lock.lock();
}

void Batch::work() {
    MemoryWindow window;
    std::string report;
    for (;;) {
        std::size_t number = 0;
        Grid81 puzzle{};
        {
            std::unique_lock lock(mutex_);
            ++idle_workers_;
            work_added_.wait(lock, [this] { return stopping_ || !to_solve_.empty(); });
            --idle_workers_;
            if (stopping_) return;
            number = to_solve_.front();
            to_solve_.pop_front();
            puzzle = ring_[number % ring_.size()].puzzle;
        }
        solve(window, puzzle, report);
        bool head_done = false;
        {
            const std::lock_guard lock(mutex_);
            Item& item = ring_[number % ring_.size()];
            item.report.swap(report);
            item.ready = true;
            head_done = number == head_;
        }
        // The writer only ever waits for the head; waking it for others costs time.
        if (head_done) item_ready_.notify_one();
    }
}

}  // namespace varendo
