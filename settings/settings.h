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

    // True once a load has read the whole table. Until then (and after a load that stopped
    // part-way) saves leave that table's registry rows alone, so that rows that were never read
    // cannot be deleted.
    bool modsLoaded = false;
    bool serversLoaded = false;

    void reset();
};

Store& store();

} // namespace vkr
