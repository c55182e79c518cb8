#pragma once

#include "status/browser_rows.h"
#include "status/play_history.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QSortFilterProxyModel>
#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The browser's server grid as a model: one row per server entry of the table, in table order,
// keyed by the entry (never by its position). Its cells are the grid's texts: the entry's name,
// host and port, and the ping, players and mission that the replies write. Replies and the
// overdue check change rows without telling the views; flushChanges tells them once, a signal
// per run of neighbouring rows changed, so that a burst of replies costs the views one update
// and the sorted view looks again only at the rows that changed. Each row keeps the collation
// keys of its text cells, made when the row changes, for the sort.
class ServerModel : public QAbstractTableModel, private vkr::BrowserRowsListener {
    Q_OBJECT
public:
    enum Column { NameColumn, HostColumn, PingColumn, PlayersColumn, MissionColumn, ColumnCount };

    explicit ServerModel(QObject* parent = nullptr);

    vkr::BrowserRows& rows() { return rows_; }
    const vkr::BrowserRows& rows() const { return rows_; }

    // Rebuilds the rows from the table (see BrowserRows::sync), telling the views each step.
    void sync(const vkr::ServerTable& servers);
    // The rows changed by replies, a pass or the overdue check: the views learn of them at the
    // next flushChanges, which marks the friends among their players first.
    void noteChanged(int row);
    void flushChanges();
    // The friends to mark; when the list has changed, every row is marked anew at once.
    void setFriends(const std::vector<std::string>& friends);
    // The servers played on (the settings' history): each row's place in it follows.
    void setHistory(const std::vector<std::string>& history);
    // The row's place in the history, 0 the newest; -1 when its address was never played on.
    int playedRank(int row) const { return played_[static_cast<size_t>(row)].rank; }
    // "Last played: ..." for the row's address; empty when it was never played on.
    const QString& lastPlayed(int row) const { return played_[static_cast<size_t>(row)].tooltip; }

    // The entry of an index of this model; none for an invalid index.
    std::optional<vkr::EntryKey> keyOf(const QModelIndex& index) const;
    // The index of column 0 of key's row; invalid when there is none.
    QModelIndex indexOf(vkr::EntryKey key) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The header of a column (of this grid and of the grids that show servers as it does).
    static QString columnTitle(int column);
    // The Hostname/IP cell: the host text, ":" and the port text.
    static QString hostCell(const vkr::ServerEntry& e);
    // A cell's text, without the name cell's mark of a friend playing there.
    static QString cellText(const vkr::BrowserRows::Row& row, int column);
    // The collation key of a text column's cell (Name, Hostname/IP or Mission) of a row: what
    // the sort compares, in the user's language, regardless of case.
    const QCollatorSortKey& sortKey(int row, int column) const {
        return keys_[static_cast<size_t>(row * textColumns + textColumn(column))];
    }

private:
    void beginRemoveRows(int first, int last) override;
    void endRemoveRows() override;
    void beginMoveRows() override;
    void endMoveRows(const std::vector<int>& newRow) override;
    void beginInsertRows(int first, int last) override;
    void endInsertRows() override;
    void rowChanged(int row) override;

    static constexpr int textColumns = 3;
    static int textColumn(int column) { return column == MissionColumn ? 2 : column; }
    void widenChanges();
    void makeKeys(int row);
    void makeAllKeys();
    void findPlayed(int row);

    vkr::BrowserRows rows_;
    // The rows changed since the last flush, in any order, some perhaps more than once.
    std::vector<int> changed_;
    QCollator collator_;
    // textColumns keys per row, in row order.
    std::vector<QCollatorSortKey> keys_;
    vkr::PlayHistory history_;
    struct Played {
        int rank = -1;
        QString tooltip; // "Last played: ..." in the user's locale
    };
    std::vector<Played> played_; // per row
};

// "Last played: <the time in the user's locale>" for a time of the history (see
// vkr::lastPlayed); empty for none.
QString lastPlayedText(const std::optional<std::string>& time);

// What the browser's filter bar asks of a row. Every criterion the bar offers is a field here
// and a test in accepts.
struct ServerFilter {
    QString text; // the name, host, mission or a player's name contains it, regardless of case
    bool hideEmpty = false;
    bool hideFull = false;
    bool hideSilent = false;
    bool friendsOnly = false;
    bool playedOnly = false; // only the servers in the history
    int maxPing = 0;         // hides the answered servers of a higher ping; 0: none

    // Whether the row passes; played: whether it is in the history.
    bool accepts(const vkr::BrowserRows::Row& row, bool played) const;
    friend bool operator==(const ServerFilter&, const ServerFilter&) = default;
};

// The server grid as shown: the rows that pass the filter, sorted by the header's column. Rows
// without a reply come last in either direction, and so do Ping and Players placeholders; Ping
// and Players sort as numbers, the other columns as text in the user's language regardless of
// case; equal rows keep table order. Unsorted, the servers played before are shown newest first
// while only they are shown.
class ServerView : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ServerView(ServerModel* model, QObject* parent = nullptr);

    const ServerFilter& filter() const { return filter_; }
    void setFilter(const ServerFilter& filter);
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    // Whether source row a is shown above b in the given direction.
    bool shownBefore(int a, int b, int column, bool ascending) const;

    ServerModel* model_;
    ServerFilter filter_;
    int column_ = -1;          // the column asked for; -1 unsorted
    bool playedOrder_ = false; // sorted by the history, newest first
};

// The player grid as a model: the players of one server as they stood when it was last shown
// (ShowPlayers), one row per player, or the one row "no players". Friends' names are bold.
class PlayerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(const vkr::ServerStatus& status, const vkr::FriendSet& friends);
    // One empty row, as before any server is shown.
    void clear();
    // Marks the friends among the players shown anew.
    void markFriends(const vkr::FriendSet& friends);
    // The name of the player in a row, as the server sent it; none for a row of no player.
    std::optional<std::string> playerAt(int row) const;
    bool isFriend(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Player {
        std::string sent; // the name's bytes
        QString name;
        QString score;
        bool isFriend = false;
    };
    std::vector<Player> players_{{}};
    int count_ = 0; // the rows that are players
};
