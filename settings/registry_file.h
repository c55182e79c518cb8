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
    struct Key {
        std::string name;                                     // spelling as created
        std::vector<std::pair<std::string, RegValue>> values; // in the order first set
        std::vector<std::unique_ptr<Key>> subkeys;            // kept in enumeration order
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

    // regedit's text format ("REGEDIT4"); raises ParseError on the first line it cannot read.
    // Keys nest at most 512 levels deep, as in the Windows registry. A text that is empty reads
    // as an empty registry.
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

// The registry kept in one text file, read at the start of each outermost transaction and
// written at its end when anything changed: to a temporary file in the same folder, flushed,
// then renamed over the old one, so that a crash leaves the old or the new file. An advisory
// lock (flock on "<file>.lock") is held for the whole transaction, so that two launchers never
// interleave their loads and saves. A file that cannot be parsed is renamed to
// "<file>.broken-<timestamp>" and never overwritten; the transaction then starts from an empty
// registry and begin() returns a notice naming the new path and the line that failed.
// Every operation other than begin() must run inside a transaction: outside one it raises
// Exception, as does an end() without a begin(). Names holding a line break cannot be stored
// and raise Exception. Two FileRegistry objects on the same file must not nest transactions in
// one process: the second would wait for the first one's lock.
class FileRegistry : public Registry {
public:
    explicit FileRegistry(std::string path);
    ~FileRegistry() override;

    // $XDG_CONFIG_HOME/vkr-launcher/registry.reg, or ~/.config/vkr-launcher/registry.reg.
    static std::string defaultPath();

    const std::string& path() const { return path_; }

    std::string begin() override;
    void end() override;

    bool keyExists(Hive hive, std::string_view path) override;
    void createKey(Hive hive, std::string_view path) override;
    std::optional<RegValue> queryValue(Hive hive, std::string_view path,
                                       std::string_view name) override;
    void setValue(Hive hive, std::string_view path, std::string_view name,
                  const RegValue& value) override;
    std::vector<std::string> subkeyNames(Hive hive, std::string_view path) override;
    bool deleteKey(Hive hive, std::string_view path) override;

private:
    RegTree& tree(); // raises Exception outside a transaction
    void lock();     // creates the folder, takes the lock; raises when it cannot
    void unlock();

    std::string path_;
    RegTree tree_;
    int depth_ = 0;
    bool dirty_ = false;
    int lockFd_ = -1;
};

} // namespace vkr
