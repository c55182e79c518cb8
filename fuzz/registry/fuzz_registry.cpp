// Any text either fails to parse with a ParseError, or parses to a tree whose written form
// parses back to the same tree and is written the same way again; a key named in several
// sections holds, merged, exactly the values its sections hold apart.
// An input starting with the byte 01 stands for the rest widened to UTF-16LE behind a
// byte-order mark, as the Windows registry editor exports, so that the format's tokens in the
// dictionary reach the UTF-16 reader too.
#include "settings/registry_tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// True when the key's values are its sections' values merged, later ones winning, for this key
// and every key below it.
bool sectionsMerge(const vkr::RegTree::Key& key) {
    if (!key.sections.empty()) {
        vkr::RegTree::Key merged;
        for (const auto& section : key.sections) {
            for (const auto& [name, value] : section) {
                vkr::RegTree::setValue(merged, name, value);
            }
        }
        if (merged.values.size() != key.values.size()) {
            return false;
        }
        for (const auto& [name, value] : merged.values) {
            const vkr::RegValue* v = vkr::RegTree::findValue(key, name);
            if (!v || !(*v == value)) {
                return false;
            }
        }
    }
    for (const auto& [_, sub] : key.subkeys) {
        if (!sectionsMerge(*sub)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string wide;
    if (text.starts_with('\x01')) {
        wide = "\xFF\xFE";
        for (char c : text.substr(1)) {
            wide.push_back(c);
            wide.push_back('\0');
        }
        text = wide;
    }
    vkr::RegTree tree;
    try {
        tree = vkr::RegTree::parse(text);
    } catch (const vkr::RegTree::ParseError& e) {
        if (e.line < 1) {
            std::abort();
        }
        return 0;
    }
    for (auto hive : {vkr::Hive::LocalMachine, vkr::Hive::CurrentUser}) {
        if (!sectionsMerge(*tree.find(hive, ""))) {
            std::abort();
        }
    }
    std::string written = tree.serialize();
    vkr::RegTree back = vkr::RegTree::parse(written); // a ParseError here escapes: a finding
    if (!(back == tree) || back.serialize() != written) {
        std::abort();
    }
    return 0;
}
