#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace vkr {

enum class Hive { LocalMachine, CurrentUser };

// Value types, numbered as the Windows registry numbers them.
enum RegType : uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_MULTI_SZ = 7,
};

// A value as the registry holds it: its type and its raw bytes. Texts (REG_SZ, REG_EXPAND_SZ)
// end with one NUL byte, a REG_DWORD is four bytes, least significant first, and a list of
// texts (REG_MULTI_SZ) is each text with its NUL, then one more NUL.
struct RegValue {
    uint32_t type = REG_NONE;
    std::string data;

    static RegValue text(std::string_view s, uint32_t type = REG_SZ);
    static RegValue dword(uint32_t v);
    // A REG_MULTI_SZ of the texts, each cut at a NUL it holds; empty texts keep their place.
    static RegValue strings(const std::vector<std::string>& texts);

    bool isText() const { return type == REG_SZ || type == REG_EXPAND_SZ; }
    // The text without its terminating NUL. A NUL inside the text stays, so that a text written
    // back as it was read keeps every byte.
    std::string asText() const;
    // The first four bytes as a number; missing bytes count as 0.
    uint32_t asDword() const;
    // The texts of a REG_MULTI_SZ, empty ones in their place: each text ends with a NUL, and
    // one more NUL ends the list. A list whose end is missing (its last NULs cut off) reads as
    // far as it goes. strings(asStrings()) gives back the bytes of every list written whole.
    std::vector<std::string> asStrings() const;

    bool operator==(const RegValue&) const = default;
};

// A key's content apart from the registry: its values in their order and its subkeys.
struct RegSection {
    std::string name;
    std::vector<std::pair<std::string, RegValue>> values;
    std::vector<RegSection> subkeys;

    bool empty() const { return values.empty() && subkeys.empty(); }
    bool operator==(const RegSection&) const = default;
};

// Splits a key path at its backslashes, dropping empty parts, so that "\Software\A\" and
// "Software\A" name the same key.
std::vector<std::string> splitKeyPath(std::string_view path);

// Key and value names compare without regard to case (ASCII letters), as in the Windows registry.
bool namesEqual(std::string_view a, std::string_view b);
// The order in which the registry enumerates subkeys: by name, case folded to upper case.
bool nameLess(std::string_view a, std::string_view b);

// The registry operations the launcher relies on. Keys are named by their hive and their path
// from the hive's root. Between begin() and end() the operations form one transaction: a store
// that keeps the registry in a file reads it at the outermost begin() and writes it, when
// anything changed, at the matching end(). Transactions nest.
class Registry {
public:
    virtual ~Registry() = default;

    // Starts a transaction. Returns a notice for the user when the stored settings could not be
    // read and were set aside (empty otherwise).
    virtual std::string begin() = 0;
    // Ends the transaction started by the matching begin(); raises Exception when the
    // changes cannot be stored.
    virtual void end() = 0;
    // Lets go of the store inside a transaction while the user is asked something: the changes
    // made so far are stored, and other programs (and transactions begun meanwhile, which are
    // transactions of their own) may use the store until resume(), which reads it afresh.
    // resume() raises Exception when the store cannot be taken back.
    virtual void suspend() = 0;
    virtual void resume() = 0;

    virtual bool keyExists(Hive hive, std::string_view path) = 0;
    // Creates the key and any missing parents; an existing key is left as it is.
    virtual void createKey(Hive hive, std::string_view path) = 0;
    virtual std::optional<RegValue> queryValue(Hive hive, std::string_view path,
                                               std::string_view name) = 0;
    // The key must exist.
    virtual void setValue(Hive hive, std::string_view path, std::string_view name,
                          const RegValue& value) = 0;
    // The names of the key's direct subkeys in enumeration order (nameLess).
    virtual std::vector<std::string> subkeyNames(Hive hive, std::string_view path) = 0;
    // Deletes the key with all its subkeys and values; false when it does not exist.
    virtual bool deleteKey(Hive hive, std::string_view path) = 0;

    // The key with its subkeys as a detached copy; nullopt when it does not exist. A file may
    // name one key in more than one section: the operations above see the sections' values
    // merged, later sections winning, and exportKey(path, n) gives the values of the n-th
    // section alone (counting from 0, the first with the subkeys); nullopt past the last.
    virtual std::optional<RegSection> exportKey(Hive hive, std::string_view path, int section) = 0;
    // Adds the section's values and subkeys to the key at path, created with its parents when
    // missing; values of the same name are replaced.
    virtual void importKey(Hive hive, std::string_view path, const RegSection& section) = 0;
};

// Runs ask (a question to the user) inside a transaction of reg with the store let go, so that
// nothing waits on the user's answer.
template <class F> void whileAsking(Registry& reg, F&& ask) {
    reg.suspend();
    try {
        ask();
    } catch (...) {
        try {
            reg.resume();
        } catch (...) {
            // The question's own error is the one to report.
        }
        throw;
    }
    reg.resume();
}

// Runs f inside one transaction of reg, ending it however f leaves. A notice from begin() is
// handed to onNotice, with the store let go, before f runs.
template <class F, class N> auto inTransaction(Registry& reg, N&& onNotice, F&& f) {
    std::string notice = reg.begin();
    struct Ender {
        Registry& reg;
        bool failed = true;
        ~Ender() {
            if (failed) {
                // f raised: its error is the one to report, a failed write adds nothing to it.
                try {
                    reg.end();
                } catch (...) {
                }
            }
        }
    } ender{reg};
    if (!notice.empty()) {
        whileAsking(reg, [&] { onNotice(notice); });
    }
    if constexpr (std::is_void_v<decltype(f())>) {
        f();
        ender.failed = false;
        reg.end();
    } else {
        auto result = f();
        ender.failed = false;
        reg.end();
        return result;
    }
}

} // namespace vkr
