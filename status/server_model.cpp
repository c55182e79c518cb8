#include "status/server_model.h"

#include "app/window.h"

#include <QBrush>
#include <QCoreApplication>
#include <QDateTime>
#include <QFont>
#include <QLocale>

#include <algorithm>
#include <numeric>

ServerModel::ServerModel(QObject* parent) : QAbstractTableModel(parent) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

void ServerModel::sync(const vkr::ServerTable& servers) {
    rows_.sync(servers, *this);
}

void ServerModel::noteChanged(int row) {
    // Replies change the mission of the text columns; the name and the address change only
    // through sync.
    keys_[static_cast<size_t>(row * textColumns + textColumn(MissionColumn))] =
        collator_.sortKey(cellText(rows_[row], MissionColumn));
    changed_.push_back(row);
}

void ServerModel::flushChanges() {
    std::vector<int> changed;
    changed.swap(changed_);
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    for (size_t i = 0; i < changed.size() && changed[i] < rowCount();) {
        size_t end = i + 1;
        while (end < changed.size() && changed[end] == changed[end - 1] + 1 &&
               changed[end] < rowCount()) {
            ++end;
        }
        for (size_t k = i; k < end; ++k) {
            rows_.markFriends(changed[k]);
        }
        emit dataChanged(index(changed[i], 0), index(changed[end - 1], ColumnCount - 1));
        i = end;
    }
}

void ServerModel::makeKeys(int row) {
    const vkr::BrowserRows::Row& r = rows_[row];
    for (int column : {NameColumn, HostColumn, MissionColumn}) {
        keys_[static_cast<size_t>(row * textColumns + textColumn(column))] =
            collator_.sortKey(cellText(r, column));
    }
    findPlayed(row); // an address changed by an edit may have been played on
}

void ServerModel::makeAllKeys() {
    keys_.assign(static_cast<size_t>(rows_.count() * textColumns), collator_.sortKey({}));
    played_.assign(static_cast<size_t>(rows_.count()), {});
    for (int r = 0; r < rows_.count(); ++r) {
        makeKeys(r);
    }
}

QString lastPlayedText(const std::optional<std::string>& time) {
    if (!time) {
        return {};
    }
    const QDateTime t = QDateTime::fromString(vkr::qs(*time), Qt::ISODate);
    return QCoreApplication::translate("ServerModel", "Last played: %1")
        .arg(t.isValid() ? QLocale().toString(t.toLocalTime(), QLocale::ShortFormat)
                         : vkr::qs(*time));
}

void ServerModel::findPlayed(int row) {
    const vkr::PlayHistory::Played* played = history_.find(rows_[row].entry);
    played_[static_cast<size_t>(row)] =
        played ? Played{played->rank, lastPlayedText(played->time)} : Played{};
}

