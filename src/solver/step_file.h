#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace varendo {

// How every line of the step file ends.
inline constexpr std::string_view kStepLineEnd = "\r\n";

// The step file "steps.txt": one text file, opened and closed within one Solve command.
// Lines are plain text ended by CR LF; a written line is enclosed in double quotes.
class StepFile {
public:
    virtual ~StepFile() = default;

    // Creates the file anew (an existing one is emptied). Fails when it is already open.
    virtual bool open() = 0;
    // Appends bytes; false when the file is not open or the write failed.
    virtual bool write(std::string_view bytes) = 0;
    // Closes the file; false when buffered bytes could not be written. Closing a file that
    // is not open does nothing.
    virtual bool close() = 0;
    virtual bool is_open() const = 0;
    // Why the first failure since the last opening happened; empty when nothing failed or
    // the reason is unknown.
    virtual std::error_code error() const { return {}; }
};

// A step file on disk. Its folder is made when the file is first opened, so that nothing
// is left on disk by a program that never writes a step file.
class DiskStepFile final : public StepFile {
public:
    explicit DiskStepFile(std::filesystem::path path);
    ~DiskStepFile() override;
    DiskStepFile(const DiskStepFile&) = delete;
    DiskStepFile& operator=(const DiskStepFile&) = delete;

    bool open() override;
    bool write(std::string_view bytes) override;
    bool close() override;
    bool is_open() const override { return file_ != nullptr; }
    std::error_code error() const override { return error_; }

    const std::filesystem::path& path() const { return path_; }

private:
    // Keeps errno as the reason, unless an earlier failure gave one.
    bool fail();

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    std::error_code error_;
};

// A step file kept in memory: the bytes of the last opening.
class MemoryStepFile final : public StepFile {
public:
    bool open() override;
    bool write(std::string_view bytes) override;
    bool close() override;
    bool is_open() const override { return open_; }

    const std::string& contents() const { return contents_; }

private:
    std::string contents_;
    bool open_ = false;
};

}  // namespace varendo
