#include "window/generated/puzzle_supply.h"

#include <QFutureWatcher>
#include <QThread>
#include <QtConcurrent>
#include <algorithm>
#include <random>

namespace varendo {

namespace {

constexpr Symmetry kSymmetry = Symmetry::Rotate180;

std::uint64_t random_seed() {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}

}  // namespace

PuzzleSupply::PuzzleSupply(QObject* parent)
    : QObject(parent),
      generator_([](Level level, std::uint64_t seed, Symmetry symmetry,
                    const std::atomic<bool>* cancel) -> std::optional<GeneratedPuzzle> {
          try {
              return generate(level, seed, symmetry, cancel);
          } catch (const GeneratorFault& fault) {
              // A bug, told where a report can pick it up; the user is told no puzzle came.
              qCritical("Varendo: internal error (seed %llu): %s", static_cast<unsigned long long>(seed), fault.what());
              return std::nullopt;
          }
      }) {
    ahead_pool_.setMaxThreadCount(1);
}

PuzzleSupply::~PuzzleSupply() {
    for (const std::weak_ptr<std::atomic<bool>>& flag : flags_)
        if (const Flag cancel = flag.lock()) *cancel = true;
    ahead_pool_.waitForDone();
    pool_.waitForDone();
}

void PuzzleSupply::fill() {
    filling_ = true;
    top_up();
}

std::optional<GeneratedPuzzle> PuzzleSupply::request(Level level) {
    cancel_request();
    std::deque<GeneratedPuzzle>& ready = ready_[static_cast<std::size_t>(level)];
    if (!ready.empty()) {
        GeneratedPuzzle puzzle = ready.front();
        ready.pop_front();
        top_up();
        return puzzle;
    }
    wanted_ = level;
    start(level, false);
    return std::nullopt;
}

void PuzzleSupply::cancel_request() {
    if (wanted_cancel_) *wanted_cancel_ = true;
    wanted_cancel_.reset();
    wanted_.reset();
}

PuzzleSupply::Batch PuzzleSupply::make(Level level, int count) {
    return make_each(count, [generator = generator_, level](std::uint64_t seed, const std::atomic<bool>* cancel) {
        return generator(level, seed, kSymmetry, cancel);
    });
}

PuzzleSupply::Batch PuzzleSupply::make_rated(RatingRange range, int count) {
    return make_each(count, [range](std::uint64_t seed, const std::atomic<bool>* cancel) {
        return generate_rated(range, seed, kSymmetry, cancel, kGenerateTries);
    });
}

PuzzleSupply::Batch PuzzleSupply::make_each(int count, const OneMaker& make_one) {
    QList<std::uint64_t> seeds;
    for (int i = 0; i < count; ++i) seeds.append(random_seed());
    const Flag cancel = new_flag();
    auto future = QtConcurrent::mapped(&pool_, seeds, [make_one, cancel](std::uint64_t seed) {
        return make_one(seed, cancel.get());
    });
    return {future, cancel};
}

PuzzleSupply::Flag PuzzleSupply::new_flag() {
    std::erase_if(flags_, [](const std::weak_ptr<std::atomic<bool>>& flag) { return flag.expired(); });
    auto flag = std::make_shared<std::atomic<bool>>(false);
    flags_.push_back(flag);
    return flag;
}

void PuzzleSupply::start(Level level, bool ahead) {
    const Flag cancel = new_flag();
    if (ahead) {
        making_ahead_ = true;
    } else {
        wanted_cancel_ = cancel;
    }
    auto* watcher = new QFutureWatcher<std::optional<GeneratedPuzzle>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, level, ahead, cancel] {
        watcher->deleteLater();
        finished(level, ahead, cancel, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(ahead ? &ahead_pool_ : &pool_,
                                         [generator = generator_, level, ahead, cancel, seed = random_seed()] {
                                             // Made ahead, a puzzle waits for idle processors.
                                             if (ahead) QThread::currentThread()->setPriority(QThread::IdlePriority);
                                             return generator(level, seed, kSymmetry, cancel.get());
                                         }));
}

void PuzzleSupply::finished(Level level, bool ahead, const Flag& cancel, const std::optional<GeneratedPuzzle>& puzzle) {
    if (ahead) making_ahead_ = false;
    if (puzzle && !*cancel && wanted_ == level) {
        cancel_request();
        emit delivered(*puzzle);
    } else if (puzzle) {
        ready_[static_cast<std::size_t>(level)].push_back(*puzzle);
    } else if (cancel == wanted_cancel_ && !*cancel) {
        wanted_cancel_.reset();
        wanted_.reset();
        emit failed();
    }
    top_up();
}

void PuzzleSupply::top_up() {
    if (!filling_ || making_ahead_) return;
    // The level with the fewest ready, the easiest first: each level gets one before any gets two.
    const auto fewest = std::min_element(ready_.begin(), ready_.end(),
                                         [](const auto& a, const auto& b) { return a.size() < b.size(); });
    if (static_cast<int>(fewest->size()) >= stock_) return;
    start(static_cast<Level>(fewest - ready_.begin()), true);
}

}  // namespace varendo
