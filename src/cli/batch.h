#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/report.h"
#include "solver/exact_search.h"

namespace varendo {

// Thrown when standard output can take no more; a closed pipe ends the run quietly.
struct OutputClosed {
    bool broken_pipe;
};

// How each puzzle of a batch is run and reported.
struct BatchOptions {
    StepMode mode = StepMode::Off;
    bool json = false;
    bool path = false;  // each JSON object carries the path of its Solve
    int jobs = 1;  // threads that solve, each on a window of its own
};

// Solves puzzles on several threads and writes their reports, and the errors found on the
// way, in the order they came in: the output is the same whatever the number of threads.
// A bounded number of puzzles is in flight, so memory stays flat however long the input.
// With one job there is no thread: each puzzle is solved as it is read.
class Batch {
public:
    explicit Batch(const BatchOptions& options);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Reads a whole puzzle file; `name` is how errors name it.
    void read_file(std::FILE* file, const std::string& name);
    // A file that cannot be read, said on standard error in its place among the reports.
    void add_unreadable(const std::string& name, const char* why);
    // Writes what is left. Writing throws OutputClosed when standard output takes no more.
    void finish();

    bool had_bad_lines() const { return bad_lines_; }
    bool had_unreadable_file() const { return unreadable_; }

private:
    struct Item {
        Grid81 puzzle{};
        bool ready = false;
        std::string report;  // for standard output
        std::string error;   // for standard error
    };

    void add_puzzle(const Grid81& puzzle);
    void add_error(std::string line);
    // Takes a free place in the ring, waiting while it is full; returns its number.
    std::size_t reserve(std::unique_lock<std::mutex>& lock);
    // Writes the ready items at the head of the ring, in order; waits for the head when asked.
    void write_ready(std::unique_lock<std::mutex>& lock, bool wait);
    // Runs one puzzle on a window and leaves its report.
    void solve(MemoryWindow& window, const Grid81& puzzle, std::string& report) const;
    void work();

    BatchOptions options_;
    std::vector<Item> ring_;
    std::size_t head_ = 0;   // the next item to write
    std::size_t added_ = 0;  // items added so far
    std::deque<std::size_t> to_solve_;
    int idle_workers_ = 0;
    bool stopping_ = false;
    bool bad_lines_ = false;
    bool unreadable_ = false;
    std::mutex mutex_;
    std::condition_variable work_added_;
    std::condition_variable item_ready_;
    std::vector<std::thread> workers_;
    std::unique_ptr<MemoryWindow> own_window_;  // with one job, no thread
};

}  // namespace varendo
