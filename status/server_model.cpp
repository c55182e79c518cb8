#include "status/server_model.h"

#include "app/window.h"

#include <QBrush>
#include <QFont>

#include <algorithm>

ServerModel::ServerModel(QObject* parent) : QAbstractTableModel(parent) {}

void ServerModel::sync(const vkr::ServerTable& servers) {
    rows_.sync(servers, *this);
}

void ServerModel::noteChanged(int row) {
    firstChanged_ = firstChanged_ > lastChanged_ ? row : std::min(firstChanged_, row);
    lastChanged_ = std::max(lastChanged_, row);
}

void ServerModel::flushChanges() {
    if (firstChanged_ > lastChanged_) {
        return;
    }
    const int first = firstChanged_, last = std::min(lastChanged_, rowCount() - 1);
    firstChanged_ = 1;
    lastChanged_ = 0;
    if (first <= last) {
        for (int r = first; r <= last; ++r) {
            rows_.markFriends(r);
        }
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
    }
}

void ServerModel::setFriends(const std::vector<std::string>& friends) {
    if (rows_.setFriends(friends) && rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

void ServerModel::widenChanges() {
    // Rows moved: the range no longer names the rows that changed, so it takes them all.
    if (firstChanged_ <= lastChanged_) {
        firstChanged_ = 0;
        lastChanged_ = rowCount() - 1;
    }
}

std::optional<vkr::EntryKey> ServerModel::keyOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.row() >= rows_.count()) {
        return std::nullopt;
    }
    return rows_[index.row()].key;
}

QModelIndex ServerModel::indexOf(vkr::EntryKey key) const {
    const int row = rows_.rowOf(key);
    return row < 0 ? QModelIndex() : index(row, 0);
}

int ServerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.count();
}

int ServerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ServerModel::hostCell(const vkr::ServerEntry& e) {
    return vkr::qs(e.ip + ":" + e.port);
}

QString ServerModel::cellText(const vkr::BrowserRows::Row& row, int column) {
    switch (column) {
    case NameColumn:
        return vkr::qs(row.entry.name);
    case HostColumn:
        return hostCell(row.entry);
    case PingColumn:
        return vkr::fromBytes(row.query.cells.ping);
    case PlayersColumn:
        return vkr::fromBytes(row.query.cells.players);
    case MissionColumn:
        return vkr::fromBytes(row.query.cells.mission);
    }
    return {};
}

QVariant ServerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.count()) {
        return {};
    }
    const vkr::BrowserRows::Row& row = rows_[index.row()];
    const bool friends = !row.friends.empty();
    switch (role) {
    case Qt::DisplayRole:
        // A star before the name of a server where a friend plays.
        return friends && index.column() == NameColumn
                   ? QStringLiteral("\u2605 ") + cellText(row, NameColumn)
                   : cellText(row, index.column());
    case Qt::ForegroundRole:
        return row.silent ? QVariant(QBrush(Qt::gray)) : QVariant();
    case Qt::ToolTipRole:
        if (friends) {
            return vkr::fromBytes(vkr::friendsTooltip(row.friends));
        }
        return row.silent ? QVariant(QStringLiteral("No reply")) : QVariant();
    }
    return {};
}

QVariant ServerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        static const char* const texts[] = {"Server Name", "Hostname/IP", "Ping", "Players",
                                            "Mission"};
        return QString(texts[section]);
    }
    if (role == Qt::InitialSortOrderRole) {
        return Qt::AscendingOrder; // a column's first click sorts up, whatever the last sort was
    }
    return {};
}

void ServerModel::beginRemoveRows(int first, int last) {
    QAbstractTableModel::beginRemoveRows({}, first, last);
}

void ServerModel::endRemoveRows() {
    QAbstractTableModel::endRemoveRows();
    widenChanges();
}

