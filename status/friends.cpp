#include "status/friends.h"

#include "settings/translate.h"
#include "settings/utf8.h"

#include <algorithm>
#include <utility>

namespace vkr {

namespace {

bool isBlank(uint32_t c) {
    return c == ' ' || c == '\t';
}

// Lower case of a Latin-1 letter; other characters as they are.
uint32_t folded(uint32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    return c;
}

// Decodes one character of UTF-8 at text[i], advancing i; a byte that does not start a valid
// sequence is taken as its Latin-1 character.
uint32_t nextCharacter(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    int length = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 0;
    if (length > 1 && i + static_cast<size_t>(length) <= text.size()) {
        uint32_t c = lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length && valid; ++k) {
            valid = (byte(i + static_cast<size_t>(k)) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + static_cast<size_t>(k)) & 0x3F);
        }
        const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && c >= least[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
            i += static_cast<size_t>(length);
            return c;
        }
    }
    ++i;
    return lead;
}

// The key of characters: trimmed, folded, as UTF-8, written into out.
template <class Characters> void keyInto(std::string& out, const Characters& characters) {
    out.clear();
    size_t end = 0; // out's size after the last character that is not a space
    for (uint32_t c : characters) {
        if (isBlank(c)) {
            if (!out.empty()) {
                out.push_back(static_cast<char>(c));
            }
            continue;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(folded(c)));
        } else {
            appendUtf8(out, folded(c));
        }
        end = out.size();
    }
    out.resize(end);
}

// The characters of UTF-8 text, one at a time.
struct TypedCharacters {
    std::string_view text;
    struct Iterator {
        std::string_view text;
        size_t at;
        size_t next;
        uint32_t c;
        uint32_t operator*() const { return c; }
        Iterator& operator++() {
            at = next;
            read();
            return *this;
        }
        void read() {
            next = at;
            if (at < text.size()) {
                c = nextCharacter(text, next);
            }
        }
        bool operator!=(const Iterator& o) const { return at != o.at; }
    };
    Iterator begin() const {
        Iterator it{text, 0, 0, 0};
        it.read();
        return it;
    }
    Iterator end() const { return {text, text.size(), text.size(), 0}; }
};

// The characters of text a server sent: one per byte.
struct SentCharacters {
    std::string_view text;
    struct Iterator {
        const char* p;
        uint32_t operator*() const { return static_cast<uint8_t>(*p); }
        Iterator& operator++() {
            ++p;
            return *this;
        }
        bool operator!=(const Iterator& o) const { return p != o.p; }
    };
    Iterator begin() const { return {text.data()}; }
    Iterator end() const { return {text.data() + text.size()}; }
};

constexpr uint64_t hashStart = 14695981039346656037ull;

uint64_t hashed(uint64_t h, uint8_t byte) {
    return (h ^ byte) * 1099511628211ull;
}

uint64_t keyHash(std::string_view key) {
    uint64_t h = hashStart;
    for (char c : key) {
        h = hashed(h, static_cast<uint8_t>(c));
    }
    return h;
}

// The hash of a sent name's key, the name without its surrounding spaces: the same as
// keyHash(sentNameKey(name)), made without the key.
uint64_t sentKeyHash(std::string_view trimmed) {
    uint64_t h = hashStart;
    for (char byte : trimmed) {
        const uint32_t c = folded(static_cast<uint8_t>(byte));
        if (c < 0x80) {
            h = hashed(h, static_cast<uint8_t>(c));
        } else {
            h = hashed(h, static_cast<uint8_t>(0xC0 | (c >> 6)));
            h = hashed(h, static_cast<uint8_t>(0x80 | (c & 0x3F)));
        }
    }
    return h;
}

} // namespace

std::string friendKey(std::string_view typedName) {
    std::string key;
    keyInto(key, TypedCharacters{typedName});
    return key;
}

