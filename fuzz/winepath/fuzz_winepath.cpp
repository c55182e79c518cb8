// Any path mapped through a prefix whose drive c: leads to drive_c (holding Games/VKR) and
// whose drive e: leads nowhere: a path that is not a Windows path comes back as it is; a
// Windows path comes back below its drive (drive_c for c:, the drive's link otherwise), with no
// "." or ".." left in it, so that no path climbs out of its drive.
#include "settings/wine_prefix.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

std::string makePrefix() {
    char base[] = "/tmp/fuzz-winepath-XXXXXX";
    if (!::mkdtemp(base)) {
        std::abort();
    }
    const std::filesystem::path prefix = base;
    std::filesystem::create_directories(prefix / "dosdevices");
    std::filesystem::create_directories(prefix / "drive_c" / "Games" / "VKR");
    std::filesystem::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    std::filesystem::create_directory_symlink("../nowhere", prefix / "dosdevices" / "e:");
    return prefix.string();
}

bool hasDots(std::string_view path) {
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part == "." || part == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string prefix = makePrefix();
    static const std::string driveC = prefix + "/drive_c";
    const std::string path(reinterpret_cast<const char*>(data), size);
    const std::string mapped = vkr::mapWindowsPath(prefix, path);
    const char d = path.size() >= 2 ? path[0] : '\0';
    const bool windows = ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) && path[1] == ':' &&
                         (path.size() == 2 || path[2] == '\\' || path[2] == '/');
    if (!windows) {
        if (mapped != path) {
            std::abort();
        }
        return 0;
    }
    const std::string below = (d == 'c' || d == 'C') ? driveC : prefix + "/dosdevices/";
    if (!mapped.starts_with(below) || hasDots(mapped.substr(below.size()))) {
        std::abort();
    }
    return 0;
}
