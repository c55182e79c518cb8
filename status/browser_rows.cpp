#include "status/browser_rows.h"

#include "settings/intparse.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace vkr {

namespace {

// The key of every entry of servers, in table order.
std::vector<EntryKey> keysOf(const ServerTable& servers) {
    std::vector<EntryKey> keys;
    keys.reserve(static_cast<size_t>(servers.count()));
    std::unordered_map<int32_t, int> seen;
    for (int i = 0; i <= servers.lastRow; ++i) {
        keys.push_back({servers[i].id, seen[servers[i].id]++});
    }
    return keys;
}

// Whether a reply from a's server is a reply from b's: the same host text, port text and
// implementation (which sets the query port).
bool sameAddress(const ServerEntry& a, const ServerEntry& b) {
    return a.ip == b.ip && a.port == b.port && a.sockets == b.sockets;
}

QueryRow freshState() {
    QueryRow row;
    row.status.address = "0.0.0.0"; // asked by no pass yet: no reply is taken for it
    return row;
}

std::optional<int64_t> figure(std::string_view text) {
    const std::optional<int32_t> n = tryParseInt(text);
    return n ? std::optional<int64_t>(*n) : std::nullopt;
}

} // namespace

int rowOfEntry(const ServerTable& servers, EntryKey key) {
    for (int i = 0, nth = 0; i <= servers.lastRow; ++i) {
        if (servers[i].id == key.id && nth++ == key.nth) {
            return i;
        }
    }
    return -1;
}

ShownFigures::ShownFigures(const StatusCells& cells) : ping(figure(cells.ping)) {
    const std::string_view players(cells.players);
    if (const size_t slash = players.find('/'); slash != std::string_view::npos) {
        this->players = figure(players.substr(0, slash));
        capacity = figure(players.substr(slash + 1));
    }
}

BrowserRows::BrowserRows() = default;

bool BrowserRows::sync(const ServerTable& servers, BrowserRowsListener& listener) {
    const std::vector<EntryKey> keys = keysOf(servers);
    std::unordered_map<uint64_t, int> newRow;
    for (size_t i = 0; i < keys.size(); ++i) {
        newRow.emplace(hashKey(keys[i]), static_cast<int>(i));
    }
    bool changed = false;
    // The rows of deleted entries go, a run of neighbours at a time, from the last up, so that
    // the rows above keep their place.
    auto deleted = [&](int r) {
        return !newRow.contains(hashKey(rows_[static_cast<size_t>(r)].key));
    };
    for (int last = count() - 1; last >= 0; --last) {
        if (!deleted(last)) {
            continue;
        }
        int first = last;
        while (first > 0 && deleted(first - 1)) {
            --first;
        }
        listener.beginRemoveRows(first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        indexKeys();
        listener.endRemoveRows();
        changed = true;
        last = first;
    }
    // The rows left take the table's order.
    auto tableOrder = [&](const Row& a, const Row& b) {
        return newRow.at(hashKey(a.key)) < newRow.at(hashKey(b.key));
    };
    if (!std::is_sorted(rows_.begin(), rows_.end(), tableOrder)) {
        listener.beginMoveRows();
        std::vector<int> order(rows_.size());
        for (size_t r = 0; r < order.size(); ++r) {
            order[r] = static_cast<int>(r);
        }
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return tableOrder(rows_[a], rows_[b]); });
        std::vector<Row> sorted;
        sorted.reserve(rows_.size());
        std::vector<int> moved(rows_.size());
        for (size_t k = 0; k < order.size(); ++k) {
            moved[static_cast<size_t>(order[k])] = static_cast<int>(k);
            sorted.push_back(std::move(rows_[static_cast<size_t>(order[k])]));
        }
        rows_ = std::move(sorted);
        indexKeys();
        listener.endMoveRows(moved);
        changed = true;
    }
    // New entries get rows where the table has them, a run of neighbours at a time. The rows
    // left are in table order now: a row that differs from the table's entry is a new one's place.
    std::unordered_set<uint64_t> kept;
    for (const Row& row : rows_) {
        kept.insert(hashKey(row.key));
    }
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i < rows_.size() && rows_[i].key == keys[i]) {
            continue;
        }
        size_t end = i + 1;
        while (end < keys.size() && !kept.contains(hashKey(keys[end]))) {
            ++end;
        }
        listener.beginInsertRows(static_cast<int>(i), static_cast<int>(end) - 1);
        std::vector<Row> added;
        added.reserve(end - i);
        for (size_t k = i; k < end; ++k) {
            Row& row = added.emplace_back();
            row.key = keys[k];
            row.entry = servers[static_cast<int>(k)];
            row.query = freshState();
        }
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i),
                     std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
        indexKeys();
        listener.endInsertRows();
        changed = true;
        i = end - 1;
    }
    for (int r = 0; r < count(); ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        const ServerEntry& e = servers[r];
        const bool readdressed = !sameAddress(row.entry, e);
        const bool shown = readdressed || row.entry.name != e.name;
        if (readdressed) {
            row.query = freshState();
            showPass(row);
            row.silent = false;
            row.friends.clear();
        }
        row.entry = e;
        if (shown) {
            listener.rowChanged(r);
            changed = true;
        }
    }
    if (changed) {
        indexSenders();
    }
    return changed;
}

