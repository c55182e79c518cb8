#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace vkr {

struct LauncherSettings {
    std::string executable;
    std::string gameFolder; // read from the game's own key, never written
    bool nosplash = false;
    bool window = false;
    bool close = false;
    bool nomap = false;
    bool flash = false;
    int32_t watchers = 0; // 0 no sounds, 1 built-in sound, 2 the files sound1/sound2
    std::string sound1;
    std::string sound2;
    bool autojoin = false; // the watcher joins by itself when a new game is being set up
    bool notify = true;    // the watcher's alerts also go to the desktop's notifications
    // The server browser's filter: the text its rows must contain and the rows it hides.
    std::string filter;
    bool hideempty = false;
    bool hidefull = false;
    bool hidesilent = false;
    // The browser's sort: its column (-1 or out of range: table order) and direction (0 up).
    int32_t sortcolumn = -1;
    int32_t sortorder = 0;
};

struct ModEntry {
    int32_t id = 0;
    std::string name;
    std::string dir;
    bool checked = false;
};

struct ServerEntry {
    int32_t id = 0;
    std::string name;
    std::string ip;
    std::string port;
    std::string pass;
    bool sockets = false;
    std::string mods;
};

// A fixed table of 1025 row slots; rows are dense in slots 0..lastRow.
template <class Row> class Table {
public:
    static constexpr int capacity = 1025;

    int lastRow = -1;

    int count() const { return lastRow + 1; }
    bool full() const { return count() >= capacity; }
    Row& operator[](int i) { return (*rows_)[static_cast<size_t>(i)]; }
    const Row& operator[](int i) const { return (*rows_)[static_cast<size_t>(i)]; }

    // Appends an empty row and returns it; the caller checks full() first.
    Row& append() {
        ++lastRow;
        (*this)[lastRow] = Row{};
        return (*this)[lastRow];
    }
    // Removes row i; every later row moves down one slot.
    void remove(int i) {
        for (int j = i; j < lastRow; ++j) {
            (*this)[j] = std::move((*this)[j + 1]);
        }
        (*this)[lastRow] = Row{};
        --lastRow;
    }
    void clear() {
        for (int j = 0; j <= lastRow; ++j) {
            (*this)[j] = Row{};
        }
        lastRow = -1;
    }
    bool containsId(int32_t id) const {
        for (int j = 0; j <= lastRow; ++j) {
            if ((*this)[j].id == id) {
                return true;
            }
        }
        return false;
    }

private:
    std::unique_ptr<std::array<Row, capacity>> rows_ =
        std::make_unique<std::array<Row, capacity>>();
};

using ModTable = Table<ModEntry>;
using ServerTable = Table<ServerEntry>;

// The settings store: one instance for the whole run, read and written directly by every window.
struct Store {
    LauncherSettings settings;
    ModTable mods;
    ServerTable servers;

    // What the last load read of the launcher's key: each option (or its fallback), and each
    // table whole. A load that stops part-way leaves the rest false, and saves then leave those
    // values and rows as they stand in the registry, so that nothing that was never read is
    // overwritten or deleted. What was read is saved, with any change made since.
    struct Loaded {
        bool executable = false;
        bool nosplash = false;
        bool window = false;
        bool close = false;
        bool nomap = false;
        bool flash = false;
        bool watchers = false;
        bool sounds = false; // sound1 and sound2, read together
        bool autojoin = false;
        bool notify = false;
        bool filter = false; // filter, hideempty, hidefull and hidesilent, read together
        bool sort = false;   // sortcolumn and sortorder, read together
        bool mods = false;
        bool servers = false;
    } loaded;

    void reset();
};

Store& store();

} // namespace vkr
