#include "settings/intparse.h"

#include "settings/errors.h"
#include "settings/translate.h"

#include <string>

namespace vkr {

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v;
}

std::optional<int32_t> tryParseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int d = digitValue(text[i], base);
        if (d < 0) {
            return std::nullopt;
        }
        value = value * base + d;
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
    }
    int64_t result;
    if (base == 16) {
        // Hexadecimal texts name the 32 bits directly: $FFFFFFFF is -1.
        result = static_cast<int32_t>(static_cast<uint32_t>(value));
        if (negative) {
            result = -result;
        }
    } else {
        result = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    }
    if (result < INT32_MIN || result > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(result);
}

int32_t parseInt(std::string_view text) {
    if (auto v = tryParseInt(text)) {
        return *v;
    }
    throw EConvertError(
        fillArgs(translate("Settings", "'%1' is not a valid integer value"), {text}));
}

} // namespace vkr
