#include "settings/profiles.h"

#include "settings/registry.h"

#include <dirent.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string_view>

namespace vkr {

namespace {

bool wildcardMatch(const char* mask, const char* name) {
    if (*mask == '\0') {
        return *name == '\0';
    }
    if (*mask == '*') {
        for (const char* n = name;; ++n) {
            if (wildcardMatch(mask + 1, n)) {
                return true;
            }
            if (*n == '\0') {
                return false;
            }
        }
    }
    if (*name == '\0') {
        return false;
    }
    return (*mask == '?' || *mask == *name) && wildcardMatch(mask + 1, name + 1);
}

bool maskMatches(const std::string& mask, const std::string& name) {
    // "*.*" also matches names without a dot: Windows reads a trailing ".*" as optional.
    if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0 &&
        wildcardMatch(mask.substr(0, mask.size() - 2).c_str(), name.c_str())) {
        return true;
    }
    return wildcardMatch(mask.c_str(), name.c_str());
}

bool entryExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// The name in folder that equals name but for the case of ASCII letters; empty when none does.
std::string nameNoCase(const std::string& folder, const std::string& name) {
    std::string best;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "/" : folder.c_str()),
                                            closedir);
    if (!dir) {
        return best;
    }
    while (dirent* entry = readdir(dir.get())) {
        std::string_view n = entry->d_name;
        if (namesEqual(n, name) && (best.empty() || n < best)) {
            best = n;
        }
    }
    return best;
}

} // namespace

std::string findPathNoCase(const std::string& folder, const std::string& relative) {
    std::string path = folder;
    bool found = true; // below a part that was not found nothing is looked up
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find_first_of("\\/", start);
        if (end == std::string::npos) {
            end = relative.size();
        }
        const std::string part = relative.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            continue;
        }
        if (found && !entryExists(path + "/" + part)) {
            const std::string other = nameNoCase(path, part);
            found = !other.empty();
            path += "/" + (found ? other : part);
        } else {
            path += "/" + part;
        }
    }
    return path;
}

std::vector<std::string> findFiles(const std::string& pattern) {
    std::string p = pattern;
    for (char& c : p) {
        if (c == '\\') {
            c = '/';
        }
    }
    const std::string_view whole(p);
    const auto slash = whole.rfind('/');
    std::string folder(".");
    std::string mask(whole);
    if (slash != std::string_view::npos) {
        folder = slash == 0 ? std::string("/") : std::string(whole.substr(0, slash));
        mask = std::string(whole.substr(slash + 1));
    }

    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) {
        return names;
    }
    while (dirent* entry = readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name != "." && name != ".." && maskMatches(mask, name)) {
            names.push_back(std::move(name));
        }
    }
    // Windows lists a folder by name regardless of case; names that differ only in case (which
    // a Linux folder can hold) follow in byte order, so the order never depends on the disk.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return nameLess(a, b) || (!nameLess(b, a) && a < b);
    });
    return names;
}

std::vector<std::string> listProfiles(const std::string& gameFolder) {
    return findFiles(findPathNoCase(gameFolder, "users") + "/*.*");
}

} // namespace vkr
