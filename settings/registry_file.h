#pragma once

#include "settings/registry_tree.h"

#include <chrono>
#include <string>
#include <vector>

namespace vkr {

// The registry kept in one text file, read at the start of each outermost transaction and
// written at its end when anything changed: to a temporary file beside it, flushed, then renamed
// over the old one, so that a crash leaves the old or the new file; the new file keeps the old
// one's mode and owner (0600 for a new file). When the file is a symbolic link, its target is
// read and replaced and the link stays; a file with hard links is written in place after its
// copy is safe, so that the links stay one file. A file that is not writable is not replaced:
// the save raises Exception. An advisory lock (flock on "<file>.lock", the file's path resolved)
// is held for the whole transaction, so that two launchers never interleave their loads and
// saves; a lock another program keeps longer than the lock timeout raises Exception.
// Only a regular file of at most 64 MB is read; anything else raises Exception and is left
// alone. A file that cannot be parsed is renamed to "<file>.broken-<timestamp>" and never
// overwritten; the transaction then starts from an empty registry and begin() returns a notice
// naming the new path and the line that failed.
// Every operation other than begin() must run inside a transaction: outside one it raises
// Exception, as does an end() without a begin(). Names holding a line break cannot be stored
// and raise Exception. Two FileRegistry objects on the same file must not nest transactions in
// one process: the second would wait for the first one's lock until the lock timeout.
class FileRegistry : public Registry {
public:
    // A relative path is taken from the current folder now, once: later changes of the current
    // folder (a launch changes into the game's folder) do not move the file.
    explicit FileRegistry(std::string path);
    ~FileRegistry() override;

    // $XDG_CONFIG_HOME/vkr-launcher/registry.reg, or ~/.config/vkr-launcher/registry.reg when
    // XDG_CONFIG_HOME is unset, empty or not an absolute path.
    static std::string defaultPath();

    const std::string& path() const { return path_; }

    // How long begin() and resume() wait for another program's lock before they give up.
    void setLockTimeout(std::chrono::milliseconds t) { lockTimeout_ = t; }

    std::string begin() override;
    void end() override;
    void suspend() override;
    void resume() override;

    bool keyExists(Hive hive, std::string_view path) override;
    void createKey(Hive hive, std::string_view path) override;
    std::optional<RegValue> queryValue(Hive hive, std::string_view path,
                                       std::string_view name) override;
    void setValue(Hive hive, std::string_view path, std::string_view name,
                  const RegValue& value) override;
    std::vector<std::string> subkeyNames(Hive hive, std::string_view path) override;
    bool deleteKey(Hive hive, std::string_view path) override;
    std::optional<RegSection> exportKey(Hive hive, std::string_view path, int section) override;
    void importKey(Hive hive, std::string_view path, const RegSection& section) override;

private:
    RegTree& tree(); // raises Exception outside a transaction
    void lock();     // creates the folder, takes the lock; raises when it cannot
    void unlock();
    void store(); // writes the tree when it changed, then unlocks

    std::string path_;
    RegTree tree_;
    int depth_ = 0;
    bool dirty_ = false;
    int lockFd_ = -1;
    std::vector<int> suspended_; // depths of the transactions let go, innermost last
    std::chrono::milliseconds lockTimeout_{5000};
};

} // namespace vkr
