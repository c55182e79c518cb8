#include "status/TFormLan.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "net/TNMUDP.h"
#include "settings/editing.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/server_model.h"
#include "ui_TFormLan.h"

#include <QHeaderView>
#include <QNetworkInterface>
#include <QSortFilterProxyModel>

#include <algorithm>
#include <limits>

namespace vkr {

// The servers of a search, one row per server in order of its first answer (a search never
// moves or removes a server, so a row stands for its server until the next search empties
// the list). Columns as the browser's: name, address and game port, ping, players, mission.
class LanModel : public QAbstractTableModel {
public:
    explicit LanModel(const LanList& servers, QObject* parent)
        : QAbstractTableModel(parent), servers_(servers) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 5;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < 5) {
            return ServerModel::columnTitle(section);
        }
        return {};
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rows_) {
            return {};
        }
        const LanServer& s = servers_[index.row()];
        const StatusCells& cells = s.row.cells;
        if (role == Qt::DisplayRole) {
            switch (index.column()) {
            case 0:
                return fromBytes(s.name());
            case 1:
                return QString::fromStdString(s.address + ":" + std::to_string(s.gamePort()));
            case 2:
                return fromBytes(cells.ping);
            case 3:
                return fromBytes(cells.players);
            default:
                return fromBytes(cells.mission);
            }
        }
        if (role == Qt::UserRole) { // what the column sorts by
            if (index.column() == 2 || index.column() == 3) {
                bool ok = false;
                const int n = fromBytes(index.column() == 2 ? cells.ping : cells.players)
                                  .section('/', 0, 0)
                                  .toInt(&ok);
                return ok ? n : std::numeric_limits<int>::max();
            }
            return data(index, Qt::DisplayRole).toString().toLower();
        }
        return {};
    }

    // Server i answered: a new row, or new cells in its row.
    void answered(int i) {
        if (i >= rows_) {
            beginInsertRows({}, rows_, i);
            rows_ = i + 1;
            endInsertRows();
        } else {
            emit dataChanged(index(i, 0), index(i, 4));
        }
    }
    void cleared() {
        beginResetModel();
        rows_ = 0;
        endResetModel();
    }

private:
    const LanList& servers_;
    int rows_ = 0; // the servers the view has been told of
};

} // namespace vkr

TFormLan::TFormLan(QWidget* parent)
    : vkr::FixedDialog(QSize(520, 290), vkr::FixedDialog::Border::Dialog, parent),
      udps(new TNMUDP(this)), Timer1(new QTimer(this)), sorted(new QSortFilterProxyModel(this)),
      ui_(std::make_unique<Ui::TFormLan>()), model_(new vkr::LanModel(servers_, this)) {
    ui_->setupUi(this);
    sorted->setSourceModel(model_);
    sorted->setSortRole(Qt::UserRole);
    ui_->ServerView->setModel(sorted);
    ui_->ServerView->verticalHeader()->hide();
    ui_->ServerView->verticalHeader()->setDefaultSectionSize(18);
    ui_->ServerView->horizontalHeader()->setStretchLastSection(true);
    ui_->ServerView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    const int widths[] = {150, 130, 40, 55};
    for (int c = 0; c < 4; ++c) {
        ui_->ServerView->setColumnWidth(c, widths[c]);
    }

    // A port of the system's choosing, never the browser's or the watcher's.
    udps->SetLocalPort(0);
    udps->SetBroadcast(true);
    udps->OnDataReceived = [this](TNMUDP*, int NumberBytes, const std::string& FromIP, int Port) {
        udpsDataReceived(NumberBytes, FromIP, Port);
    };
    Timer1->setSingleShot(true);
    Timer1->setInterval(static_cast<int>(vkr::lanListenTicks));
    vkr::onSignal(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    vkr::onSignal(ui_->SearchButton, &QPushButton::clicked, this, [this] { SearchButtonClick(); });
    vkr::onSignal(ui_->AddButton, &QPushButton::clicked, this, [this] { AddButtonClick(); });
    vkr::onSignal(ui_->CloseButton, &QPushButton::clicked, this, [this] { hide(); });
    setEscapeHandler([this] { hide(); });
}

TFormLan::~TFormLan() = default;

std::vector<std::string> TFormLan::broadcastAddresses() {
    std::vector<std::string> found;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::CanBroadcast) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol ||
                entry.broadcast().isNull()) {
                continue;
            }
            std::string address = entry.broadcast().toString().toStdString();
            if (std::find(found.begin(), found.end(), address) == found.end()) {
                found.push_back(std::move(address));
            }
        }
    }
    return found;
}