void BrowserRows::indexKeys() {
    byKey_.clear();
    for (int r = 0; r < count(); ++r) {
        byKey_.emplace(hashKey(rows_[static_cast<size_t>(r)].key), r);
    }
}

void BrowserRows::showPass(Row& row) {
    row.kept.reset();
    row.figures = ShownFigures(row.query.cells);
}

void BrowserRows::indexSenders() {
    senders_.clear();
    for (int r = 0; r < count(); ++r) {
        senders_.add(r, rows_[static_cast<size_t>(r)].entry,
                     rows_[static_cast<size_t>(r)].query.status);
    }
}

bool BrowserRows::setFriends(const std::vector<std::string>& friends) {
    if (friends == friendList_) {
        return false;
    }
    friendList_ = friends;
    friendSet_ = FriendSet(friends);
    for (int r = 0; r < count(); ++r) {
        markFriends(r);
    }
    return true;
}

void BrowserRows::markFriends(int row) {
    Row& r = rows_[static_cast<size_t>(row)];
    r.friends = friendSet_.friendsIn(r.shown().status);
}

void BrowserRows::beginPass() {
    senders_.clear();
}

void BrowserRows::beginRow(int row) {
    Row& r = rows_[static_cast<size_t>(row)];
    if (!r.kept) {
        r.kept = r.query; // a row begun again before its reply keeps what it showed first
    }
    r.pings.begin();
}

void BrowserRows::giveUp(int row) {
    Row& r = rows_[static_cast<size_t>(row)];
    r.silent = true;
    r.pings.giveUp();
    showPass(r);
}

void BrowserRows::noteAsked(int row) {
    Row& r = rows_[static_cast<size_t>(row)];
    senders_.add(row, r.entry, r.query.status);
}

const std::vector<int>& BrowserRows::rowsOfServer(int row) const {
    static const std::vector<int> none;
    const Row& r = rows_[static_cast<size_t>(row)];
    const std::optional<int32_t> port = tryParseInt(r.entry.port);
    return port ? senders_.rowsOf(r.query.status.address,
                                  static_cast<int>(*port + queryPortOffset(r.entry.sockets)))
                : none;
}

void BrowserRows::shareReply(int row) {
    Row& r = rows_[static_cast<size_t>(row)];
    for (int other : rowsOfServer(row)) {
        if (other != row) {
            r.query = rows_[static_cast<size_t>(other)].query;
            r.pings.answer(rows_[static_cast<size_t>(other)].pings.lastPing());
            r.silent = false;
            showPass(r);
            return;
        }
    }
}

std::vector<int> BrowserRows::applyReply(std::string_view fromIP, int port, std::string_view reply,
                                         std::optional<uint32_t> ping) {
    std::vector<int> answered;
    for (int r : senders_.rowsOf(fromIP, port)) {
        Row& row = rows_[static_cast<size_t>(r)];
        if (answers(row.entry, row.query.status, fromIP, port)) {
            applyToRow(row.query, reply, ping);
            row.pings.answer(ping);
            row.silent = false;
            showPass(row);
            answered.push_back(r);
        }
    }
    return answered;
}

} // namespace vkr
