#include "settings/profiles.h"

#include <dirent.h>

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

} // namespace

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
    return names;
}

std::vector<std::string> listProfiles(const std::string& gameFolder) {
    return findFiles(gameFolder + "\\users\\*.*");
}

} // namespace vkr
