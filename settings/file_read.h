#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <sys/types.h>

namespace vkr {

// What tells one state of a file from another: a change of its contents changes its size, its
// times or (when it is replaced) its inode.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0; // ns
    long long changed = 0;  // ns

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path (links followed); nullopt when it cannot be looked at.
std::optional<FileStamp> fileStamp(const std::string& path);

// A file read whole, if it is a regular file of at most limit bytes. A FIFO or a device is
// never opened for reading in a way that could hang.
struct FileContent {
    enum class Status { Read, Missing, NotRegular, TooLarge, Failed };
    Status status = Status::Missing;
    std::string text;
    int error = 0;   // errno when Failed
    FileStamp stamp; // of what was read
};
FileContent readRegularFile(const std::string& path, size_t limit);

} // namespace vkr
