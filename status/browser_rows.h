#pragma once

#include "settings/settings.h"
#include "status/friends.h"
#include "status/protocol.h"
#include "status/server_details.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vkr {

// Which server entry a browser row stands for: the entry's id, and which of the entries that
// share that id it is, counted from 0 in table order (a loaded table never repeats an id; a table
// built in memory may).
struct EntryKey {
    int32_t id = 0;
    int nth = 0;
    friend bool operator==(const EntryKey&, const EntryKey&) = default;
};

// The row of servers that key stands for, or -1 when the table has none.
int rowOfEntry(const ServerTable& servers, EntryKey key);

// The numbers that a row's cells show, read once when the cells change, so that sorting and
// filtering never parse a cell: the ping, and the player count and capacity of "3/10". Each is
// none while its cell shows a placeholder or a figure that is not a number.
struct ShownFigures {
    std::optional<int64_t> ping;
    std::optional<int64_t> players;
    std::optional<int64_t> capacity;

    explicit ShownFigures(const StatusCells& cells);
    // Whether the server has answered: rows without a reply sort last in either direction.
    bool answered() const { return ping.has_value(); }
    // Whether no slot is free: as many players as the capacity, or more.
    bool full() const { return players && capacity && *players >= *capacity; }
};

// Receives the changes that BrowserRows::sync makes, each announced before it is made and
// confirmed after it, the way a Qt item model announces its own.
class BrowserRowsListener {
public:
    virtual ~BrowserRowsListener() = default;
    // Rows first to last, both included.
    virtual void beginRemoveRows(int first, int last) = 0;
    virtual void endRemoveRows() = 0;
    virtual void beginMoveRows() = 0;
    // newRow[r]: where the row that stood at r stands now.
    virtual void endMoveRows(const std::vector<int>& newRow) = 0;
    virtual void beginInsertRows(int first, int last) = 0;
    virtual void endInsertRows() = 0;
    // The row's name or address changed.
    virtual void rowChanged(int row) = 0;
};

// The browser's rows: one per server entry, in table order, each keyed by its entry and keeping
// that server's query state from pass to pass, whatever edits of the table move it. During a
// pass a row shows what it showed before, marked as being refreshed, until the pass's reply
// comes or the pass gives the server up: the filter and the sort see those values too, so a
// pass neither hides nor moves a row that has not changed.
class BrowserRows {
public:
    struct Row {
        EntryKey key;
        ServerEntry entry; // as the table held it at the last sync
        QueryRow query;    // this pass's state, as its replies have written it so far
        // While the row is being refreshed: what it showed when the pass began.
        std::optional<QueryRow> kept;
        bool silent = false; // drawn grey: no reply to the last request of the pass before
        // The friends among its players, as the server sent their names, in order of arrival.
        std::vector<std::string> friends;
        ShownFigures figures{StatusCells{}}; // of the cells shown
        // Its answers over its last passes: kept through edits of the entry, renames and new
        // addresses alike.
        PingHistory pings;

        // The cells and players the row shows.
        const QueryRow& shown() const { return kept ? *kept : query; }
        bool refreshing() const { return kept.has_value(); }
    };

    BrowserRows();

    int count() const { return static_cast<int>(rows_.size()); }
    const Row& operator[](int row) const { return rows_[static_cast<size_t>(row)]; }
    // The row of key, -1 when there is none.
    int rowOf(EntryKey key) const {
        const auto found = byKey_.find(hashKey(key));
        return found == byKey_.end() ? -1 : found->second;
    }

    // Brings the rows in line with servers, telling listener each step: rows of deleted entries
    // go, the rest take the table's order, rows of new entries come with a fresh state, and a
    // row whose host, port or implementation changed forgets the status of its old address
    // (no reply of that address counts for it any more). Gives whether anything changed.
    bool sync(const ServerTable& servers, BrowserRowsListener& listener);

    // A pass: beginPass forgets which rows the last pass asked; the pass then begins each row
    // (beginRow keeps what it shows until its reply or its give-up), sets its query state
    // (stateForPass) and notes the rows it asks, whose replies then count for them.
    void beginPass();
    void beginRow(int row);
    QueryRow& stateForPass(int row) { return rows_[static_cast<size_t>(row)].query; }
    void noteAsked(int row);
    // The row's server has answered this pass already, through another row: the row shows that
    // reply too.
    void shareReply(int row);
    // The pass has given the row up: it shows its placeholders, grey (no reply).
    void giveUp(int row);
    // The rows that a reply of row's server answers, as they stand now (row too, once asked).
    const std::vector<int>& rowsOfServer(int row) const;
    // The rows that a datagram from fromIP and port may answer, as they stand now.
    const std::vector<int>& rowsOf(std::string_view fromIP, int port) const {
        return senders_.rowsOf(fromIP, port);
    }

    // The friends to mark: when the list differs from the last one, the set is made anew and
    // every row is marked by it; gives whether it did.
    bool setFriends(const std::vector<std::string>& friends);
    const FriendSet& friendSet() const { return friendSet_; }
    // Marks the friends among the row's players as they stand now.
    void markFriends(int row);

    // Applies a datagram of a reply whose round trip is ping to the rows that it answers; gives
    // the rows.
    std::vector<int> applyReply(std::string_view fromIP, int port, std::string_view reply,
                                std::optional<uint32_t> ping);

private:
    static uint64_t hashKey(EntryKey key) {
        return (uint64_t{static_cast<uint32_t>(key.id)} << 32) | static_cast<uint32_t>(key.nth);
    }
    void indexSenders();
    void indexKeys();
    // The row shows its pass's state from now on.
    static void showPass(Row& row);

    std::vector<Row> rows_;
    std::vector<std::string> friendList_;
    FriendSet friendSet_;
    // The rows by the sender that can answer them, as the rows stand now.
    RowsBySender senders_;
    // The row of each key.
    std::unordered_map<uint64_t, int> byKey_;
};

} // namespace vkr
