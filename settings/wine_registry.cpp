#include "settings/wine_registry.h"

#include "settings/intparse.h"
#include "settings/utf8.h"

#include <cstdint>
#include <cstring>

namespace vkr {

namespace {

// The lines of a text, without their line ends (LF or CRLF).
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) {
            return false;
        }
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        pos_ = end + 1;
        return true;
    }

    // The next line when it is indented, as a line continuing a value is.
    bool nextIndented(std::string_view& line) {
        if (pos_ >= text_.size() || (text_[pos_] != ' ' && text_[pos_] != '\t')) {
            return false;
        }
        return next(line);
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

int hexDigit(char c) {
    return digitValue(c, 16);
}

// Builds UTF-8 text from UTF-16 code units and bytes that are already UTF-8. A surrogate
// pair becomes one character; a surrogate without its partner becomes U+FFFD.
class TextBuilder {
public:
    void unit(uint32_t u) {
        if (high_ != 0 && u >= 0xDC00 && u <= 0xDFFF) {
            appendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00));
            high_ = 0;
            return;
        }
        flush();
        if (u >= 0xD800 && u <= 0xDBFF) {
            high_ = u;
        } else {
            appendUtf8(out_, u >= 0xDC00 && u <= 0xDFFF ? 0xFFFD : u);
        }
    }
    void byte(char c) {
        flush();
        out_ += c;
    }
    std::string take() {
        flush();
        return std::move(out_);
    }

private:
    void flush() {
        if (high_ != 0) {
            appendUtf8(out_, 0xFFFD);
            high_ = 0;
        }
    }

    std::string out_;
    uint32_t high_ = 0;
};

// Reads escaped text from s at pos up to the unescaped endChar, leaving pos after it.
// nullopt when the text does not end on this line.
std::optional<std::string> unescape(std::string_view s, size_t& pos, char endChar) {
    TextBuilder text;
    while (pos < s.size() && s[pos] != endChar) {
        char c = s[pos++];
        if (c != '\\' || pos >= s.size()) {
            text.byte(c);
            continue;
        }
        c = s[pos++];
        static constexpr std::string_view kLetters = "abefnrtv";
        static constexpr char kCodes[] = {'\a', '\b', '\x1b', '\f', '\n', '\r', '\t', '\v'};
        if (auto k = kLetters.find(c); k != std::string_view::npos) {
            text.unit(static_cast<unsigned char>(kCodes[k]));
        } else if (c == 'x') {
            uint32_t u = 0;
            int digits = 0;
            for (int d; digits < 4 && pos < s.size() && (d = hexDigit(s[pos])) >= 0; ++digits) {
                u = u * 16 + static_cast<uint32_t>(d);
                ++pos;
            }
            // "\x" without a digit is the letter itself, as Wine reads it.
            digits == 0 ? text.byte('x') : text.unit(u);
        } else if (c >= '0' && c <= '7') {
            uint32_t u = static_cast<uint32_t>(c - '0');
            for (int n = 1; n < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++n) {
                u = u * 8 + static_cast<uint32_t>(s[pos++] - '0');
            }
            text.unit(u);
        } else {
            text.byte(c); // \\, \" and any other escaped byte stand for themselves
        }
    }
    if (pos >= s.size()) {
        return std::nullopt;
    }
    ++pos;
    return text.take();
}

void skipBlanks(std::string_view s, size_t& pos) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) {
        ++pos;
    }
}

// word at pos, then optionally a type number in hex in brackets, then ":" ("str:", "hex(7):");
// the number, when there is one, goes to type.
bool readPrefix(std::string_view s, size_t& pos, std::string_view word, uint32_t& type) {
    if (s.substr(pos, word.size()) != word) {
        return false;
    }
    size_t p = pos + word.size();
    if (p < s.size() && s[p] == '(') {
        uint32_t t = 0;
        int digits = 0;
        for (++p; p < s.size() && hexDigit(s[p]) >= 0; ++p, ++digits) {
            t = t * 16 + static_cast<uint32_t>(hexDigit(s[p]));
        }
        if (digits == 0 || digits > 8 || p >= s.size() || s[p] != ')') {
            return false;
        }
        type = t;
        ++p;
    }
    if (p >= s.size() || s[p] != ':') {
        return false;
    }
    pos = p + 1;
    return true;
}