void ServerModel::beginMoveRows() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ServerModel::endMoveRows(const std::vector<int>& newRow) {
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& i : before) {
        after << index(newRow[static_cast<size_t>(i.row())], i.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    widenChanges();
}

void ServerModel::beginInsertRows(int first, int last) {
    QAbstractTableModel::beginInsertRows({}, first, last);
}

void ServerModel::endInsertRows() {
    QAbstractTableModel::endInsertRows();
    widenChanges();
}

void ServerModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

// --- filter and sort -------------------------------------------------------------------------

bool ServerFilter::accepts(const vkr::BrowserRows::Row& row) const {
    const vkr::StatusCells& cells = row.query.cells;
    if (hideSilent && row.silent) {
        return false;
    }
    if (friendsOnly && row.friends.empty()) {
        return false;
    }
    const std::optional<int64_t> players = vkr::shownPlayerCount(cells);
    if (hideEmpty && players == 0) {
        return false;
    }
    if (hideFull && players && players == vkr::shownCapacity(cells)) {
        return false;
    }
    if (text.isEmpty()) {
        return true;
    }
    auto has = [this](const QString& s) { return s.contains(text, Qt::CaseInsensitive); };
    if (has(vkr::qs(row.entry.name)) || has(vkr::qs(row.entry.ip)) ||
        has(vkr::fromBytes(cells.mission))) {
        return true;
    }
    const vkr::ServerStatus& status = row.query.status;
    for (int j = 0; j < status.playerCount; ++j) {
        if (has(vkr::fromBytes(status.playerName(j)))) {
            return true;
        }
    }
    return false;
}

ServerView::ServerView(ServerModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model) {
    setSourceModel(model);
    setDynamicSortFilter(true);
}

void ServerView::setFilter(const ServerFilter& filter) {
    if (filter == filter_) {
        return;
    }
    filter_ = filter;
    invalidateFilter();
}

bool ServerView::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return filter_.accepts(model_->rows()[sourceRow]);
}

bool ServerView::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // The proxy sorts down by swapping the operands; the placeholders and ties must not follow
    // that swap, so the comparison is made in the order shown.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    return ascending ? shownBefore(left.row(), right.row(), left.column(), true)
                     : shownBefore(right.row(), left.row(), left.column(), false);
}

bool ServerView::shownBefore(int a, int b, int column, bool ascending) const {
    const vkr::BrowserRows& rows = model_->rows();
    const vkr::StatusCells& x = rows[a].query.cells;
    const vkr::StatusCells& y = rows[b].query.cells;
    int order = 0;
    if (column == ServerModel::PingColumn || column == ServerModel::PlayersColumn) {
        auto number = column == ServerModel::PingColumn ? vkr::shownPing : vkr::shownPlayerCount;
        const std::optional<int64_t> m = number(x), n = number(y);
        if (m.has_value() != n.has_value()) {
            return m.has_value(); // a number before a placeholder, in either direction
        }
        order = m && *m != *n ? (*m < *n ? -1 : 1) : 0;
    } else {
        order = ServerModel::cellText(rows[a], column)
                    .compare(ServerModel::cellText(rows[b], column), Qt::CaseInsensitive);
    }
    if (order != 0) {
        return ascending == (order < 0);
    }
    return a < b;
}

// --- players ---------------------------------------------------------------------------------

void PlayerModel::show(const vkr::ServerStatus& status, const vkr::FriendSet& friends) {
    beginResetModel();
    const int n = std::max(1, status.playerCount);
    players_.clear();
    players_.reserve(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) {
        std::string sent = status.playerName(j);
        const bool isFriend = j < status.playerCount && friends.contains(sent);
        QString name = vkr::fromBytes(sent);
        players_.push_back(
            {std::move(sent), std::move(name), vkr::fromBytes(status.playerScore(j)), isFriend});
    }
    count_ = status.playerCount;
    endResetModel();
}

void PlayerModel::clear() {
    beginResetModel();
    players_.assign(1, {});
    count_ = 0;
    endResetModel();
}

void PlayerModel::markFriends(const vkr::FriendSet& friends) {
    for (int j = 0; j < count_; ++j) {
        Player& p = players_[static_cast<size_t>(j)];
        p.isFriend = friends.contains(p.sent);
    }
    if (count_ > 0) {
        emit dataChanged(index(0, 0), index(count_ - 1, 0), {Qt::FontRole});
    }
}

std::optional<std::string> PlayerModel::playerAt(int row) const {
    return row >= 0 && row < count_ ? std::optional(players_[static_cast<size_t>(row)].sent)
                                    : std::nullopt;
}

bool PlayerModel::isFriend(int row) const {
    return row >= 0 && row < count_ && players_[static_cast<size_t>(row)].isFriend;
}

int PlayerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(players_.size());
}

int PlayerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant PlayerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Player& player = players_[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        return index.column() == 0 ? player.name : player.score;
    }
    if (role == Qt::FontRole && index.column() == 0 && player.isFriend) {
        // Only the weight is set: the view's own font gives the rest.
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return {};
}
