#include "settings/registry_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vkr {

RegTree::RegTree() = default;
RegTree::RegTree(RegTree&&) noexcept = default;
RegTree& RegTree::operator=(RegTree&&) noexcept = default;
RegTree::~RegTree() = default;

namespace {

using KeyList = std::vector<std::unique_ptr<RegTree::Key>>;

// Subkeys are kept sorted by nameLess, which agrees with namesEqual, so a lookup is a binary
// search: the first subkey not less than name is the one, if any, that equals it.
KeyList::iterator lowerBound(KeyList& subkeys, std::string_view name) {
    return std::lower_bound(subkeys.begin(), subkeys.end(), name,
                            [](const std::unique_ptr<RegTree::Key>& k, std::string_view n) {
                                return nameLess(k->name, n);
                            });
}

RegTree::Key* child(RegTree::Key& key, std::string_view name) {
    auto it = lowerBound(key.subkeys, name);
    return it != key.subkeys.end() && namesEqual((*it)->name, name) ? it->get() : nullptr;
}

} // namespace

RegTree::Key* RegTree::find(Hive hive, std::string_view path) {
    Key* key = &roots_[static_cast<int>(hive)];
    for (const auto& part : splitKeyPath(path)) {
        key = child(*key, part);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

const RegTree::Key* RegTree::find(Hive hive, std::string_view path) const {
    return const_cast<RegTree*>(this)->find(hive, path);
}

RegTree::Key& RegTree::create(Hive hive, std::string_view path) {
    Key* key = &roots_[static_cast<int>(hive)];
    for (const auto& part : splitKeyPath(path)) {
        auto pos = lowerBound(key->subkeys, part);
        if (pos != key->subkeys.end() && namesEqual((*pos)->name, part)) {
            key = pos->get();
            continue;
        }
        auto fresh = std::make_unique<Key>();
        fresh->name = part;
        key = key->subkeys.insert(pos, std::move(fresh))->get();
    }
    return *key;
}

bool RegTree::remove(Hive hive, std::string_view path) {
    auto parts = splitKeyPath(path);
    if (parts.empty()) {
        return false;
    }
    std::string last = parts.back();
    parts.pop_back();
    Key* parent = &roots_[static_cast<int>(hive)];
    for (const auto& part : parts) {
        parent = child(*parent, part);
        if (!parent) {
            return false;
        }
    }
    auto it = lowerBound(parent->subkeys, last);
    if (it == parent->subkeys.end() || !namesEqual((*it)->name, last)) {
        return false;
    }
    parent->subkeys.erase(it);
    return true;
}

const RegValue* RegTree::findValue(const Key& key, std::string_view name) {
    for (const auto& [n, v] : key.values) {
        if (namesEqual(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

void RegTree::setValue(Key& key, std::string_view name, const RegValue& value) {
    for (auto& [n, v] : key.values) {
        if (namesEqual(n, name)) {
            v = value;
            return;
        }
    }
    key.values.emplace_back(std::string(name), value);
}

namespace {

bool keysEqual(const RegTree::Key& a, const RegTree::Key& b) {
    if (a.name != b.name || a.values != b.values || a.subkeys.size() != b.subkeys.size()) {
        return false;
    }
    for (size_t i = 0; i < a.subkeys.size(); ++i) {
        if (!keysEqual(*a.subkeys[i], *b.subkeys[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

bool RegTree::operator==(const RegTree& other) const {
    return keysEqual(roots_[0], other.roots_[0]) && keysEqual(roots_[1], other.roots_[1]);
}

RegTree::ParseError::ParseError(int l, const std::string& what) : Exception(what), line(l) {}

// --- The text format -------------------------------------------------------------------------

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

struct HiveName {
    std::string_view longName;
    std::string_view shortName;
};
constexpr HiveName kHives[2] = {{"HKEY_LOCAL_MACHINE", "HKLM"}, {"HKEY_CURRENT_USER", "HKCU"}};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && namesEqual(s.substr(0, prefix.size()), prefix);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// 1 to 8 hex digits, the whole of s.
std::optional<uint32_t> parseHex32(std::string_view s) {
    if (s.empty() || s.size() > 8) {
        return std::nullopt;
    }
    uint32_t x = 0;
    for (char c : s) {
        int d = hexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        x = (x << 4) | static_cast<uint32_t>(d);
    }
    return x;
}

// Splits the text into logical lines: LF or CRLF ends a physical line; a line ending in a
// backslash goes on with the next one, whose leading blanks are dropped. Comment lines never
// continue.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // False at the end of the text. lineNo is the 1-based number of the logical line's first
    // physical line.
    bool next(std::string& line, int& lineNo) {
        if (pos_ >= text_.size()) {
            return false;
        }
        lineNo = physical_ + 1;
        std::string_view first = nextPhysical();
        line.assign(first);
        if (trimLeft(first).starts_with(';')) {
            return true;
        }
        while (!line.empty() && line.back() == '\\') {
            line.pop_back();
            if (pos_ >= text_.size()) {
                break;
            }
            line.append(trimLeft(nextPhysical()));
        }
        return true;
    }

private:
    std::string_view nextPhysical() {
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        std::string_view part = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++physical_;
        return trimRight(part);
    }

    std::string_view text_;
    size_t pos_ = 0;
    int physical_ = 0;
};

// Reads one logical line; a failure raises ParseError with the line's number.
class LineParser {
public:
    LineParser(std::string_view line, int lineNo) : rest_(line), lineNo_(lineNo) {}

    [[noreturn]] void fail(const std::string& reason) const {
        throw RegTree::ParseError(lineNo_, reason);
    }

    // "[HIVE\path]": the hive and the path below it.
    std::pair<Hive, std::string_view> section() {
        size_t close = rest_.rfind(']');
        if (close == std::string_view::npos) {
            fail("a key line must end with ']'");
        }
        if (!trimLeft(rest_.substr(close + 1)).empty()) {
            fail("unexpected text after ']'");
        }
        std::string_view inner = rest_.substr(1, close - 1);
        if (inner.starts_with('-')) {
            fail("deleting keys is not supported");
        }
        size_t slash = inner.find('\\');
        std::string_view hiveName = inner.substr(0, slash);
        std::string_view path = slash == std::string_view::npos ? "" : inner.substr(slash + 1);
        for (int h = 0; h < 2; ++h) {
            if (namesEqual(hiveName, kHives[h].longName) ||
                namesEqual(hiveName, kHives[h].shortName)) {
                checkPath(path);
                return {static_cast<Hive>(h), path};
            }
        }
        fail("unknown root key '" + std::string(hiveName) + "'");
    }

    // "name"=data or @=data.
    std::pair<std::string, RegValue> value() {
        std::string name;
        if (rest_.starts_with('@')) {
            rest_.remove_prefix(1);
        } else {
            name = quoted("value name");
        }
        rest_ = trimLeft(rest_);
        if (!rest_.starts_with('=')) {
            fail("'=' expected after the value name");
        }
        rest_ = trimLeft(rest_.substr(1));
        return {std::move(name), data()};
    }

private:
    // Key names must not be empty, and keys nest at most 512 levels deep, as in the Windows
    // registry: the tree is walked recursively, so a deeper file could exhaust the stack.
    void checkPath(std::string_view path) const {
        size_t start = 0;
        int depth = 0;
        while (start <= path.size() && !path.empty()) {
            size_t end = std::min(path.find('\\', start), path.size());
            if (end == start) {
                fail("a key name is empty");
            }
            if (++depth > 512) {
                fail("keys nest deeper than 512 levels");
            }
            start = end + 1;
        }
    }

    // A text in double quotes with \\ and \" as its escapes; rest_ moves past the closing quote.
    std::string quoted(const char* what) {
        if (!rest_.starts_with('"')) {
            fail(std::string("a ") + what + " must be in double quotes");
        }
        std::string out;
        for (size_t i = 1; i < rest_.size(); ++i) {
            char c = rest_[i];
            if (c == '"') {
                rest_.remove_prefix(i + 1);
                return out;
            }
            if (c == '\\') {
                if (i + 1 == rest_.size() || (rest_[i + 1] != '\\' && rest_[i + 1] != '"')) {
                    fail(std::string("a backslash in a ") + what + " must be followed by \\ or \"");
                }
                c = rest_[++i];
            }
            out.push_back(c);
        }
        fail(std::string("the ") + what + " has no closing quote");
    }

    RegValue data() {
        RegValue v;
        if (rest_.starts_with('"')) {
            v = RegValue::text(quoted("text"));
            if (!rest_.empty()) {
                fail("unexpected text after the closing quote");
            }
            return v;
        }
        if (startsWithNoCase(rest_, "dword:")) {
            auto x = parseHex32(rest_.substr(6));
            if (!x) {
                fail("a dword needs 1 to 8 hex digits");
            }
            return RegValue::dword(*x);
        }
        if (startsWithNoCase(rest_, "hex:")) {
            v.type = REG_BINARY;
            v.data = bytes(rest_.substr(4));
            return v;
        }
        if (startsWithNoCase(rest_, "hex(")) {
            size_t close = rest_.find("):", 4);
            auto type = close == std::string_view::npos ? std::nullopt
                                                        : parseHex32(rest_.substr(4, close - 4));
            if (!type) {
                fail("a value type hex(N): needs 1 to 8 hex digits for N");
            }
            v.type = *type;
            v.data = bytes(rest_.substr(close + 2));
            return v;
        }
        if (rest_ == "-") {
            fail("deleting values is not supported");
        }
        fail("the value must be a text in quotes, dword:, hex: or hex(N):");
    }

    // Comma-separated bytes of one or two hex digits each; nothing at all is no bytes.
    std::string bytes(std::string_view list) const {
        std::string out;
        if (trimLeft(list).empty()) {
            return out;
        }
        size_t start = 0;
        while (true) {
            size_t comma = std::min(list.find(',', start), list.size());
            std::string_view item = trimRight(trimLeft(list.substr(start, comma - start)));
            auto x = item.size() <= 2 ? parseHex32(item) : std::nullopt;
            if (!x) {
                fail("'" + std::string(item) + "' is not a byte in hex");
            }
            out.push_back(static_cast<char>(*x));
            if (comma == list.size()) {
                return out;
            }
            start = comma + 1;
        }
    }

    std::string_view rest_;
    int lineNo_;
};

} // namespace

RegTree RegTree::parse(std::string_view text) {
    RegTree tree;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    LineReader reader(text);
    std::string line;
    int lineNo = 0;
    if (!reader.next(line, lineNo)) {
        return tree;
    }
    if (line != kHeader && line != kHeader5) {
        throw ParseError(lineNo, "the first line must be \"REGEDIT4\"");
    }
    Key* current = nullptr;
    while (reader.next(line, lineNo)) {
        std::string_view s = trimLeft(line);
        if (s.empty() || s.starts_with(';')) {
            continue;
        }
        LineParser p(s, lineNo);
        if (s.starts_with('[')) {
            auto [hive, path] = p.section();
            current = &tree.create(hive, path);
        } else if (!current) {
            p.fail("a value before the first key line");
        } else {
            auto [name, value] = p.value();
            setValue(*current, name, value);
        }
    }
    return tree;
}

namespace {

void appendQuoted(std::string& out, std::string_view s) {
    out.push_back('"');
    for (char c : s) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

// A REG_SZ that reads back as itself from "text": one final NUL, no other NUL, no line break.
bool writableAsText(const RegValue& v) {
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != '\0') {
        return false;
    }
    std::string_view body(v.data.data(), v.data.size() - 1);
    return body.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

// Bytes as regedit writes them: "xx,xx,..." wrapped with a backslash before column 80, the
// continuation lines indented by two blanks.
void appendBytes(std::string& out, size_t lineStart, std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
        if (i + 1 < bytes.size()) {
            out.push_back(',');
            if (out.size() - lineStart > 76) {
                out.append("\\\n  ");
                lineStart = out.size() - 2;
            }
        }
    }
}

void appendValue(std::string& out, const std::string& name, const RegValue& v) {
    size_t lineStart = out.size();
    if (name.empty()) {
        out.push_back('@');
    } else {
        appendQuoted(out, name);
    }
    out.push_back('=');
    if (writableAsText(v)) {
        appendQuoted(out, std::string_view(v.data.data(), v.data.size() - 1));
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", v.asDword());
        out.append(buf);
    } else {
        if (v.type == REG_BINARY) {
            out.append("hex:");
        } else {
            char buf[24];
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
            out.append(buf);
        }
        appendBytes(out, lineStart, v.data);
    }
    out.push_back('\n');
}

void appendKey(std::string& out, std::string& path, const RegTree::Key& key, bool isRoot) {
    if (!isRoot || !key.values.empty()) {
        out.push_back('[');
        out.append(path);
        out.append("]\n");
        for (const auto& [name, value] : key.values) {
            appendValue(out, name, value);
        }
        out.push_back('\n');
    }
    for (const auto& sub : key.subkeys) {
        size_t keep = path.size();
        path.push_back('\\');
        path.append(sub->name);
        appendKey(out, path, *sub, false);
        path.resize(keep);
    }
}

} // namespace

std::string RegTree::serialize() const {
    std::string out(kHeader);
    out.append("\n\n");
    for (int h = 0; h < 2; ++h) {
        std::string path(kHives[h].longName);
        appendKey(out, path, roots_[h], true);
    }
    return out;
}

// --- FileRegistry ----------------------------------------------------------------------------

namespace {

std::string errnoText(int err) {
    return std::strerror(err);
}

std::string folderOf(const std::string& path) {
    std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// The whole file; nullopt when it does not exist.
std::optional<std::string> readFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throw Exception("Could not read the settings from " + path + ": " + errnoText(errno));
    }
    std::string text;
    char buf[65536];
    while (true) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            int err = errno;
            ::close(fd);
            throw Exception("Could not read the settings from " + path + ": " + errnoText(err));
        }
        if (n == 0) {
            break;
        }
        text.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return text;
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

// Replaces the file by one holding text: written to a temporary file in the same folder,
// synced, then renamed over the old one, so that the old or the new file is always whole.
void replaceFile(const std::string& path, const std::string& text) {
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    int err = 0;
    if (fd < 0) {
        err = errno;
    } else {
        err = writeAll(fd, text);
        if (err == 0 && ::fsync(fd) != 0) {
            err = errno;
        }
        if (::close(fd) != 0 && err == 0) {
            err = errno;
        }
        if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) {
            err = errno;
        }
        if (err != 0) {
            ::unlink(tmp.c_str());
        }
    }
    if (err != 0) {
        throw Exception("Could not save the settings to " + path + ": " + errnoText(err));
    }
    // The new file is in place; syncing the folder makes the rename itself durable. A failure
    // here cannot be mended and does not undo the save, so it is not reported.
    int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
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
            throw Exception("The settings file " + path +
                            " could not be read and could not be moved aside: " + errnoText(errno));
        }
    }
}

} // namespace

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {}

FileRegistry::~FileRegistry() {
    unlock();
}

std::string FileRegistry::defaultPath() {
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
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
        throw Exception("Could not create the settings folder " + folderOf(path_) + ": " +
                        ec.message());
    }
    std::string lockPath = path_ + ".lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        throw Exception("Could not lock the settings file " + lockPath + ": " + errnoText(errno));
    }
    while (::flock(lockFd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            int err = errno;
            unlock();
            throw Exception("Could not lock the settings file " + lockPath + ": " + errnoText(err));
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
        removeLeftovers(path_);
        std::optional<std::string> text = readFile(path_);
        try {
            tree_ = text ? RegTree::parse(*text) : RegTree();
        } catch (const RegTree::ParseError& e) {
            std::string moved = moveAside(path_);
            tree_ = RegTree();
            notice = "The settings file " + path_ + " could not be read (line " +
                     std::to_string(e.line) + ": " + e.what() + "). It was moved to " + moved +
                     "; the launcher starts with fresh settings.";
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
    if (--depth_ > 0) {
        return;
    }
    // The tree is read afresh at the next begin(); it is let go here in every case.
    RegTree done = std::exchange(tree_, RegTree());
    bool write = std::exchange(dirty_, false);
    try {
        if (write) {
            replaceFile(path_, done.serialize());
        }
    } catch (...) {
        unlock();
        throw;
    }
    unlock();
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
        for (const auto& sub : key->subkeys) {
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

} // namespace vkr
