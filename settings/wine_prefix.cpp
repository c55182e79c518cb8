#include "settings/wine_prefix.h"

#include "settings/profiles.h"
#include "settings/regkey.h"
#include "settings/store.h"
#include "settings/wine_registry.h"

#include "settings/file_read.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <vector>

namespace vkr {

namespace {

// The game's key as Wine's files write key paths (from the root, no leading "\"), and where
// a 64-bit prefix keeps what 32-bit programs write below "Software".
const char* const kWineGameKey = "Software\\Brannock\\Operation Velkrand";
const char* const kWineGameKey32 = "Software\\Wow6432Node\\Brannock\\Operation Velkrand";

struct PrefixText {
    bool keyFound = false;
    std::optional<std::string> text;
};

// A prefix's system.reg runs to megabytes; one larger than this is not Wine's and is ignored.
constexpr size_t kMaxPrefixFile = 64 * 1024 * 1024;

// The wanted keys of a prefix file as last read, and the file's stamp then: each load asks for
// them again, and the file is read again only when it changed. Keyed by path and wanted keys.
struct PrefixRead {
    FileStamp stamp;
    std::optional<std::vector<WineKey>> keys;
};
std::map<std::string, PrefixRead>& prefixReads() {
    static std::map<std::string, PrefixRead> reads;
    return reads;
}

// The keys of the prefix's registry file whose paths are among keys; nullopt when the file is
// missing, not a regular file, too large, unreadable or not Wine's. It is only read, never
// locked or written.
const std::optional<std::vector<WineKey>>& readPrefixKeys(const std::string& path,
                                                          std::initializer_list<std::string> keys) {
    static const std::optional<std::vector<WineKey>> none;
    std::string id = path;
    for (const auto& k : keys) {
        id += '\n' + k;
    }
    auto& reads = prefixReads();
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!stamp) {
        reads.erase(id);
        return none;
    }
    if (auto it = reads.find(id); it != reads.end() && it->second.stamp == *stamp) {
        return it->second.keys;
    }
    FileContent file = readRegularFile(path, kMaxPrefixFile);
    PrefixRead& read = reads[id];
    read.stamp = file.stamp;
    read.keys.reset();
    if (file.status == FileContent::Status::TooLarge) {
        std::fprintf(stderr, "vkr-launcher: %s is larger than 64 MB, so it is not read\n",
                     path.c_str());
    } else if (file.status == FileContent::Status::Read) {
        read.keys = readWineRegistry(file.text, [&](std::string_view keyPath) {
            for (const auto& k : keys) {
                if (namesEqual(keyPath, k)) {
                    return true;
                }
            }
            return false;
        });
    }
    return read.keys;
}

// The text value `name` of the first of keys that has it, in the prefix's registry file.
PrefixText readPrefixText(const std::string& prefix, const char* file,
                          std::initializer_list<std::string> keys, std::string_view name) {
    PrefixText result;
    if (prefix.empty()) {
        return result;
    }
    const auto& found = readPrefixKeys(prefix + "/" + file, keys);
    if (!found) {
        return result;
    }
    for (const auto& k : keys) {
        for (const auto& key : *found) {
            if (!namesEqual(key.path, k)) {
                continue;
            }
            result.keyFound = true;
            const RegValue* v = key.value(name);
            if (v && v->isText()) {
                result.text = v->asText();
                return result;
            }
        }
    }
    return result;
}

// The parts of a path below a drive with "." dropped and each ".." taking away the part before
// it, as Windows reads them: a ".." at the drive's root stays there.
std::string withoutDots(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = std::min(path.find_first_of("\\/", start), path.size());
        std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out;
    for (std::string_view part : parts) {
        out += '\\';
        out += part;
    }
    return out;
}

bool isWindowsPath(const std::string& path) {
    const char d = path.size() >= 2 ? path[0] : '\0';
    return ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) && path[1] == ':' &&
           (path.size() == 2 || path[2] == '\\' || path[2] == '/');
}

} // namespace

std::string winePrefixFolder() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix && *prefix) {
        return prefix;
    }
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.wine" : std::string();
}

std::string executableChooserFolder(const std::string& gameFolder, const std::string& prefix,
                                    const std::string& home) {
    if (!gameFolder.empty()) {
        return gameFolder;
    }
    std::error_code ec;
    const std::string driveC = prefix + "/drive_c";
    return !prefix.empty() && std::filesystem::is_directory(driveC, ec) ? driveC : home;
}

std::string mapWindowsPath(const std::string& prefix, const std::string& path) {
    if (!isWindowsPath(path)) {
        return path;
    }
    const std::string drive = findPathNoCase(prefix + "/dosdevices", path.substr(0, 2));
    std::error_code ec;
    std::string root = std::filesystem::canonical(drive, ec).string();
    if (ec) {
        root = drive; // a drive that leads nowhere: the path is kept below its link
    } else if (root == "/") {
        root.clear(); // findPathNoCase reads an empty folder as the root
    }
    return findPathNoCase(root, withoutDots(std::string_view(path).substr(2)));
}

std::optional<std::string> readGameFolder(Registry& reg, const std::string& prefix) {
    RegKey key(reg, Hive::LocalMachine);
    const bool ownKey = key.openKey(kGameKey, false);
    if (ownKey && reg.queryValue(Hive::LocalMachine, kGameKey, "MAIN")) {
        return mapWindowsPath(prefix, key.readString("MAIN"));
    }
    PrefixText main = readPrefixText(prefix, "system.reg", {kWineGameKey, kWineGameKey32}, "MAIN");
    if (main.text) {
        return mapWindowsPath(prefix, *main.text);
    }
    if (ownKey || main.keyFound) {
        return std::string();
    }
    return std::nullopt;
}

std::string readPlayerName(Registry& reg, const std::string& prefix) {
    RegKey key(reg, Hive::CurrentUser);
    if (key.openKey(kGameKey, false) &&
        reg.queryValue(Hive::CurrentUser, kGameKey, "Player Name")) {
        return key.readString("Player Name");
    }
    return readPrefixText(prefix, "user.reg", {kWineGameKey}, "Player Name").text.value_or("");
}

} // namespace vkr