// Comma-separated hex bytes; a "\" at the end of a line continues on the next, indented one.
std::optional<std::string> readHexBytes(std::string_view line, size_t pos, Lines& lines) {
    std::string bytes;
    for (;;) {
        skipBlanks(line, pos);
        if (pos >= line.size()) {
            return bytes;
        }
        if (line[pos] == '\\' && pos + 1 == line.size()) {
            if (!lines.nextIndented(line)) {
                return std::nullopt;
            }
            pos = 0;
            continue;
        }
        if (pos + 1 >= line.size() || hexDigit(line[pos]) < 0 || hexDigit(line[pos + 1]) < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(hexDigit(line[pos]) * 16 + hexDigit(line[pos + 1]));
        pos += 2;
        skipBlanks(line, pos);
        if (pos < line.size() && line[pos] == ',') {
            ++pos;
        } else if (pos < line.size() && line[pos] != '\\') {
            return std::nullopt;
        }
    }
}

// Texts stored as bytes are UTF-16, least significant byte first.
std::string utf16Text(const std::string& bytes) {
    TextBuilder text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.unit(static_cast<unsigned char>(bytes[i]) |
                  static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    }
    std::string out = text.take();
    if (out.empty() || out.back() != '\0') {
        out += '\0';
    }
    return out;
}

// One value line (with any continuation lines); nullopt when it cannot be read.
std::optional<std::pair<std::string, RegValue>> readValue(std::string_view line, Lines& lines) {
    size_t pos = 1; // after the "@" of the default value, or the quote opening a name
    std::string name;
    if (line[0] != '@') {
        auto n = unescape(line, pos, '"');
        if (!n) {
            return std::nullopt;
        }
        name = std::move(*n);
    }
    skipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    ++pos;
    skipBlanks(line, pos);

    RegValue value;
    uint32_t type = REG_SZ;
    if (pos < line.size() && line[pos] == '"') {
        value.type = REG_SZ;
    } else if (readPrefix(line, pos, "str", type)) {
        if (pos >= line.size() || line[pos] != '"') {
            return std::nullopt;
        }
        value.type = type;
    } else if (line.substr(pos, 6) == "dword:") {
        pos += 6;
        uint32_t x = 0;
        int digits = 0;
        for (; pos < line.size() && hexDigit(line[pos]) >= 0; ++pos, ++digits) {
            x = x * 16 + static_cast<uint32_t>(hexDigit(line[pos]));
        }
        if (digits == 0 || digits > 8) {
            return std::nullopt;
        }
        return std::pair{std::move(name), RegValue::dword(x)};
    } else if (type = REG_BINARY; readPrefix(line, pos, "hex", type)) {
        auto bytes = readHexBytes(line, pos, lines);
        if (!bytes) {
            return std::nullopt;
        }
        value.type = type;
        value.data = value.isText() ? utf16Text(*bytes) : std::move(*bytes);
        return std::pair{std::move(name), std::move(value)};
    } else {
        return std::nullopt;
    }
    ++pos; // the opening quote
    auto text = unescape(line, pos, '"');
    if (!text) {
        return std::nullopt;
    }
    value.data = std::move(*text);
    value.data += '\0';
    return std::pair{std::move(name), std::move(value)};
}

} // namespace

const RegValue* WineKey::value(std::string_view name) const {
    for (const auto& [n, v] : values) {
        if (namesEqual(n, name)) {
            return &v;
        }
    }
    return nullptr;
}

std::optional<std::vector<WineKey>>
readWineRegistry(std::string_view text, const std::function<bool(std::string_view)>& wanted) {
    Lines lines(text);
    std::string_view line;
    if (!lines.next(line) ||
        line.substr(0, line.find_last_not_of(" \t") + 1) != "WINE REGISTRY Version 2") {
        return std::nullopt;
    }
    std::vector<WineKey> keys;
    WineKey* current = nullptr; // the wanted key whose values follow, if any
    while (lines.next(line)) {
        if (line.empty()) {
            continue;
        }
        if (line[0] == '[') {
            size_t pos = 1;
            auto path = unescape(line, pos, ']');
            current = nullptr;
            if (path && wanted(*path)) {
                keys.push_back({std::move(*path), {}});
                current = &keys.back();
            }
        } else if (current && (line[0] == '"' || line[0] == '@')) {
            if (auto value = readValue(line, lines)) {
                current->values.push_back(std::move(*value));
            }
        }
        // Comments (";"), options ("#time=", "#arch=", "#link") and anything else are skipped.
    }
    return keys;
}

} // namespace vkr
