#pragma once

#include "settings/errors.h"
#include "settings/registry.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vkr {

// The whole registry held in memory: both hives as trees of keys with values.
// Key and value names compare case-insensitively and keep the spelling they were created with.
class RegTree {
public:
    // Orders names as the registry enumerates them (nameLess); equal names are the same name.
    struct NameOrder {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return nameLess(a, b); }
    };

    // Lookups by name take logarithmic time, so that keys with many values or subkeys load and
    // save in time proportional to their size. Values change only through setValue().
    struct Key {
        std::string name;                                     // spelling as created
        std::vector<std::pair<std::string, RegValue>> values; // in the order first set
        std::map<std::string, size_t, NameOrder> valueIndex;  // position in values by name
        std::map<std::string, std::unique_ptr<Key>, NameOrder> subkeys; // enumeration order
        // When the file read named this key in more than one section: each section's own
        // values, in file order (values holds them merged, later sections winning, as the
        // registry editor imports them). Not written back: a save writes the merged key.
        std::vector<std::vector<std::pair<std::string, RegValue>>> sections;
        // The file's ";" comment lines that stood in the key's sections or just before them
        // (those before the first key line go with the first key), in file order: written
        // before the key's line, they stay with the key.
        std::vector<std::string> comments;
    };

    RegTree();
    RegTree(const RegTree&) = delete;
    RegTree& operator=(const RegTree&) = delete;
    RegTree(RegTree&&) noexcept;
    RegTree& operator=(RegTree&&) noexcept;
    ~RegTree();

    // nullptr when the key does not exist. The root of a hive is the empty path.
    Key* find(Hive hive, std::string_view path);
    const Key* find(Hive hive, std::string_view path) const;
    Key& create(Hive hive, std::string_view path);
    bool remove(Hive hive, std::string_view path);

    static const RegValue* findValue(const Key& key, std::string_view name);
    static void setValue(Key& key, std::string_view name, const RegValue& value);

    // The key's values and subkeys as a detached copy, and back.
    static RegSection exportSection(const Key& key);
    static void importSection(Key& key, const RegSection& section);

    // regedit's text format ("REGEDIT4"); raises ParseError on the first line it cannot read.
    // Keys nest at most 512 levels deep, as in the Windows registry. A text that is empty reads
    // as an empty registry. A key named again in a later section with values gets the values
    // of each of its sections apart in Key::sections; a later section without values adds
    // nothing.
    static RegTree parse(std::string_view text);
    std::string serialize() const;

    bool operator==(const RegTree& other) const;

    struct ParseError : Exception {
        int line;
        ParseError(int line, const std::string& what);
    };

private:
    Key roots_[2];
};

} // namespace vkr