std::string sentNameKey(std::string_view sentName) {
    std::string key;
    keyInto(key, SentCharacters{sentName});
    return key;
}

bool addFriend(std::vector<std::string>& friends, std::string_view name) {
    const std::string key = friendKey(name);
    if (key.empty() || std::any_of(friends.begin(), friends.end(),
                                   [&](const std::string& f) { return friendKey(f) == key; })) {
        return false;
    }
    const size_t first = name.find_first_not_of(" \t");
    const size_t last = name.find_last_not_of(" \t");
    friends.emplace_back(name.substr(first, last - first + 1));
    return true;
}

bool removeFriend(std::vector<std::string>& friends, std::string_view name) {
    const std::string key = friendKey(name);
    return std::erase_if(friends, [&](const std::string& f) { return friendKey(f) == key; }) > 0;
}

bool isFriend(const std::vector<std::string>& friends, std::string_view sentName) {
    return FriendSet(friends).contains(sentName);
}

FriendSet::FriendSet(const std::vector<std::string>& friends) {
    for (const std::string& name : friends) {
        std::string key = friendKey(name);
        if (!key.empty()) {
            keys_.insert(std::move(key));
        }
    }
    size_t slots = 4;
    while (slots < 4 * keys_.size()) {
        slots *= 2;
    }
    hashes_.assign(slots, 0);
    for (const std::string& key : keys_) {
        const uint64_t h = keyHash(key) | 1; // never 0, the free slot
        size_t i = h & (slots - 1);
        while (hashes_[i] != 0 && hashes_[i] != h) {
            i = (i + 1) & (slots - 1);
        }
        hashes_[i] = h;
    }
}

bool FriendSet::holds(uint64_t hash) const {
    hash |= 1;
    const size_t mask = hashes_.size() - 1;
    for (size_t i = hash & mask; hashes_[i] != 0; i = (i + 1) & mask) {
        if (hashes_[i] == hash) {
            return true;
        }
    }
    return false;
}

bool FriendSet::contains(std::string_view sentName) const {
    if (keys_.empty()) {
        return false;
    }
    size_t first = 0;
    size_t last = sentName.size();
    while (first < last && isBlank(static_cast<uint8_t>(sentName[first]))) {
        ++first;
    }
    while (last > first && isBlank(static_cast<uint8_t>(sentName[last - 1]))) {
        --last;
    }
    const std::string_view trimmed = sentName.substr(first, last - first);
    if (!holds(sentKeyHash(trimmed))) {
        return false;
    }
    keyInto(scratch_, SentCharacters{trimmed});
    return keys_.find(std::string_view(scratch_)) != keys_.end();
}

std::vector<std::string> FriendSet::friendsIn(const ServerStatus& status) const {
    std::vector<std::string> found;
    for (int j = 0; j < status.playerCount && !keys_.empty(); ++j) {
        const std::string_view name = status.playerNameView(j);
        if (contains(name)) {
            found.emplace_back(name);
        }
    }
    return found;
}

void FriendWatch::startPoll() {
    if (answered_) {
        before_ = std::move(now_);
        known_ = true;
    }
    now_.clear();
    answered_ = false;
}

std::vector<std::string> FriendWatch::joined(const FriendSet& friends,
                                             const std::vector<std::string>& players) {
    answered_ = true;
    std::vector<std::string> found;
    for (const std::string& name : players) {
        std::string key = sentNameKey(name);
        if (key.empty() || now_.contains(key)) {
            continue;
        }
        if (known_ && !before_.contains(key) && friends.contains(name)) {
            found.push_back(name);
        }
        now_.insert(std::move(key));
    }
    return found;
}

std::string friendsTooltip(const std::vector<std::string>& names) {
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) {
        list += (i > 0 ? ", " : "") + utf8OfLatin1(names[i]);
    }
    return fillArgs(translate("TForm4", "Friends: %1"), {list});
}

} // namespace vkr
