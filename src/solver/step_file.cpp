#include "solver/step_file.h"

#include <cerrno>
#include <utility>

namespace varendo {

DiskStepFile::DiskStepFile(std::filesystem::path path) : path_(std::move(path)) {}

DiskStepFile::~DiskStepFile() { close(); }

bool DiskStepFile::fail() {
    if (!error_) error_ = std::error_code(errno, std::generic_category());
    return false;
}

bool DiskStepFile::open() {
    // Opened twice, the file itself is fine: no reason to give.
    if (file_ != nullptr) return false;
    error_.clear();
    std::error_code made;
    if (path_.has_parent_path()) std::filesystem::create_directories(path_.parent_path(), made);
    if (made) {
        error_ = made;
        return false;
    }
    // Binary mode: the CR LF line ends are written as they are, on every platform.
    file_ = std::fopen(path_.c_str(), "wb");
    return file_ != nullptr || fail();
}

bool DiskStepFile::write(std::string_view bytes) {
    if (file_ == nullptr) return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() || fail();
}

bool DiskStepFile::close() {
    if (file_ == nullptr) return true;
    // A full disk often shows only when the buffer is flushed.
    const bool flushed = std::fflush(file_) == 0 || fail();
    const bool closed = std::fclose(file_) == 0 || fail();
    file_ = nullptr;
    return flushed && closed;
}

bool MemoryStepFile::open() {
    if (open_) return false;
    contents_.clear();
    open_ = true;
    return true;
}

bool MemoryStepFile::write(std::string_view bytes) {
    if (!open_) return false;
    contents_.append(bytes);
    return true;
}

bool MemoryStepFile::close() {
    open_ = false;
    return true;
}

}  // namespace varendo
