#include "settings/registry.h"

#include <algorithm>

namespace vkr {

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

RegValue RegValue::text(std::string_view s, uint32_t type) {
    RegValue v;
    v.type = type;
    v.data.assign(s);
    v.data.push_back('\0');
    return v;
}

RegValue RegValue::dword(uint32_t x) {
    RegValue v;
    v.type = REG_DWORD;
    for (int i = 0; i < 4; ++i) {
        v.data.push_back(static_cast<char>((x >> (8 * i)) & 0xFF));
    }
    return v;
}

RegValue RegValue::strings(const std::vector<std::string>& texts) {
    RegValue v;
    v.type = REG_MULTI_SZ;
    for (const std::string& text : texts) {
        v.data.append(std::string_view(text).substr(0, text.find('\0')));
        v.data.push_back('\0');
    }
    v.data.push_back('\0');
    return v;
}

std::vector<std::string> RegValue::asStrings() const {
    std::string_view rest = data;
    if (rest.ends_with(std::string_view("\0\0", 2)) || rest == std::string_view("\0", 1)) {
        rest.remove_suffix(1); // the list's end
    }
    std::vector<std::string> texts;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\0'), rest.size());
        texts.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return texts;
}

std::string RegValue::asText() const {
    return data.ends_with('\0') ? data.substr(0, data.size() - 1) : data;
}

uint32_t RegValue::asDword() const {
    uint32_t x = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i) {
        x |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    }
    return x;
}

std::vector<std::string> splitKeyPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

bool namesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

bool nameLess(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto ca = static_cast<unsigned char>(upper(a[i]));
        auto cb = static_cast<unsigned char>(upper(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    return a.size() < b.size();
}

} // namespace vkr
