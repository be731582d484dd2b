// Faults of the step file on disk: each ends the Solve with "Unable to write to the file.",
// leaves the file closed, and the next Solve works once the fault is gone.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
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

// A fresh directory per test, removed at the end.
class StepFileFaults : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("varendo_faults_" + std::to_string(::getpid()) + "_" + test->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    fs::path steps() const { return dir_ / "steps.txt"; }

    fs::path dir_;
};

// Hands every call on to the file now chosen, so a fault can be put in and taken away.
class SwitchableStepFile final : public StepFile {
public:
    explicit SwitchableStepFile(StepFile* target) : target_(target) {}
    void use(StepFile* target) { target_ = target; }
    bool open() override { return target_->open(); }
    bool write(std::string_view bytes) override { return target_->write(bytes); }
    bool close() override { return target_->close(); }
    bool is_open() const override { return target_->is_open(); }

private:
    StepFile* target_;
};

// A disk file whose n-th write fails (0: none fails); it counts the writes.
class FailingStepFile final : public StepFile {
public:
    explicit FailingStepFile(fs::path path) : file_(std::move(path)) {}
    int fail_at = 0;
    int writes = 0;
    bool open() override {
        writes = 0;
        return file_.open();
    }
    bool write(std::string_view bytes) override {
        ++writes;
        return writes != fail_at && file_.write(bytes);
    }
    bool close() override { return file_.close(); }
    bool is_open() const override { return file_.is_open(); }

private:
    DiskStepFile file_;
};

void expect_solved_with_quoted_lines(const MemoryWindow& w, const fs::path& steps) {
    EXPECT_EQ(w.last_message(), "Sudoku Solved");
    EXPECT_TRUE(test::solves(kEasy, w.grid_text()));
    const auto lines = test::step_lines(read_file(steps));
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) EXPECT_TRUE(line.starts_with("\" Column ")) << line;
}

TEST_F(StepFileFaults, DirectoryInPlaceOfTheFileStopsTheRunBeforeItStarts) {
    fs::create_directory(steps());
    DiskStepFile file(steps());
    MemoryWindow w(&file);
    test::load_puzzle(w, kEasy);
    w.set_save_to_file(true);
    w.click(Button::Solve);
    EXPECT_EQ(w.last_message(), kUnable);
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(w.grid_text(), kEasy);
    EXPECT_EQ(w.solver().pass_count, 0);
    EXPECT_EQ(w.caption(Label::Label4), "No");

    fs::remove(steps());
    w.click(Button::Solve);
    expect_solved_with_quoted_lines(w, steps());
    EXPECT_FALSE(file.is_open());
}

TEST_F(StepFileFaults, UnwritableDirectoryFailsForAnOrdinaryUser) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into any directory";
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    DiskStepFile file(steps());
    MemoryWindow w(&file);
    test::load_puzzle(w, kEasy);
    w.set_save_to_file(true);
    w.click(Button::Solve);
    EXPECT_EQ(w.last_message(), kUnable);
    EXPECT_FALSE(file.is_open());

    fs::permissions(dir_, fs::perms::owner_all);
    w.click(Button::Solve);
    expect_solved_with_quoted_lines(w, steps());
}

TEST_F(StepFileFaults, FullDiskFailsAndAWritableFileWorksAfterwards) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    DiskStepFile full("/dev/full");
    DiskStepFile good(steps());
    SwitchableStepFile file(&full);
    MemoryWindow w(&file);
    for (const bool detailed : {false, true}) {
        SCOPED_TRACE(detailed ? "Check1" : "Check2");
        file.use(&full);
        test::load_puzzle(w, kEasy);
        w.set_save_to_file(!detailed);
        if (detailed != w.solver().save_to_file) w.click_check1();
        w.click(Button::Solve);
        EXPECT_EQ(w.last_message(), kUnable);
        EXPECT_FALSE(full.is_open());

        file.use(&good);
        w.click(Button::Restart);
        w.click(Button::Solve);
        EXPECT_FALSE(good.is_open());
        if (detailed) EXPECT_EQ(test::step_lines(read_file(steps())).back(), "Sudoku Solved");
        else expect_solved_with_quoted_lines(w, steps());
    }
}

TEST_F(StepFileFaults, AFailedWriteAtAnyPointEndsTheSolveAndTheNextOneWorks) {
    FailingStepFile file(steps());
    MemoryWindow w(&file);
    for (const bool detailed : {false, true}) {
        SCOPED_TRACE(detailed ? "Check1" : "Check2");
        test::load_puzzle(w, kEasy);
        w.set_save_to_file(!detailed);
        if (detailed != w.solver().save_to_file) w.click_check1();
        file.fail_at = 0;
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
            EXPECT_EQ(w.last_message(), kUnable);
            // The outcome box comes before the outcome line, so only that write follows it.
            const bool outcome_line = detailed && n == total;
            EXPECT_EQ(w.message_count(), messages + (outcome_line ? 2 : 1));
            EXPECT_FALSE(file.is_open());
            EXPECT_EQ(file.writes, n);  // nothing more was tried

            file.fail_at = 0;
            w.click(Button::Solve);  // straight on, from where the failed run stopped
            EXPECT_EQ(w.last_message(), "Sudoku Solved");
            EXPECT_TRUE(test::solves(kEasy, w.grid_text()));
            EXPECT_FALSE(file.is_open());
        }
    }
}

TEST_F(StepFileFaults, Check2UncheckedCreatesAndChangesNoFile) {
    DiskStepFile file(steps());
    MemoryWindow w(&file);
    test::load_puzzle(w, kEasy);
    w.click(Button::Solve);
    EXPECT_EQ(w.last_message(), "Sudoku Solved");
    EXPECT_FALSE(fs::exists(steps()));

    std::ofstream(steps(), std::ios::binary) << "kept\r\n";
    w.click(Button::Restart);
    w.click(Button::Solve);
    EXPECT_EQ(read_file(steps()), "kept\r\n");
}

}  // namespace
}  // namespace varendo
