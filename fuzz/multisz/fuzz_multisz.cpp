// Any bytes as a list of texts: read then written gives back the bytes when they are a list
// written whole (ending with the list's NUL), and the same texts in any case; the value goes
// through the registry file byte for byte.
#include "settings/registry_tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vkr::RegValue value{vkr::REG_MULTI_SZ,
                              std::string(reinterpret_cast<const char*>(data), size)};
    const std::vector<std::string> texts = value.asStrings();
    const vkr::RegValue written = vkr::RegValue::strings(texts);
    const std::string_view bytes = value.data;
    const bool whole =
        bytes == std::string_view("\0", 1) || bytes.ends_with(std::string_view("\0\0", 2));
    if (written.asStrings() != texts || (whole && written.data != value.data)) {
        std::abort();
    }
    for (const std::string& text : texts) {
        if (text.find('\0') != std::string::npos) {
            std::abort();
        }
    }
    vkr::RegTree tree;
    vkr::RegTree::setValue(tree.create(vkr::Hive::CurrentUser, "Software\\VKR Launcher2"),
                           "friends", value);
    const vkr::RegTree back = vkr::RegTree::parse(tree.serialize());
    const vkr::RegTree::Key* key = back.find(vkr::Hive::CurrentUser, "Software\\VKR Launcher2");
    const vkr::RegValue* v = key ? vkr::RegTree::findValue(*key, "friends") : nullptr;
    if (!v || !(*v == value)) {
        std::abort();
    }
    return 0;
}
