#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/progress.h"
#include "solver/exact_search.h"

namespace varendo {

// Thrown when standard output can take no more; a closed pipe ends the run quietly.
struct OutputClosed {
    bool broken_pipe;
};

// One piece of a batch's work: a puzzle read, or the number of a puzzle to make.
struct Task {
    Grid81 puzzle{};
    std::uint64_t number = 0;
};

// What a batch does with each task, on whichever thread takes it: what goes to standard
// output is left in `report`, and the reason when the task cannot be done in `error`
// (one line, without its end); false then.
class BatchStep {
public:
    virtual ~BatchStep() = default;
    virtual bool run(const Task& task, std::string& report, std::string& error) = 0;
};

// Each thread gets a step of its own (a window, say), made by this.
using StepFactory = std::function<std::unique_ptr<BatchStep>()>;

// Runs tasks on several threads and writes their reports, and the errors found on the way,
// in the order they came in: the output is the same whatever the number of threads. A
// bounded number of tasks is in flight, so memory stays flat however long the input. With
// one job there is no thread: each task is run as it is added.
class Batch {
public:
    // `progress`, when given, hears of every report written and is cleared before errors.
    Batch(int jobs, const StepFactory& make_step, Progress* progress = nullptr);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Reads a whole puzzle file, a task per puzzle; `name` is how errors name it.
    void read_file(std::FILE* file, const std::string& name);
    void add_task(const Task& task);
    // A file that cannot be read, said on standard error in its place among the reports.
    void add_unreadable(const std::string& name, const char* why);
    // Writes what is left. Writing throws OutputClosed when standard output takes no more.
    void finish();

    bool had_bad_lines() const { return bad_lines_; }
    bool had_unreadable_file() const { return unreadable_; }
    bool had_failed_task() const { return failed_task_; }

private:
    struct Item {
        Task task;
        bool ready = false;
        std::string report;  // for standard output
        std::string error;   // for standard error
    };

    void add_error(std::string line);
    // Takes a free place in the ring, waiting while it is full; returns its number.
    std::size_t reserve(std::unique_lock<std::mutex>& lock);
    // Writes the ready items at the head of the ring, in order; waits for the head when asked.
    void write_ready(std::unique_lock<std::mutex>& lock, bool wait);
    // Writes what is ready and sends it on.
    void flush_ready();
    // Runs a task and leaves the result in its item; the lock is not held.
    void run(BatchStep& step, const Task& task, std::string& report, std::string& error);
    void work(std::unique_ptr<BatchStep> step);

    std::vector<Item> ring_;
    Progress* progress_;
    std::size_t head_ = 0;   // the next item to write
    std::size_t added_ = 0;  // items added so far
    std::deque<std::size_t> to_run_;
    int idle_workers_ = 0;
    bool stopping_ = false;
    bool bad_lines_ = false;
    bool unreadable_ = false;
    bool failed_task_ = false;
    std::mutex mutex_;
    std::condition_variable work_added_;
    std::condition_variable item_ready_;
    std::vector<std::thread> workers_;
    std::unique_ptr<BatchStep> own_step_;  // with one job, no thread
};

}  // namespace varendo
