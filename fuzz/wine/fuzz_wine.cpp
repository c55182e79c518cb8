// Any text is either not a Wine registry file, or reads to keys whose texts end with their NUL,
// and the keys read when all are wanted include, in order and with the same values, those read
// when only some are.
#include "settings/wine_registry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto all = vkr::readWineRegistry(text, [](std::string_view) { return true; });
    auto some = vkr::readWineRegistry(text, [](std::string_view path) { return path.size() % 2; });
    if (all.has_value() != some.has_value()) {
        std::abort();
    }
    if (!all) {
        return 0;
    }
    size_t next = 0;
    for (const auto& key : *all) {
        for (const auto& [name, value] : key.values) {
            if (value.isText() && (value.data.empty() || value.data.back() != '\0')) {
                std::abort();
            }
        }
        if (next < some->size() && (*some)[next].path == key.path) {
            if ((*some)[next].values != key.values) {
                std::abort();
            }
            ++next;
        }
    }
    if (next != some->size()) {
        std::abort();
    }
    return 0;
}
