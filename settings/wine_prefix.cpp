#include "settings/wine_prefix.h"

#include "settings/profiles.h"
#include "settings/regkey.h"
#include "settings/store.h"
#include "settings/wine_registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>

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

// The text value `name` of the first of keys that has it, in the prefix's registry file.
PrefixText readPrefixText(const std::string& prefix, const char* file,
                          std::initializer_list<std::string> keys, std::string_view name) {
    PrefixText result;
    if (prefix.empty()) {
        return result;
    }
    // Read whole and at once (a prefix's system.reg runs to megabytes), never locked or written.
    // Only a regular file is read: a folder or a pipe of that name counts as missing.
    const std::string path = prefix + "/" + file;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(size, '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<size_t>(in.gcount()));
    auto found = readWineRegistry(text, [&](std::string_view keyPath) {
        for (const auto& k : keys) {
            if (namesEqual(keyPath, k)) {
                return true;
            }
        }
        return false;
    });
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
    return findPathNoCase(root, path.substr(2));
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