void ServerModel::setHistory(const std::vector<std::string>& history) {
    history_ = vkr::PlayHistory(history);
    for (int r = 0; r < rowCount(); ++r) {
        findPlayed(r);
    }
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

void ServerModel::setFriends(const std::vector<std::string>& friends) {
    if (rows_.setFriends(friends) && rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

void ServerModel::widenChanges() {
    // Rows moved: the rows noted no longer name the rows that changed, so all of them are.
    if (!changed_.empty()) {
        changed_.resize(static_cast<size_t>(rowCount()));
        std::iota(changed_.begin(), changed_.end(), 0);
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
        return vkr::fromBytes(row.shown().cells.ping);
    case PlayersColumn:
        return vkr::fromBytes(row.shown().cells.players);
    case MissionColumn:
        return vkr::fromBytes(row.shown().cells.mission);
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
        // Grey: no reply; a grey ping alone: the row is being refreshed.
        return row.silent || (row.refreshing() && index.column() == PingColumn)
                   ? QVariant(QBrush(Qt::gray))
                   : QVariant();
    case Qt::ToolTipRole: {
        QStringList lines;
        if (friends) {
            lines << vkr::qs(vkr::friendsTooltip(row.friends));
        } else if (row.silent) {
            lines << tr("No reply");
        }
        const QString& played = played_[static_cast<size_t>(index.row())].tooltip;
        if (index.column() == NameColumn && !played.isEmpty()) {
            lines << played;
        }
        return lines.isEmpty() ? QVariant() : QVariant(vkr::plainToolTip(lines.join('\n')));
    }
    }
    return {};
}

QString ServerModel::columnTitle(int column) {
    static const char* const titles[] = {QT_TR_NOOP("Server Name"), QT_TR_NOOP("Hostname/IP"),
                                         QT_TR_NOOP("Ping"), QT_TR_NOOP("Players"),
                                         QT_TR_NOOP("Mission")};
    return tr(titles[column]);
}

QVariant ServerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columnTitle(section);
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
    makeAllKeys();
    QAbstractTableModel::endRemoveRows();
    widenChanges();
}

void ServerModel::beginMoveRows() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ServerModel::endMoveRows(const std::vector<int>& newRow) {
    makeAllKeys();
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
    makeAllKeys();
    QAbstractTableModel::endInsertRows();
    widenChanges();
}

void ServerModel::rowChanged(int row) {
    makeKeys(row);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

// --- filter and sort -------------------------------------------------------------------------

bool ServerFilter::accepts(const vkr::BrowserRows::Row& row, bool played) const {
    const vkr::StatusCells& cells = row.shown().cells;
    if (hideSilent && row.silent) {
        return false;
    }
    if (playedOnly && !played) {
        return false;
    }
    // A server without a ping figure is left to "Hide no reply".
    if (maxPing > 0 && row.figures.ping && *row.figures.ping > maxPing) {
        return false;
    }
    if (friendsOnly && row.friends.empty()) {
        return false;
    }
    if (hideEmpty && row.figures.players == 0) {
        return false;
    }
    if (hideFull && row.figures.full()) {
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
    const vkr::ServerStatus& status = row.shown().status;
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
    const bool played = filter.playedOnly != filter_.playedOnly;
    filter_ = filter;
    invalidateFilter();
    if (played && column_ < 0) {
        sort(column_, sortOrder()); // unsorted, the servers played before come newest first
    }
}

bool ServerView::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return filter_.accepts(model_->rows()[sourceRow], model_->playedRank(sourceRow) >= 0);
}

void ServerView::sort(int column, Qt::SortOrder order) {
    column_ = column;
    playedOrder_ = column < 0 && filter_.playedOnly;
    QSortFilterProxyModel::sort(playedOrder_ ? int(ServerModel::NameColumn) : column, order);
}

bool ServerView::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (playedOrder_) {
        return model_->playedRank(left.row()) < model_->playedRank(right.row());
    }
    // The proxy sorts down by swapping the operands; the placeholders and ties must not follow
    // that swap, so the comparison is made in the order shown.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    return ascending ? shownBefore(left.row(), right.row(), left.column(), true)
                     : shownBefore(right.row(), left.row(), left.column(), false);
}

bool ServerView::shownBefore(int a, int b, int column, bool ascending) const {
    const vkr::ShownFigures& x = model_->rows()[a].figures;
    const vkr::ShownFigures& y = model_->rows()[b].figures;
    if (x.answered() != y.answered()) {
        return x.answered(); // an answered row before one without a reply, in either direction
    }
    int order = 0;
    if (column == ServerModel::PingColumn || column == ServerModel::PlayersColumn) {
        const bool ping = column == ServerModel::PingColumn;
        const std::optional<int64_t> m = ping ? x.ping : x.players, n = ping ? y.ping : y.players;
        if (m.has_value() != n.has_value()) {
            return m.has_value(); // a number before a placeholder, in either direction
        }
        order = m && *m != *n ? (*m < *n ? -1 : 1) : 0;
    } else {
        order = model_->sortKey(a, column).compare(model_->sortKey(b, column));
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
        // The one row of a server without players says so.
        QString name = j < status.playerCount ? vkr::fromBytes(sent) : tr("no players");
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
