#include "settings/file_read.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vkr {

namespace {

FileStamp stampOf(const struct stat& st) {
    auto ns = [](const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; };
    return {st.st_dev, st.st_ino, st.st_size, ns(st.st_mtim), ns(st.st_ctim)};
}

} // namespace

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return stampOf(st);
}

FileContent readRegularFile(const std::string& path, size_t limit) {
    FileContent result;
    auto fail = [&](FileContent::Status status, int error) {
        result.status = status;
        result.error = error;
        result.text.clear();
        return result;
    };
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno == ENOENT ? FileContent::Status::Missing : FileContent::Status::Failed,
                    errno);
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return fail(FileContent::Status::Failed, errno);
    }
    result.stamp = stampOf(st);
    if (!S_ISREG(st.st_mode)) {
        return fail(FileContent::Status::NotRegular, 0);
    }
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > limit) {
        return fail(FileContent::Status::TooLarge, 0);
    }
    result.text.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return fail(FileContent::Status::Failed, errno);
        }
        if (n == 0) {
            break;
        }
        result.text.append(buf, static_cast<size_t>(n));
        if (result.text.size() > limit) { // it grew while being read
            return fail(FileContent::Status::TooLarge, 0);
        }
    }
    result.status = FileContent::Status::Read;
    return result;
}

} // namespace vkr
