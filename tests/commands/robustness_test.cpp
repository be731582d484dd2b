// Faults of the step file, each ending the Solve with "Unable to write to the file." and
// leaving the next Solve working; and long use of one window, which must not drift.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "test_grid.h"

namespace varendo {
namespace {

// An easy puzzle: about fifty placements, so fifty written lines.
const std::string kEasy =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

// Hands every call on to the file now chosen, its own in memory unless told; the fail_at-th
// write after opening fails (0: none).
class FaultyStepFile final : public StepFile {
public:
    explicit FaultyStepFile(StepFile* target = nullptr) : target(target != nullptr ? target : &memory) {}
    bool open() override { ++opened; writes = 0; return target->open(); }
    bool write(std::string_view bytes) override { return ++writes != fail_at && target->write(bytes); }
    bool close() override { return target->close(); }
    bool is_open() const override { return target->is_open(); }
    StepFile* target;
    int fail_at = 0, writes = 0, opened = 0;
    MemoryStepFile memory;
};

// Ticks the visible box (Check2), clicks the hidden one (Check1), or both.
void choose(MemoryWindow& w, bool check2, bool check1) {
    w.set_save_to_file(check2);
    if (check1 != w.solver().save_to_file) w.click_check1();
}

// The Solve that fails, then one with the fault gone and only one of the switches on.
void expect_failure_then_success(MemoryWindow& w, FaultyStepFile& file, bool run_started) {
    const int messages = w.message_count();
    w.click(Button::Solve);
    // The only box, over the fixed puzzle: the step file is finished before any outcome box.
    EXPECT_EQ(w.last_message(), "Unable to write to the file.");
    EXPECT_EQ(w.message_count(), messages + 1);
    EXPECT_TRUE(w.commands().outcome() == Outcome::StepFileFailure && !file.is_open());
    EXPECT_EQ(w.grid_text(), kEasy);
    EXPECT_TRUE(run_started || w.caption(Label::Label4) == "No");
    file.target = &file.memory;
    file.fail_at = 0;
    choose(w, !w.solver().save_to_file, w.solver().save_to_file);
    w.click(Button::Solve);  // straight on, from where the failed run stopped
    EXPECT_TRUE(w.commands().outcome() == Outcome::Solved && test::solves(kEasy, w.grid_text()) && !file.is_open());
}

TEST(StepFileFaults, EachEndsTheSolveAndTheNextSolveWorks) {
    DiskStepFile nowhere("/dev/null/steps.txt");  // no folder can be made under a device
    DiskStepFile full("/dev/full");  // takes every write, fails the flush on closing
    for (const bool check1 : {false, true}) {
        // The file cannot be created, both switches ask for it, the disk is full.
        for (StepFile* target : std::initializer_list<StepFile*>{&nowhere, nullptr, &full}) {
            SCOPED_TRACE(testing::Message() << (target == &full ? "full disk" : target ? "no file" : "both") << check1);
            FaultyStepFile file(target);
            MemoryWindow w(&file);
            test::load_puzzle(w, kEasy);
            choose(w, !check1 || target == nullptr, check1 || target == nullptr);
            expect_failure_then_success(w, file, target == &full);
        }
        // A write fails, at any point of the run.
        FaultyStepFile file;
        MemoryWindow w(&file);
        test::load_puzzle(w, kEasy);
        w.click(Button::Solve);  // with neither switch on, the file is not even opened
        EXPECT_EQ(file.opened, 0);
        w.click(Button::Restart);
        choose(w, !check1, check1);
        w.click(Button::Solve);
        const int total = file.writes;
        ASSERT_GT(total, 10);
        for (int n = 1; n <= total; ++n) {
            SCOPED_TRACE("write " + std::to_string(n) + " of " + std::to_string(total) + (check1 ? ", Check1" : ""));
            w.click(Button::Restart);
            file.fail_at = n;
            expect_failure_then_success(w, file, true);
        }
    }
}

// What a Solve of the puzzle leaves to see, with Check2 ticked and the step file on disk.
auto solve(MemoryWindow& w, const DiskStepFile& file, const std::string& puzzle) {
    test::load_puzzle(w, puzzle);
    w.set_save_to_file(true);
    w.click(Button::Solve);
    std::ifstream steps(file.path(), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(steps), {});
    return std::tuple(w.commands().outcome(), w.grid_text(), bytes, w.caption(Label::Label1), w.caption(Label::Label4),
                      w.solver().pass_count, w.solver().guess_count);
}

TEST(LongUse, HundredsOfSolvesOnOneWindowComeOutAsOnFreshWindows) {
    // Solved by elimination, after 26 guesses, by the complete search, never; a row repeat.
    const auto norvig = test::read_set("norvig_top95");
    const std::string puzzles[] = {test::read_set("euler96_easy50").at(0), norvig.at(7), norvig.at(1),
                                   test::read_set("tdoku_test_nosolution").at(0), "11" + std::string(79, '.')};
    const auto place = std::filesystem::temp_directory_path() / ("varendo-" + std::to_string(::getpid()));
    DiskStepFile used_file(place.string() + "-used.txt"), fresh_file(place.string() + "-fresh.txt");
    MemoryWindow w(&used_file);
    std::vector<decltype(solve(w, used_file, ""))> fresh;
    for (const std::string& puzzle : puzzles) {
        MemoryWindow once(&fresh_file);
        fresh.push_back(solve(once, fresh_file, puzzle));
    }
    for (int round = 0; round < 300 && !HasFailure(); ++round)  // stops at the first difference, keeping no file
        EXPECT_TRUE(solve(w, used_file, puzzles[round % 5]) == fresh[round % 5]) << "round " << round;
    for (const DiskStepFile* file : {&used_file, &fresh_file}) std::filesystem::remove(file->path());
}

}  // namespace
}  // namespace varendo
