#include "settings/registry_file.h"

#include "settings/file_read.h"
#include "settings/translate.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace vkr {

namespace {

std::string errnoText(int err) {
    return std::strerror(err);
}

std::string lockFailure(const std::string& lockPath, int err) {
    return fillArgs(translate("Settings", "Could not lock the settings file %1: %2"),
                    {lockPath, errnoText(err)});
}

std::string folderOf(const std::string& path) {
    std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// A settings file is a few kilobytes; anything this large is not one.
constexpr size_t kMaxFileSize = 64 * 1024 * 1024;

// The whole file; nullopt when it does not exist. Only a regular file is read: a FIFO or a
// device would hang the start or never end.
std::optional<std::string> readFile(const std::string& path) {
    FileContent file = readRegularFile(path, kMaxFileSize);
    switch (file.status) {
    case FileContent::Status::Read:
        return std::move(file.text);
    case FileContent::Status::Missing:
        return std::nullopt;
    case FileContent::Status::NotRegular:
        throw Exception(
            fillArgs(translate("Settings", "The settings file %1 is not a regular file, so the "
                                           "launcher neither reads nor replaces it; remove it or "
                                           "put a regular file in its place"),
                     {path}));
    case FileContent::Status::TooLarge:
        throw Exception(
            fillArgs(translate("Settings", "The settings file %1 is larger than 64 MB, so it is "
                                           "not a settings file the launcher wrote; it was left "
                                           "as it is. Move it away"),
                     {path}));
    case FileContent::Status::Failed:
        break;
    }
    throw Exception(fillArgs(translate("Settings", "Could not read the settings from %1: %2"),
                             {path, errnoText(file.error)}));
}

// The path with every symbolic link at its end followed (to a file that may not exist yet), so
// that a save replaces the link's target and the link stays, and the links of its folders
// resolved, so that every path to one file names it alike. A loop of links is left for the
// file operations to report.
std::string followLinks(const std::string& path) {
    std::filesystem::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(p, ec))) {
            break;
        }
        std::filesystem::path target = std::filesystem::read_symlink(p, ec);
        if (ec) {
            break;
        }
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(p, ec);
    return ec ? p.string() : resolved.string();
}

// 0 when all was written, the error number otherwise.
int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

// Writes text into the file at path itself, so that it stays the same file (its inode), and
// syncs it; 0 or the error number.
int writeInPlace(const std::string& path, std::string_view text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int err = writeAll(fd, text);
    if (err == 0 && ::ftruncate(fd, static_cast<off_t>(text.size())) != 0) {
        err = errno;
    }
    if (err == 0 && ::fsync(fd) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    return err;
}

// The copy that a save into a file with hard links keeps while it writes the file in place.
std::string inPlaceCopy(const std::string& path) {
    return path + ".in-place";
}

void syncFolder(const std::string& path) {
    int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Replaces the file by one holding text: written to a temporary file in the same folder (with
// the old file's mode and owner, 0600 for a new file), synced, then renamed over the old one,
// so that the old or the new file is always whole. A file with hard links is written in place
// instead, so that every link keeps it: the synced copy is first renamed to "<file>.in-place",
// which the next transaction copies into the file if a crash interrupted the writing. A file
// that is not writable is not replaced.
void replaceFile(const std::string& path, const std::string& text) {
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        throw Exception(
            fillArgs(translate("Settings", "The settings file %1 is read-only, so the settings "
                                           "were not saved. Make it writable (chmod u+w) and the "
                                           "launcher saves them at its next save"),
                     {path}));
    }
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    int err = 0;
    if (fd < 0) {
        err = errno;
    } else {
        if (exists) {
            // Mode and owner are kept where the system lets us; a file that cannot take them
            // is still saved, as a new file of ours would be. Only root may give a file away;
            // others keep their own files and at most the group.
            [[maybe_unused]] int kept = ::fchmod(fd, old.st_mode & 07777);
            if (::fchown(fd, old.st_uid, old.st_gid) != 0 && old.st_uid == ::getuid()) {
                kept = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
            }
        }
        err = writeAll(fd, text);
        if (err == 0 && ::fsync(fd) != 0) {
            err = errno;
        }
        if (::close(fd) != 0 && err == 0) {
            err = errno;
        }
        const bool linked = exists && old.st_nlink > 1;
        const std::string target = linked ? inPlaceCopy(path) : path;
        if (err == 0 && ::rename(tmp.c_str(), target.c_str()) != 0) {
            err = errno;
        }
        if (err != 0) {
            ::unlink(tmp.c_str());
        } else if (linked) {
            syncFolder(path);
            err = writeInPlace(path, text);
            if (err == 0) {
                ::unlink(target.c_str());
            }
        }
    }
    if (err != 0) {
        throw Exception(fillArgs(translate("Settings", "Could not save the settings to %1: %2"),
                                 {path, errnoText(err)}));
    }
    // The new file is in place; syncing the folder makes the rename itself durable. A failure
    // here cannot be mended and does not undo the save, so it is not reported.
    syncFolder(path);
}

// A save into a file with hard links that a crash interrupted: its copy is written into the
// file, which is then whole again.
void finishInPlaceSave(const std::string& path) {
    const std::string copy = inPlaceCopy(path);
    FileContent saved = readRegularFile(copy, kMaxFileSize);
    if (saved.status != FileContent::Status::Read) {
        return;
    }
    const int err = writeInPlace(path, saved.text);
    if (err != 0) {
        throw Exception(
            fillArgs(translate("Settings", "Could not finish saving the settings to %1: %2"),
                     {path, errnoText(err)}));
    }
    ::unlink(copy.c_str());
}

// Temporary files of writers that died before their rename. Only the holder of the lock writes,
// so any that are found under the lock are left-overs.
void removeLeftovers(const std::string& path) {
    std::string prefix = std::filesystem::path(path).filename().string() + ".tmp-";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), ec)) {
        if (entry.path().filename().string().starts_with(prefix)) {
            std::filesystem::remove(entry.path(), ec);
        }
    }
}

