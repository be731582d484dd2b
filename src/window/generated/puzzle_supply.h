#pragma once

#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "commands/generator.h"

namespace varendo {

// A wait for puzzles shorter than this, in milliseconds, shows no progress box.
constexpr int kProgressDelay = 300;

// Generated puzzles for the window, made off the GUI thread: a few of each level made
// ahead while the program is idle, so that asking for one is answered at once, and the
// rest made when asked for. Every puzzle has the half-turn symmetry and a seed of its own.
// Destroying the supply stops whatever is still being made and waits for it.
class PuzzleSupply final : public QObject {
    Q_OBJECT

public:
    using Generator = std::function<std::optional<GeneratedPuzzle>(Level, std::uint64_t, Symmetry,
                                                                   const std::atomic<bool>*)>;

    explicit PuzzleSupply(QObject* parent = nullptr);
    ~PuzzleSupply() override;

    // What makes the puzzles: generate() unless a test says otherwise.
    void set_generator(Generator generator) { generator_ = std::move(generator); }
    // How many puzzles of each level to keep made ahead: 2 unless a test says otherwise.
    void set_stock(int stock) { stock_ = stock; }
    // Starts making ahead, one puzzle at a time at idle priority, until the stock is full;
    // it tops itself up as puzzles are taken.
    void fill();

    // A puzzle made ahead, at once; without one, nothing, and `delivered` (or `failed`,
    // when the generator gives up) follows once it is made. A new request replaces the last.
    std::optional<GeneratedPuzzle> request(Level level);
    // Stops making the puzzle asked for; no signal follows.
    void cancel_request();

    // `count` puzzles of a level, made on every core: the future's results in order, each
    // empty when the generator gave up or was stopped. Setting `cancel` stops them all.
    struct Batch {
        QFuture<std::optional<GeneratedPuzzle>> future;
        std::shared_ptr<std::atomic<bool>> cancel;
    };
    Batch make(Level level, int count);
    // The same, each puzzle made to an ER range.
    Batch make_rated(RatingRange range, int count);

signals:
    void delivered(const varendo::GeneratedPuzzle& puzzle);
    void failed();

private:
    using Flag = std::shared_ptr<std::atomic<bool>>;
    Flag new_flag();
    // `count` puzzles on every core, each from a random seed of its own.
    using OneMaker = std::function<std::optional<GeneratedPuzzle>(std::uint64_t seed, const std::atomic<bool>* cancel)>;
    Batch make_each(int count, const OneMaker& make_one);
    void start(Level level, bool ahead);
    void finished(Level level, bool ahead, const Flag& cancel, const std::optional<GeneratedPuzzle>& puzzle);
    void top_up();

    Generator generator_;
    int stock_ = 2;
    bool filling_ = false;
    bool making_ahead_ = false;
    std::array<std::deque<GeneratedPuzzle>, 4> ready_;
    std::optional<Level> wanted_;
    Flag wanted_cancel_;
    // Every job's flag, so that the destructor can stop them all.
    std::vector<std::weak_ptr<std::atomic<bool>>> flags_;
    QThreadPool ahead_pool_;
    QThreadPool pool_;
};

}  // namespace varendo
