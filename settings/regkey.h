#pragma once

#include "settings/registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vkr {

// A value read as a text or a number, as RegKey's reads do, from wherever it was found (v is
// null when the value is missing): a missing text reads as empty, a missing number raises
// "Failed to get data for '<name>'", a value of another type "Invalid data type for '<name>'".
std::string textOf(const RegValue* v, std::string_view name);
int32_t integerOf(const RegValue* v, std::string_view name);

// The same reads over a key's section taken out of the registry (Registry::exportKey).
class SectionReader {
public:
    explicit SectionReader(const RegSection& section) : section_(section) {}

    const RegValue* find(std::string_view name) const;
    std::string readString(std::string_view name) const { return textOf(find(name), name); }
    int32_t readInteger(std::string_view name) const { return integerOf(find(name), name); }
    bool readBool(std::string_view name) const { return readInteger(name) != 0; }

private:
    const RegSection& section_;
};

// A cursor on one key of one hive, in the manner of the launcher's registry calls: opening a new
// key replaces the current one; reads and writes act on the current key.
class RegKey {
public:
    RegKey(Registry& reg, Hive hive) : reg_(reg), hive_(hive) {}

    // Opens the key at path (from the hive's root). Without canCreate a missing key is not
    // opened, false is returned and the current key stays as it was.
    bool openKey(std::string_view path, bool canCreate);
    void closeKey();
    bool isOpen() const { return open_; }
    const std::string& currentPath() const { return path_; }

    // A missing text reads as empty; a value that is not REG_SZ or REG_EXPAND_SZ raises
    // ERegistryException "Invalid data type for '<name>'".
    std::string readString(std::string_view name);
    // A missing value raises "Failed to get data for '<name>'", one that is not a REG_DWORD of
    // four bytes "Invalid data type for '<name>'".
    int32_t readInteger(std::string_view name);
    bool readBool(std::string_view name) { return readInteger(name) != 0; }
    bool hasValue(std::string_view name);

    // A list of texts (REG_MULTI_SZ, RegValue::asStrings); a missing value reads as no texts.
    // Any other type raises "Invalid data type for '<name>'".
    std::vector<std::string> readStrings(std::string_view name);

    void write(std::string_view name, const RegValue& value);
    void writeString(std::string_view name, std::string_view value);
    void writeInteger(std::string_view name, int32_t value);
    void writeBool(std::string_view name, bool value) { writeInteger(name, value ? 1 : 0); }

    // Direct subkeys of the current key, in enumeration order.
    std::vector<std::string> getKeyNames();
    // Deletes the subkey of the current key with its whole tree.
    bool deleteKey(std::string_view name);

private:
    void requireOpen() const;

    Registry& reg_;
    Hive hive_;
    bool open_ = false;
    std::string path_;
};

} // namespace vkr
