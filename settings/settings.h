#pragma once

#include "settings/registry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vkr {

// The longest text a text field holds (in UTF-16 units); a longer stored option is not loaded,
// so that it is never saved back cut.
inline constexpr size_t kMaxTextLength = 32767;

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
    bool friendsonly = false; // only the servers where a friend plays
    // The browser's sort: its column (-1 or out of range: table order) and direction (0 up).
    int32_t sortcolumn = -1;
    int32_t sortorder = 0;
    // The widths of the browser's columns as the user left them (the header's state, Base64);
    // empty while the user has not resized a column.
    std::string columns;
    // Player names, as typed.
    std::vector<std::string> friends;
    // More of the browser's filter: only the servers played on before, the highest ping shown
    // (ms; 0 or less: any).
    bool playedonly = false;
    int32_t maxping = 0;
    // The servers the game was started on, newest first: "host:port|name|time" (see
    // status/play_history.h).
    std::vector<std::string> history;
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

    // What row i's registry key held besides the row's values: it moves with the row and is
    // written back with it.
    RegSection& kept(int i) { return (*kept_)[static_cast<size_t>(i)]; }
    const RegSection& kept(int i) const { return (*kept_)[static_cast<size_t>(i)]; }

    // Appends an empty row and returns it; the caller checks full() first.
    Row& append() {
        ++lastRow;
        (*this)[lastRow] = Row{};
        kept(lastRow) = RegSection{};
        return (*this)[lastRow];
    }
    // Removes row i; every later row moves down one slot.
    void remove(int i) {
        for (int j = i; j < lastRow; ++j) {
            (*this)[j] = std::move((*this)[j + 1]);
            kept(j) = std::move(kept(j + 1));
        }
        (*this)[lastRow] = Row{};
        kept(lastRow) = RegSection{};
        --lastRow;
    }
    void clear() {
        for (int j = 0; j <= lastRow; ++j) {
            (*this)[j] = Row{};
            kept(j) = RegSection{};
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
    std::unique_ptr<std::array<RegSection, capacity>> kept_ =
        std::make_unique<std::array<RegSection, capacity>>();
};

using ModTable = Table<ModEntry>;
using ServerTable = Table<ServerEntry>;

// The settings store: one instance for the whole run, read and written directly by every window.
struct Store {
    LauncherSettings settings;
    ModTable mods;
    ServerTable servers;

    // What the last load made of each value of the launcher's key and of each table, so that a
    // save never writes over a value the load did not read, or read badly: a value the load
    // never reached (it stopped before) is absent and left as stored, and so is one stored with
    // the wrong type, whatever fallback the session uses. What was read is saved, with any
    // change made since.
    // It is also the base of the save's three-way merge: a save writes only what the session
    // changed since the load (or its last save), over what the file holds by then, so that
    // other programs' changes to the rest survive.
    struct Loaded {
        enum class State {
            Read,      // read, or missing and given its fallback: saved as usual
            Discarded, // read, but set aside for the fallback of another value: saved once changed
            Kept,      // stored with the wrong type: left as stored
        };
        struct Option {
            State state = State::Read;
            RegValue asLoaded; // the session's value right after the load, as a save writes it
        };
        std::map<std::string, Option, std::less<>> options; // by value name
        bool mods = false;
        bool servers = false;
        // Whether the load reached the launcher's key; a session that did not saves nothing.
        bool key = false;
        // The launcher's key with its subkeys as the file held it (after the load, or the last
        // save): what the other programs' changes are told by, and what a save puts back when
        // the file has lost the key.
        RegSection stored;
        // Each table's rows as a save writes them, by id, right after the load (or the last
        // save), when each row has a subkey of its own named by its id; otherwise (ids drawn
        // afresh at the load, a row key written twice) byKey is false and a save writes the
        // table whole.
        struct Rows {
            bool byKey = false;
            std::map<int32_t, RegSection> rows;
        };
        Rows modRows, serverRows;
    } loaded;

    void reset();
};

Store& store();

} // namespace vkr
