#pragma once

#include "settings/settings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vkr {

// New row ids are whole numbers from 0 to 9,999,999.
inline constexpr int32_t kIdLimit = 10'000'000;

// A source of random ids: each call gives a whole number from 0 to kIdLimit - 1.
using IdSource = std::function<int32_t()>;

// A pseudo-random generator seeded from the time of day.
IdSource timeSeededIdSource();

// The source the editors draw new ids from; tests may replace it.
IdSource& idSource();

// Draws ids until one differs from every id in the table, so that no two rows ever share a
// registry subkey.
template <class Row> int32_t drawNewId(const Table<Row>& table, const IdSource& draw) {
    int32_t id = draw();
    while (table.containsId(id)) {
        id = draw();
    }
    return id;
}

// The row an editor's Save writes into: the selected row (its id and the rest kept), or, when
// no row is selected (selected is -1, or names no row), a new empty row appended with a fresh
// id. Returns nullptr, with the table unchanged, when a new row would not fit.
template <class Row> Row* rowForSave(Table<Row>& table, int selected, const IdSource& draw) {
    if (selected >= 0 && selected <= table.lastRow) {
        return &table[selected];
    }
    if (table.full()) {
        return nullptr;
    }
    int32_t id = drawNewId(table, draw);
    Row& row = table.append();
    row.id = id;
    return &row;
}

// Removes the selected row; nothing when selected names no row.
template <class Row> void removeSelected(Table<Row>& table, int selected) {
    if (selected >= 0 && selected <= table.lastRow) {
        table.remove(selected);
    }
}

// The row of the server at host (compared without regard to case) and game port: a row whose
// port text reads as that number. -1 when the table has none.
int findServer(const ServerTable& servers, std::string_view host, int gamePort);

// What adding found servers to the table did: the table indexes of the rows added, the
// servers skipped as in the table already, and those left out because the table was full.
struct AddedServers {
    std::vector<int> added;
    int skipped = 0;
    int refused = 0;
};

// Appends each server (its id drawn fresh) unless the table has a row for its host and game
// port already, or is full.
AddedServers addServers(ServerTable& servers, const std::vector<ServerEntry>& found,
                        const IdSource& draw);

// The message shown when Save would append to a full table; what names the rows: "mods" or
// "servers".
std::string tableFullMessage(const std::string& what);

// A server's mods text: the dir of every mod row j whose ticked[j] is true, in table order,
// each followed by ";". Rows beyond ticked count as not ticked.
std::string buildServerMods(const ModTable& mods, const std::vector<bool>& ticked);

// The mod rows a server's mods text ticks: the text is split at each ";" and every piece
// ticks every row whose dir equals it exactly. Characters after the last ";" tick nothing.
// The result has one entry per mod row.
std::vector<bool> tickedMods(const ModTable& mods, std::string_view text);

} // namespace vkr
