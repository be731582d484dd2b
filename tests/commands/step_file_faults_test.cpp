// Faults of the step file on disk: each ends the Solve with "Unable to write to the file.",
// leaves the file closed, and the next Solve works once the fault is gone.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "test_grid.h"

namespace varendo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUnable = "Unable to write to the file.";
// An easy puzzle: about fifty placements, so fifty written lines.
const std::string kEasy =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

std::string read_file(const fs::path& path) {
    std::stringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Hands every call on to the file now chosen; the fail_at-th write after opening fails (0: none).
class FaultyStepFile final : public StepFile {
public:
    explicit FaultyStepFile(StepFile* target) : target(target) {}
    bool open() override { writes = 0; return target->open(); }
    bool write(std::string_view bytes) override { return ++writes != fail_at && target->write(bytes); }
    bool close() override { return target->close(); }
    bool is_open() const override { return target->is_open(); }
    StepFile* target;
    int fail_at = 0, writes = 0;
};

// Ticks the visible box (Check2) or clicks the hidden one (Check1), not both.
void choose_switch(MemoryWindow& w, bool detailed) {
    w.set_save_to_file(!detailed);
    if (detailed != w.solver().save_to_file) w.click_check1();
}

// A fresh directory per test, removed at the end.
class StepFileFaults : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(dir_); fs::create_directories(dir_); }
    void TearDown() override { fs::permissions(dir_, fs::perms::owner_all); fs::remove_all(dir_); }
    const fs::path dir_ = fs::temp_directory_path() / ("varendo_faults_" + std::to_string(::getpid()) + "_" +
                                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path steps_ = dir_ / "steps.txt";
};

TEST_F(StepFileFaults, DirectoryInItsPlaceUnwritableDirectoryAndFullDisk) {
    DiskStepFile disk(steps_), full("/dev/full");
    for (const std::string fault : {"directory named steps.txt", "directory not writable", "disk full"}) {
        for (const bool detailed : {false, true}) {
            SCOPED_TRACE(fault + (detailed ? ", Check1" : ", Check2"));
            if (fault == "directory not writable" && ::geteuid() == 0) continue;  // root writes anyway
            if (fault == "disk full" && !fs::exists("/dev/full")) continue;
            fs::remove(steps_);  // an existing file stays writable in a read-only directory
            FaultyStepFile file(fault == "disk full" ? &full : &disk);
            if (fault == "directory named steps.txt") fs::create_directory(steps_);
            if (fault == "directory not writable") fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
            MemoryWindow w(&file);
            test::load_puzzle(w, kEasy);
            choose_switch(w, detailed);
            w.click(Button::Solve);
            // The only box: a full disk shows when the file is closed, before the outcome box.
            EXPECT_EQ(w.last_message(), kUnable);
            EXPECT_EQ(w.message_count(), 1);
            EXPECT_FALSE(disk.is_open() || full.is_open());
            // Stopped before the run, or restarted after it: the puzzle, never a half-filled grid.
            EXPECT_TRUE(w.grid_text() == kEasy && w.caption(Label::Label4) == "No");

            fs::remove(steps_);  // the fault goes away
            fs::permissions(dir_, fs::perms::owner_all);
            file.target = &disk;
            w.click(Button::Restart);
            w.click(Button::Solve);
            EXPECT_TRUE(w.last_message() == "Sudoku Solved" && test::solves(kEasy, w.grid_text()));
            EXPECT_FALSE(disk.is_open());
            const auto lines = test::step_lines(read_file(steps_));  // whole lines of the switch's form
            ASSERT_FALSE(lines.empty());
            for (const std::string& line : lines) EXPECT_TRUE(detailed || line.starts_with("\" Column ")) << line;
            EXPECT_TRUE(!detailed || lines.back() == "Sudoku Solved") << lines.back();
        }
    }
}

TEST_F(StepFileFaults, AFailedWriteAtAnyPointEndsTheSolveAndTheNextOneWorks) {
    DiskStepFile disk(steps_);
    FaultyStepFile file(&disk);
    MemoryWindow w(&file);
    std::ofstream(steps_, std::ios::binary) << "kept\r\n";
    test::load_puzzle(w, kEasy);
    w.click(Button::Solve);  // with neither switch on, the file is neither opened nor emptied
    EXPECT_EQ(read_file(steps_), "kept\r\n");
    for (const bool detailed : {false, true}) {
        SCOPED_TRACE(detailed ? "Check1" : "Check2");
        test::load_puzzle(w, kEasy);
        choose_switch(w, detailed);
        w.click(Button::Solve);
        ASSERT_EQ(w.last_message(), "Sudoku Solved");
        const int total = file.writes;
        ASSERT_GT(total, 10);

        for (int n = 1; n <= total; ++n) {
            SCOPED_TRACE("write " + std::to_string(n) + " of " + std::to_string(total));
            w.click(Button::Restart);
            file.fail_at = n;
            const int messages = w.message_count();
            w.click(Button::Solve);
            // The only box, over the fixed puzzle: the outcome line comes before the outcome box.
            EXPECT_EQ(w.last_message(), kUnable);
            EXPECT_EQ(w.message_count(), messages + 1);
            EXPECT_EQ(w.grid_text(), kEasy);
            EXPECT_TRUE(!file.is_open() && file.writes == n) << file.writes;  // nothing more was tried

            file.fail_at = 0;
            w.click(Button::Solve);
            EXPECT_TRUE(w.last_message() == "Sudoku Solved" && test::solves(kEasy, w.grid_text()));
            EXPECT_FALSE(file.is_open());
        }
    }
}

}  // namespace
}  // namespace varendo
