#include "cli/batch.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

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

Batch::Batch(int jobs, const StepFactory& make_step, Progress* progress)
    : ring_(kItemsPerJob * static_cast<std::size_t>(jobs)), progress_(progress) {
    // One job is done here, in turn: handing each puzzle to a thread would cost more than
    // an easy puzzle takes.
    if (jobs == 1) {
        own_step_ = make_step();
        return;
    }
    for (int i = 0; i < jobs; ++i) workers_.emplace_back([this, step = make_step()]() mutable { work(std::move(step)); });
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
    // Results go out as they are ready when the next line may keep the reader waiting (a
    // pipe, a terminal); from a file on disk they go out in big writes.
    struct stat status {};
    const bool may_wait = fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode);
    PuzzleLine line;
    Task task;
    for (;;) {
        const long before = reader.bytes_read();
        if (!reader.next(line)) break;
        if (progress_ != nullptr) progress_->add_bytes(reader.bytes_read() - before);
        if (line.kind == PuzzleLine::Kind::Puzzle) {
            task.puzzle = line.cells;
            add_task(task);
        } else if (line.kind == PuzzleLine::Kind::Error) {
            bad_lines_ = true;
            add_error("varendo-solve: " + name + ":" + std::to_string(line.number) + ": " + line.error);
        }
        if (may_wait) flush_ready();
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

void Batch::add_task(const Task& task) {
    std::unique_lock lock(mutex_);
    const std::size_t number = reserve(lock);
    Item& item = ring_[number % ring_.size()];
    item.task = task;
    if (own_step_) {
        lock.unlock();
        run(*own_step_, task, item.report, item.error);
        lock.lock();
        item.ready = true;
    } else {
        to_run_.push_back(number);
        if (idle_workers_ > 0) work_added_.notify_one();
    }
    write_ready(lock, false);
}

void Batch::run(BatchStep& step, const Task& task, std::string& report, std::string& error) {
    report.clear();
    if (step.run(task, report, error)) return;
    error += '\n';
    const std::lock_guard lock(mutex_);
    failed_task_ = true;
}

std::size_t Batch::reserve(std::unique_lock<std::mutex>& lock) {
    while (added_ - head_ == ring_.size()) write_ready(lock, true);
    return added_++;
}

void Batch::flush_ready() {
    std::unique_lock lock(mutex_);
    write_ready(lock, false);
    lock.unlock();
    flush(stdout);
}

void Batch::finish() {
    std::unique_lock lock(mutex_);
    while (head_ != added_) write_ready(lock, true);
    lock.unlock();
    flush(stdout);
    if (progress_ != nullptr) progress_->clear();
}

void Batch::write_ready(std::unique_lock<std::mutex>& lock, bool wait) {
    if (wait) item_ready_.wait(lock, [this] { return ring_[head_ % ring_.size()].ready; });
    while (head_ != added_ && ring_[head_ % ring_.size()].ready) {
        // Only this thread moves the head, and no worker touches a ready item: it is
        // written without holding up the workers.
        Item& item = ring_[head_ % ring_.size()];
        lock.unlock();
        if (!item.report.empty()) {
            write(stdout, item.report);
            if (progress_ != nullptr) progress_->item_done();
        }
        if (!item.error.empty()) {
            flush(stdout);  // the results before an error come before it on a terminal too
            if (progress_ != nullptr) progress_->clear();
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
}

void Batch::work(std::unique_ptr<BatchStep> step) {
    std::string report;
    std::string error;
    for (;;) {
        std::size_t number = 0;
        Task task;
        {
            std::unique_lock lock(mutex_);
            ++idle_workers_;
            work_added_.wait(lock, [this] { return stopping_ || !to_run_.empty(); });
            --idle_workers_;
            if (stopping_) return;
            number = to_run_.front();
            to_run_.pop_front();
            task = ring_[number % ring_.size()].task;
        }
        error.clear();
        run(*step, task, report, error);
        bool head_done = false;
        {
            const std::lock_guard lock(mutex_);
            Item& item = ring_[number % ring_.size()];
            item.report.swap(report);
            item.error.swap(error);
            item.ready = true;
            head_done = number == head_;
        }
        // The writer only ever waits for the head; waking it for others costs time.
        if (head_done) item_ready_.notify_one();
    }
}

}  // namespace varendo