std::string timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &local);
    return buf;
}

// Renames the file to "<file>.broken-<timestamp>" (with "-2", "-3", ... when that exists),
// never replacing another file. Returns the new path.
std::string moveAside(const std::string& path) {
    std::string base = path + ".broken-" + timestamp();
    for (int n = 1;; ++n) {
        std::string target = n == 1 ? base : base + "-" + std::to_string(n);
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
            return target;
        }
        if (errno != EEXIST) {
            throw Exception(fillArgs(translate("Settings", "The settings file %1 could not be "
                                                           "read and could not be moved aside: %2"),
                                     {path, errnoText(errno)}));
        }
    }
}

} // namespace

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path_, ec);
    if (!ec) {
        path_ = absolute.string();
    }
}

FileRegistry::~FileRegistry() {
    unlock();
}

std::string FileRegistry::defaultPath() {
    std::string config;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG base directory rules say.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home == '/') {
        config = std::string(home) + "/.config";
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        config = std::string(pw->pw_dir) + "/.config";
    }
    return config + "/vkr-launcher/registry.reg";
}

void FileRegistry::lock() {
    std::error_code ec;
    std::filesystem::create_directories(folderOf(path_), ec);
    if (ec) {
        throw Exception(
            fillArgs(translate("Settings", "Could not create the settings folder %1: %2"),
                     {folderOf(path_), ec.message()}));
    }
    // The lock is the resolved file's, so that every path to the file takes the same lock.
    std::string lockPath = followLinks(path_) + ".lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        throw Exception(lockFailure(lockPath, errno));
    }
    // Another program holding the lock gets a few seconds to finish; then the user is told,
    // rather than left with a launcher that hangs.
    auto deadline = std::chrono::steady_clock::now() + lockTimeout_;
    while (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        if (err == EWOULDBLOCK && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        if (err != EINTR) {
            unlock();
            throw Exception(
                err == EWOULDBLOCK
                    ? fillArgs(translate("Settings",
                                         "The settings file %1 is in use by another program, "
                                         "which has held its lock %2 for too long; the settings "
                                         "were not read or saved. Close the other program and "
                                         "try again"),
                               {path_, lockPath})
                    : lockFailure(lockPath, err));
        }
    }
}

void FileRegistry::unlock() {
    if (lockFd_ >= 0) {
        ::close(lockFd_); // closing the last descriptor releases the flock
        lockFd_ = -1;
    }
}

std::string FileRegistry::begin() {
    if (depth_ > 0) {
        ++depth_;
        return {};
    }
    lock();
    std::string notice;
    try {
        const std::string target = followLinks(path_);
        removeLeftovers(target);
        finishInPlaceSave(target);
        std::optional<std::string> text = readFile(target);
        try {
            tree_ = text ? RegTree::parse(*text) : RegTree();
        } catch (const RegTree::ParseError& e) {
            std::string moved = moveAside(target);
            tree_ = RegTree();
            //: %1 the file, %2 the number of the line, %3 why that line could not be read, %4 the
            //: file's new name.
            notice = fillArgs(translate("Settings",
                                        "The settings file %1 could not be read (line %2: %3). It "
                                        "was moved to %4; the launcher starts with fresh "
                                        "settings."),
                              {target, std::to_string(e.line), e.what(), moved});
        }
    } catch (...) {
        unlock();
        throw;
    }
    dirty_ = false;
    depth_ = 1;
    return notice;
}

