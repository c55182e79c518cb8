// Any bytes as the settings file: a transaction that changes one value either finds the file
// unreadable (it is then moved aside, never written over, and the new file holds just the
// change), or writes a file that reads back as the first reading with the change, and whose
// every key and value is written the same way again.
#include "settings/registry_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string folder() {
    static const std::string made = [] {
        char base[] = "/dev/shm/fuzz-regfile-XXXXXX"; // no disk behind each exec's fsync
        if (!::mkdtemp(base)) {
            std::abort();
        }
        return std::string(base);
    }();
    return made;
}

std::string contents(const std::string& path) {
    std::stringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::filesystem::remove_all(folder());
    std::filesystem::create_directories(folder());
    const std::string path = folder() + "/registry.reg";
    std::ofstream(path, std::ios::binary) << input;

    std::optional<vkr::RegTree> before;
    try {
        before = vkr::RegTree::parse(input);
    } catch (const vkr::RegTree::ParseError&) {
    }
    vkr::FileRegistry reg(path);
    const std::string notice = reg.begin();
    if (notice.empty() != before.has_value()) {
        std::abort();
    }
    reg.createKey(vkr::Hive::CurrentUser, "Software\\VKR Launcher2");
    reg.setValue(vkr::Hive::CurrentUser, "Software\\VKR Launcher2", "fuzz",
                 vkr::RegValue::dword(7));
    reg.end();
    vkr::RegTree expected = before ? std::move(*before) : vkr::RegTree();
    vkr::RegTree::setValue(expected.create(vkr::Hive::CurrentUser, "Software\\VKR Launcher2"),
                           "fuzz", vkr::RegValue::dword(7));
    const std::string written = contents(path);
    const vkr::RegTree after = vkr::RegTree::parse(written);
    if (!(after == expected) ||
        vkr::RegTree::parse(after.serialize()).serialize() != after.serialize()) {
        std::abort();
    }
    if (!before) {
        bool kept = false;
        for (const auto& entry : std::filesystem::directory_iterator(folder())) {
            kept = kept || (entry.path().filename().string().starts_with("registry.reg.broken-") &&
                            contents(entry.path().string()) == input);
        }
        if (!kept) {
            std::abort();
        }
    }
    return 0;
}
