#include "settings/registry_tree.h"

#include "settings/intparse.h"
#include "settings/translate.h"
#include "settings/utf8.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <set>
#include <utility>

namespace vkr {

RegTree::RegTree() = default;
RegTree::RegTree(RegTree&&) noexcept = default;
RegTree& RegTree::operator=(RegTree&&) noexcept = default;
RegTree::~RegTree() = default;

namespace {

RegTree::Key* child(RegTree::Key& key, std::string_view name) {
    auto it = key.subkeys.find(name);
    return it == key.subkeys.end() ? nullptr : it->second.get();
}

} // namespace

RegTree::Key* RegTree::find(Hive hive, std::string_view path) {
    Key* key = &roots_[static_cast<int>(hive)];
    for (const auto& part : splitKeyPath(path)) {
        key = child(*key, part);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

const RegTree::Key* RegTree::find(Hive hive, std::string_view path) const {
    return const_cast<RegTree*>(this)->find(hive, path);
}

RegTree::Key& RegTree::create(Hive hive, std::string_view path) {
    Key* key = &roots_[static_cast<int>(hive)];
    for (const auto& part : splitKeyPath(path)) {
        auto [it, fresh] = key->subkeys.try_emplace(part);
        if (fresh) {
            it->second = std::make_unique<Key>();
            it->second->name = part;
        }
        key = it->second.get();
    }
    return *key;
}

bool RegTree::remove(Hive hive, std::string_view path) {
    auto parts = splitKeyPath(path);
    if (parts.empty()) {
        return false;
    }
    std::string last = parts.back();
    parts.pop_back();
    Key* parent = &roots_[static_cast<int>(hive)];
    for (const auto& part : parts) {
        parent = child(*parent, part);
        if (!parent) {
            return false;
        }
    }
    return parent->subkeys.erase(last) > 0;
}

const RegValue* RegTree::findValue(const Key& key, std::string_view name) {
    auto it = key.valueIndex.find(name);
    return it == key.valueIndex.end() ? nullptr : &key.values[it->second].second;
}

void RegTree::setValue(Key& key, std::string_view name, const RegValue& value) {
    auto [it, fresh] = key.valueIndex.try_emplace(std::string(name), key.values.size());
    if (fresh) {
        key.values.emplace_back(std::string(name), value);
    } else {
        key.values[it->second].second = value;
    }
}

RegSection RegTree::exportSection(const Key& key) {
    RegSection section;
    section.name = key.name;
    section.values = key.values;
    for (const auto& [_, sub] : key.subkeys) {
        section.subkeys.push_back(exportSection(*sub));
    }
    return section;
}

void RegTree::importSection(Key& key, const RegSection& section) {
    for (const auto& [name, value] : section.values) {
        setValue(key, name, value);
    }
    for (const RegSection& sub : section.subkeys) {
        auto [it, fresh] = key.subkeys.try_emplace(sub.name);
        if (fresh) {
            it->second = std::make_unique<Key>();
            it->second->name = sub.name;
        }
        importSection(*it->second, sub);
    }
}

namespace {

bool keysEqual(const RegTree::Key& a, const RegTree::Key& b) {
    if (a.name != b.name || a.values != b.values || a.comments != b.comments ||
        a.subkeys.size() != b.subkeys.size()) {
        return false;
    }
    for (auto i = a.subkeys.begin(), j = b.subkeys.begin(); i != a.subkeys.end(); ++i, ++j) {
        if (!keysEqual(*i->second, *j->second)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool RegTree::operator==(const RegTree& other) const {
    return keysEqual(roots_[0], other.roots_[0]) && keysEqual(roots_[1], other.roots_[1]);
}

RegTree::ParseError::ParseError(int l, const std::string& what) : Exception(what), line(l) {}

// --- The text format -------------------------------------------------------------------------

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

struct HiveName {
    std::string_view longName;
    std::string_view shortName;
};
constexpr HiveName kHives[2] = {{"HKEY_LOCAL_MACHINE", "HKLM"}, {"HKEY_CURRENT_USER", "HKCU"}};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && namesEqual(s.substr(0, prefix.size()), prefix);
}

// 1 to 8 hex digits, the whole of s.
std::optional<uint32_t> parseHex32(std::string_view s) {
    if (s.empty() || s.size() > 8) {
        return std::nullopt;
    }
    uint32_t x = 0;
    for (char c : s) {
        int d = digitValue(c, 16);
        if (d < 0) {
            return std::nullopt;
        }
        x = (x << 4) | static_cast<uint32_t>(d);
    }
    return x;
}

// UTF-16LE bytes as UTF-8; nullopt for an odd number of bytes or a surrogate without its pair.
std::optional<std::string> utf16ToUtf8(std::string_view bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    auto unit = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        uint32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            uint32_t low = i + 3 < bytes.size() ? unit(i + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, c);
    }
    return out;
}

// Splits the text into logical lines: LF or CRLF ends a physical line; a line ending in a
// backslash goes on with the next one, whose leading blanks are dropped. Comment lines never
// continue.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // False at the end of the text. lineNo is the 1-based number of the logical line's first
    // physical line.
    bool next(std::string& line, int& lineNo) {
        if (pos_ >= text_.size()) {
            return false;
        }
        lineNo = physical_ + 1;
        std::string_view first = nextPhysical();
        line.assign(first);
        if (trimLeft(first).starts_with(';')) {
            return true;
        }
        while (!line.empty() && line.back() == '\\') {
            line.pop_back();
            if (pos_ >= text_.size()) {
                break;
            }
            line.append(trimLeft(nextPhysical()));
        }
        return true;
    }

private:
    std::string_view nextPhysical() {
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        std::string_view part = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++physical_;
        return trimRight(part);
    }

    std::string_view text_;
    size_t pos_ = 0;
    int physical_ = 0;
};

// Reads one logical line; a failure raises ParseError with the line's number.
class LineParser {
public:
    // wideTexts: the file is in the Windows registry editor's current format, whose texts
    // written as hex(1), hex(2) or hex(7) are UTF-16LE bytes.
    LineParser(std::string_view line, int lineNo, bool wideTexts)
        : rest_(line), lineNo_(lineNo), wideTexts_(wideTexts) {}

    [[noreturn]] void fail(const std::string& reason) const {
        throw RegTree::ParseError(lineNo_, reason);
    }

    // "[HIVE\path]": the hive and the path below it.
    std::pair<Hive, std::string_view> section() {
        size_t close = rest_.rfind(']');
        if (close == std::string_view::npos) {
            fail(translate("Settings", "a key line must end with ']'"));
        }
        if (!trimLeft(rest_.substr(close + 1)).empty()) {
            fail(translate("Settings", "unexpected text after ']'"));
        }
        std::string_view inner = rest_.substr(1, close - 1);
        if (inner.starts_with('-')) {
            fail(translate("Settings", "deleting keys is not supported"));
        }
        size_t slash = inner.find('\\');
        std::string_view hiveName = inner.substr(0, slash);
        std::string_view path = slash == std::string_view::npos ? "" : inner.substr(slash + 1);
        for (int h = 0; h < 2; ++h) {
            if (namesEqual(hiveName, kHives[h].longName) ||
                namesEqual(hiveName, kHives[h].shortName)) {
                checkPath(path);
                return {static_cast<Hive>(h), path};
            }
        }
        fail(fillArgs(translate("Settings", "unknown root key '%1'"), {hiveName}));
    }

    // "name"=data or @=data.
    std::pair<std::string, RegValue> value() {
        std::string name;
        if (rest_.starts_with('@')) {
            rest_.remove_prefix(1);
        } else {
            name = quoted(Quoted::name);
        }
        rest_ = trimLeft(rest_);
        if (!rest_.starts_with('=')) {
            fail(translate("Settings", "'=' expected after the value name"));
        }
        rest_ = trimLeft(rest_.substr(1));
        return {std::move(name), data()};
    }

private:
    // Key names must not be empty, and keys nest at most 512 levels deep, as in the Windows
    // registry: the tree is walked recursively, so a deeper file could exhaust the stack.
    void checkPath(std::string_view path) const {
        size_t start = 0;
        int depth = 0;
        while (start <= path.size() && !path.empty()) {
            size_t end = std::min(path.find('\\', start), path.size());
            if (end == start) {
                fail(translate("Settings", "a key name is empty"));
            }
            if (++depth > 512) {
                fail(translate("Settings", "keys nest deeper than 512 levels"));
            }
            start = end + 1;
        }
    }

    // A text in double quotes with \\ and \" as its escapes; rest_ moves past the closing quote.
    // The failures name what is quoted: a value's name or its text.
    enum class Quoted { name, text };
    std::string quoted(Quoted what) {
        const bool name = what == Quoted::name;
        if (!rest_.starts_with('"')) {
            fail(name ? translate("Settings", "a value name must be in double quotes")
                      : translate("Settings", "a text must be in double quotes"));
        }
        std::string out;
        for (size_t i = 1; i < rest_.size(); ++i) {
            char c = rest_[i];
            if (c == '"') {
                rest_.remove_prefix(i + 1);
                return out;
            }
            if (c == '\\') {
                if (i + 1 == rest_.size() || (rest_[i + 1] != '\\' && rest_[i + 1] != '"')) {
                    fail(name ? translate("Settings", "a backslash in a value name must be "
                                                      "followed by \\ or \"")
                              : translate("Settings",
                                          "a backslash in a text must be followed by \\ or \""));
                }
                c = rest_[++i];
            }
            out.push_back(c);
        }
        fail(name ? translate("Settings", "the value name has no closing quote")
                  : translate("Settings", "the text has no closing quote"));
    }

    RegValue data() {
        RegValue v;
        if (rest_.starts_with('"')) {
            v = RegValue::text(quoted(Quoted::text));
            if (!rest_.empty()) {
                fail(translate("Settings", "unexpected text after the closing quote"));
            }
            return v;
        }
        if (startsWithNoCase(rest_, "dword:")) {
            auto x = parseHex32(rest_.substr(6));
            if (!x) {
                fail(translate("Settings", "a dword needs 1 to 8 hex digits"));
            }
            return RegValue::dword(*x);
        }
        if (startsWithNoCase(rest_, "hex:")) {
            v.type = REG_BINARY;
            v.data = bytes(rest_.substr(4));
            return v;
        }
        if (startsWithNoCase(rest_, "hex(")) {
            size_t close = rest_.find("):", 4);
            auto type = close == std::string_view::npos ? std::nullopt
                                                        : parseHex32(rest_.substr(4, close - 4));
            if (!type) {
                fail(translate("Settings", "a value type hex(N): needs 1 to 8 hex digits for N"));
            }
            v.type = *type;
            v.data = bytes(rest_.substr(close + 2));
            if (wideTexts_ && (v.type == REG_SZ || v.type == REG_EXPAND_SZ || v.type == 7)) {
                // The launcher's texts are UTF-8. Bytes that are not UTF-16 are kept as they are.
                if (std::optional<std::string> utf8 = utf16ToUtf8(v.data)) {
                    v.data = std::move(*utf8);
                }
            }
            return v;
        }
        if (rest_ == "-") {
            fail(translate("Settings", "deleting values is not supported"));
        }
        fail(translate("Settings", "the value must be a text in quotes, dword:, hex: or hex(N):"));
    }

    // Comma-separated bytes of one or two hex digits each; nothing at all is no bytes.
    std::string bytes(std::string_view list) const {
        std::string out;
        if (trimLeft(list).empty()) {
            return out;
        }
        size_t start = 0;
        while (true) {
            size_t comma = std::min(list.find(',', start), list.size());
            std::string_view item = trimRight(trimLeft(list.substr(start, comma - start)));
            auto x = item.size() <= 2 ? parseHex32(item) : std::nullopt;
            if (!x) {
                fail(fillArgs(translate("Settings", "'%1' is not a byte in hex"), {item}));
            }
            out.push_back(static_cast<char>(*x));
            if (comma == list.size()) {
                return out;
            }
            start = comma + 1;
        }
    }

    std::string_view rest_;
    int lineNo_;
    bool wideTexts_;
};

} // namespace

RegTree RegTree::parse(std::string_view text) {
    RegTree tree;
    std::string fromWide;
    if (text.starts_with("\xFF\xFE")) {
        // UTF-16LE with a byte-order mark, as the Windows registry editor exports.
        std::optional<std::string> utf8 = utf16ToUtf8(text.substr(2));
        if (!utf8) {
            throw ParseError(
                1, translate("Settings", "the file starts as UTF-16 but is not valid UTF-16"));
        }
        fromWide = std::move(*utf8);
        text = fromWide;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    LineReader reader(text);
    std::string line;
    int lineNo = 0;
    if (!reader.next(line, lineNo)) {
        return tree;
    }
    if (line != kHeader && line != kHeader5) {
        throw ParseError(lineNo, translate("Settings", "the first line must be \"REGEDIT4\""));
    }
    const bool wideTexts = line == kHeader5;
    Key* current = nullptr;
    std::set<const Key*> named; // keys a section has named
    // Each step below costs at most the size of its own line (a key's values are copied into
    // its first section once, when a later section brings values), so that files repeating a
    // key or its header any number of times read in time proportional to their size.
    bool again = false;  // the current section names a key that an earlier one named
    bool opened = false; // the current key's own section has been started in Key::sections
    std::map<std::string, size_t, NameOrder> ownIndex; // the section's values by name
    std::vector<std::string> comments;                 // not yet given to a key
    auto keepComments = [&] {
        if (current) {
            std::move(comments.begin(), comments.end(), std::back_inserter(current->comments));
            comments.clear();
        }
    };
    while (reader.next(line, lineNo)) {
        std::string_view s = trimLeft(line);
        if (s.starts_with(';')) {
            comments.push_back(line);
            continue;
        }
        if (s.empty()) {
            continue;
        }
        LineParser p(s, lineNo, wideTexts);
        if (s.starts_with('[')) {
            auto [hive, path] = p.section();
            current = &tree.create(hive, path);
            keepComments();
            again = !named.insert(current).second;
            opened = false;
            ownIndex.clear();
        } else if (!current) {
            p.fail(translate("Settings", "a value before the first key line"));
        } else {
            keepComments();
            std::pair<std::string, RegValue> value = p.value();
            if (again) {
                // A later section without values adds nothing: its own values start with its
                // first value.
                if (!opened) {
                    if (current->sections.empty()) {
                        current->sections.push_back(current->values);
                    }
                    current->sections.emplace_back();
                    opened = true;
                }
                setValue(*current, value.first, value.second);
                auto& own = current->sections.back();
                auto [it, fresh] = ownIndex.try_emplace(value.first, own.size());
                if (fresh) {
                    own.push_back(std::move(value));
                } else {
                    own[it->second].second = std::move(value.second);
                }
            } else {
                setValue(*current, value.first, value.second);
            }
        }
    }
    keepComments();
    return tree;
}

namespace {

void appendQuoted(std::string& out, std::string_view s) {
    out.push_back('"');
    for (char c : s) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

// A REG_SZ that reads back as itself from "text": one final NUL, no other NUL, no line break.
bool writableAsText(const RegValue& v) {
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != '\0') {
        return false;
    }
    std::string_view body(v.data.data(), v.data.size() - 1);
    return body.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

// Bytes as regedit writes them: "xx,xx,..." wrapped with a backslash before column 80, the
// continuation lines indented by two blanks.
void appendBytes(std::string& out, size_t lineStart, std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
        if (i + 1 < bytes.size()) {
            out.push_back(',');
            if (out.size() - lineStart > 76) {
                out.append("\\\n  ");
                lineStart = out.size() - 2;
            }
        }
    }
}

void appendValue(std::string& out, const std::string& name, const RegValue& v) {
    size_t lineStart = out.size();
    if (name.empty()) {
        out.push_back('@');
    } else {
        appendQuoted(out, name);
    }
    out.push_back('=');
    if (writableAsText(v)) {
        appendQuoted(out, std::string_view(v.data.data(), v.data.size() - 1));
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", v.asDword());
        out.append(buf);
    } else {
        if (v.type == REG_BINARY) {
            out.append("hex:");
        } else {
            char buf[24];
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
            out.append(buf);
        }
        appendBytes(out, lineStart, v.data);
    }
    out.push_back('\n');
}

void appendKey(std::string& out, std::string& path, const RegTree::Key& key, bool isRoot) {
    if (!isRoot || !key.values.empty() || !key.comments.empty()) {
        for (const std::string& comment : key.comments) {
            out.append(comment);
            out.push_back('\n');
        }
        out.push_back('[');
        out.append(path);
        out.append("]\n");
        for (const auto& [name, value] : key.values) {
            appendValue(out, name, value);
        }
        out.push_back('\n');
    }
    for (const auto& [_, sub] : key.subkeys) {
        size_t keep = path.size();
        path.push_back('\\');
        path.append(sub->name);
        appendKey(out, path, *sub, false);
        path.resize(keep);
    }
}

} // namespace

std::string RegTree::serialize() const {
    std::string out(kHeader);
    out.append("\n\n");
    for (int h = 0; h < 2; ++h) {
        std::string path(kHives[h].longName);
        appendKey(out, path, roots_[h], true);
    }
    return out;
}

} // namespace vkr