void TFormLan::Open(const QWidget* over) {
    vkr::showFormCentred(this, over);
    Search();
}

void TFormLan::Search() {
    if (listening_) {
        return;
    }
    const std::vector<std::string> addresses = broadcastAddresses();
    model_->cleared();
    if (addresses.empty()) {
        setStatus(tr("No local network found."));
        return;
    }
    udps->HoldSends();
    for (const std::string& address : addresses) {
        for (int port = vkr::lanFirstQueryPort; port <= vkr::lanLastQueryPort; ++port) {
            udps->RemoteHost = address;
            udps->RemotePort = port;
            vkr::SendStatusRequest(*udps);
        }
    }
    udps->Flush();
    servers_.start(udps->LastSendTick());
    listening_ = true;
    ui_->SearchButton->setEnabled(false);
    setStatus(tr("Searching the local network..."));
    Timer1->start();
}

void TFormLan::SearchButtonClick() {
    Search();
}

void TFormLan::Timer1Timer() {
    listening_ = false;
    ui_->SearchButton->setEnabled(true);
    setStatus(foundText());
}

QString TFormLan::foundText() const {
    const int n = servers_.count();
    return n == 0   ? tr("No server answered.")
           : n == 1 ? tr("1 server found.")
                    : tr("%n servers found.", nullptr, n);
}

void TFormLan::udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port) {
    if (NumberBytes < 1 || !listening_) {
        return;
    }
    std::string text;
    udps->ReadReceivedData(text);
    const int i = servers_.apply(FromIP, Port, text, udps->ReceivedTick());
    if (i >= 0) {
        model_->answered(i);
        setStatus(tr("Searching the local network... %1").arg(foundText()));
    }
}

void TFormLan::AddButtonClick() {
    std::vector<vkr::ServerEntry> chosen;
    QModelIndexList rows = ui_->ServerView->selectionModel()->selectedRows();
    // Added in the order shown.
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows) {
        chosen.push_back(servers_[sorted->mapToSource(row).row()].entry());
    }
    if (chosen.empty()) {
        setStatus(tr("Select the servers to add."));
        return;
    }
    const vkr::AddedServers result = vkr::addServers(vkr::store().servers, chosen, vkr::idSource());
    QStringList said;
    if (!result.added.empty()) {
        const int added = static_cast<int>(result.added.size());
        said << (added == 1 ? tr("1 server added to the favourites.")
                            : tr("%n servers added to the favourites.", nullptr, added));
    }
    if (result.skipped > 0) {
        said << (result.skipped == 1 ? tr("1 was there already.")
                                     : tr("%n were there already.", nullptr, result.skipped));
    }
    if (result.refused > 0) {
        said << tr("%n did not fit: the list of servers is full.", nullptr, result.refused);
    }
    setStatus(said.join(' '));
    if (!result.added.empty()) {
        vkr::storeChanged(vkr::StorePart::servers);
        vkr::forms().form1->SaveRegistry();
        if (vkr::forms().form4->isVisible()) {
            vkr::forms().form4->QueryServers(); // the browser lists them at once
        }
    }
}

void TFormLan::setStatus(const QString& text) {
    ui_->Status->setText(text);
}