void FileRegistry::end() {
    if (depth_ == 0) {
        throw Exception("The settings store was closed without being opened");
    }
    if (--depth_ == 0) {
        store();
    }
}

void FileRegistry::store() {
    // The tree is read afresh at the next begin(); it is let go here in every case.
    RegTree done = std::exchange(tree_, RegTree());
    bool write = std::exchange(dirty_, false);
    try {
        if (write) {
            replaceFile(followLinks(path_), done.serialize());
        }
    } catch (...) {
        unlock();
        throw;
    }
    unlock();
}

void FileRegistry::suspend() {
    if (depth_ == 0) {
        throw Exception("The settings store is used outside a transaction");
    }
    int depth = std::exchange(depth_, 0);
    store(); // when this raises, the transaction is over: there is nothing to resume
    suspended_.push_back(depth);
}

void FileRegistry::resume() {
    if (suspended_.empty() || depth_ > 0) {
        throw Exception("The settings store was taken back without being let go");
    }
    int depth = suspended_.back();
    suspended_.pop_back();
    std::string notice = begin();
    depth_ = depth;
    if (!notice.empty()) { // broken by another program while the user was asked
        throw Exception(notice);
    }
}

RegTree& FileRegistry::tree() {
    if (depth_ == 0) {
        throw Exception("The settings store is used outside a transaction");
    }
    return tree_;
}

namespace {

// A name with a line break could not be written to the file and read back.
void checkName(std::string_view name) {
    if (name.find('\n') != std::string_view::npos) {
        throw Exception("The registry name '" + std::string(name) + "' contains a line break");
    }
}

void checkSectionNames(const RegSection& section) {
    checkName(section.name);
    for (const auto& [name, _] : section.values) {
        checkName(name);
    }
    for (const RegSection& sub : section.subkeys) {
        checkSectionNames(sub);
    }
}

} // namespace

bool FileRegistry::keyExists(Hive hive, std::string_view path) {
    return tree().find(hive, path) != nullptr;
}

void FileRegistry::createKey(Hive hive, std::string_view path) {
    if (!tree().find(hive, path)) {
        checkName(path);
        tree().create(hive, path);
        dirty_ = true;
    }
}

std::optional<RegValue> FileRegistry::queryValue(Hive hive, std::string_view path,
                                                 std::string_view name) {
    const RegTree::Key* key = tree().find(hive, path);
    if (!key) {
        return std::nullopt;
    }
    const RegValue* v = RegTree::findValue(*key, name);
    return v ? std::optional<RegValue>(*v) : std::nullopt;
}

void FileRegistry::setValue(Hive hive, std::string_view path, std::string_view name,
                            const RegValue& value) {
    RegTree::Key* key = tree().find(hive, path);
    if (!key) {
        throw Exception("Registry key '" + std::string(path) + "' does not exist");
    }
    checkName(name);
    RegTree::setValue(*key, name, value);
    dirty_ = true;
}

std::vector<std::string> FileRegistry::subkeyNames(Hive hive, std::string_view path) {
    std::vector<std::string> names;
    if (const RegTree::Key* key = tree().find(hive, path)) {
        names.reserve(key->subkeys.size());
        for (const auto& [_, sub] : key->subkeys) {
            names.push_back(sub->name);
        }
    }
    return names;
}

bool FileRegistry::deleteKey(Hive hive, std::string_view path) {
    bool removed = tree().remove(hive, path);
    dirty_ = dirty_ || removed;
    return removed;
}

std::optional<RegSection> FileRegistry::exportKey(Hive hive, std::string_view path, int section) {
    const RegTree::Key* key = tree().find(hive, path);
    const size_t sections = key ? std::max<size_t>(key->sections.size(), 1) : 0;
    if (section < 0 || static_cast<size_t>(section) >= sections) {
        return std::nullopt;
    }
    if (key->sections.empty()) {
        return RegTree::exportSection(*key);
    }
    RegSection own;
    own.name = key->name;
    own.values = key->sections[static_cast<size_t>(section)];
    if (section == 0) {
        own.subkeys = RegTree::exportSection(*key).subkeys;
    }
    return own;
}

void FileRegistry::importKey(Hive hive, std::string_view path, const RegSection& section) {
    checkName(path);
    checkSectionNames(section);
    RegTree::importSection(tree().create(hive, path), section);
    dirty_ = true;
}

} // namespace vkr
