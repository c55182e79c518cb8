#include "status/TForm4.h"

#include "app/TForm1.h"
#include "app/cmdline.h"
#include "app/guard.h"
#include "app/window.h"
#include "net/TClientSocket.h"
#include "net/TNMUDP.h"
#include "net/tick.h"
#include "settings/errors.h"
#include "settings/settings.h"
#include "status/TFormWatcher.h"
#include "status/server_query.h"
#include "ui_TForm1.h"
#include "ui_TForm4.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <optional>

namespace {

// The design's client size: the controls below the grids keep their distance from the bottom.
constexpr int designWidth = 500;
constexpr int designHeight = 378;

void setUpGrid(QTableWidget* grid) {
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(16);
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

// The number a Ping or Players cell sorts by (the player count of "3/12"); none while the
// cell still shows its placeholder.
std::optional<int> sortNumber(const QString& text) {
    bool ok = false;
    const int n = text.section('/', 0, 0).toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// A cell of SGrid. It keeps the server table index of its row: sorting moves the rows, the
// server stays with them. Ping and Players sort as numbers with the placeholders last in either
// direction, the other columns as text regardless of case; equal cells keep table order.
class ServerCell : public QTableWidgetItem {
public:
    ServerCell(const QString& text, int tableIndex)
        : QTableWidgetItem(text), tableIndex_(tableIndex) {}

    static int tableIndex(const QTableWidgetItem& cell) {
        return static_cast<const ServerCell&>(cell).tableIndex_;
    }

    bool operator<(const QTableWidgetItem& other) const override {
        // Qt sorts descending by swapping the operands; the placeholders and ties must not
        // follow that swap, so the comparison is made in the order shown.
        const QHeaderView* header = tableWidget()->horizontalHeader();
        const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
        return ascending ? shownBefore(*this, other, header->sortIndicatorSection(), true)
                         : shownBefore(other, *this, header->sortIndicatorSection(), false);
    }

private:
    static bool shownBefore(const QTableWidgetItem& a, const QTableWidgetItem& b, int column,
                            bool ascending) {
        int order = 0;
        if (column == 2 || column == 3) {
            const std::optional<int> x = sortNumber(a.text()), y = sortNumber(b.text());
            if (x.has_value() != y.has_value()) {
                return x.has_value();
            }
            order = x && *x != *y ? (*x < *y ? -1 : 1) : 0;
        } else {
            order = a.text().compare(b.text(), Qt::CaseInsensitive);
        }
        if (order != 0) {
            return ascending == (order < 0);
        }
        return tableIndex(a) < tableIndex(b);
    }

    int tableIndex_;
};

} // namespace

TForm4::TForm4(QWidget* parent)
    : vkr::Dialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      udps(new TNMUDP(this)), lookup(new TClientSocket(this)), Timer1(new QTimer(this)),
      Timer2(new QTimer(this)), Timer3(new QTimer(this)), ui_(std::make_unique<Ui::TForm4>()) {
    ui_->setupUi(this);
    resize(designWidth, designHeight);
    ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    ui_->BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogIgnoreButton));
    QFont small = ui_->GroupBox2->font();
    small.setFamilies({"Small Fonts", "DejaVu Sans"});
    small.setPixelSize(9);
    ui_->GroupBox2->setFont(small);

    setUpGrid(ui_->SGrid);
    ui_->SGrid->horizontalHeader()->setFixedHeight(17);
    ui_->SGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui_->SGrid->horizontalHeader()->setHighlightSections(false);
    // A header click sorts by its column, a second one reverses; the table order until then.
    // Every column's first click sorts ascending, whatever the last sort was.
    for (int c = 0; c < ui_->SGrid->columnCount(); ++c) {
        ui_->SGrid->horizontalHeaderItem(c)->setData(Qt::InitialSortOrderRole, Qt::AscendingOrder);
    }
    ui_->SGrid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ui_->SGrid->setSortingEnabled(true);
    setUpGrid(ui_->PlrGrid);
    ui_->PlrGrid->horizontalHeader()->hide();
    // SGrid keeps its height when the window grows; the player grid takes the rest.
    ui_->Splitter1->setStretchFactor(0, 0);
    ui_->Splitter1->setStretchFactor(1, 1);
    ui_->Splitter1->setSizes({177, 109});
    ui_->StatusBar1->showMessage("Ready");

    udps->SetLocalPort(15015);
    udps->OnDataReceived = [this](TNMUDP*, int NumberBytes, const std::string& FromIP, int Port) {
        udpsDataReceived(NumberBytes, FromIP, Port);
    };
    udps->OnInvalidHost = [this](bool& handled) { udpsInvalidHost(handled); };
    udps->OnBufferInvalid = [this](bool& handled, std::string&, int&) {
        udpsBufferInvalid(handled);
    };
    Timer1->setInterval(500);
    Timer2->setInterval(500);
    Timer3->setInterval(250);
    vkr::onSignal(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    vkr::onSignal(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    vkr::onSignal(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    vkr::onSignal(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    vkr::onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    vkr::onSignal(ui_->BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    // A click selects, also on the row already selected; the keys move the current cell.
    vkr::onSignal(ui_->SGrid, &QTableWidget::cellClicked, this, [this] { SGridClick(); });
    vkr::onSignal(ui_->SGrid, &QTableWidget::currentCellChanged, this, [this] { SGridClick(); });
    // A double-click joins the row it selects, as Join does.
    vkr::onSignal(ui_->SGrid, &QTableWidget::cellDoubleClicked, this, [this] { BitBtn1Click(); });
    vkr::onActivate(this, [this] { FormActivate(); });
    vkr::guarded([this] { FormCreate(); });
}

TForm4::~TForm4() = default;

void TForm4::FormCreate() {
    const QComboBox* from = vkr::forms().form1->ui()->PlayerName;
    ui_->PlayerName->clear();
    for (int i = 0; i < from->count(); ++i) {
        ui_->PlayerName->addItem(from->itemText(i));
    }
    ui_->PlayerName->setCurrentText(from->currentText());
}

void TForm4::showEvent(QShowEvent* event) {
    vkr::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        // Every opening lists the servers in table order.
        const QSignalBlocker block(ui_->SGrid);
        ui_->SGrid->setSortingEnabled(false);
        ui_->SGrid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        restoreTableOrder();
        ui_->SGrid->setSortingEnabled(true);
    }
}

void TForm4::FormActivate() {
    SizeColumns();
    Timer2->start();
}

void TForm4::FormResize() {
    SizeColumns();
}

void TForm4::resizeEvent(QResizeEvent* event) {
    vkr::Dialog::resizeEvent(event);
    // Panel1 is anchored on all four sides, the buttons and the player box to the left and
    // bottom, the status bar spans the bottom.
    const int dw = width() - designWidth;
    const int dh = height() - designHeight;
    ui_->Panel1->setGeometry(8, 8, 481 + dw, 289 + dh);
    ui_->BitBtn1->move(16, 319 + dh);
    ui_->BitBtn2->move(128, 319 + dh);
    ui_->BitBtn3->move(240, 319 + dh);
    ui_->GroupBox2->move(352, 311 + dh);
    ui_->StatusBar1->setGeometry(0, height() - 20, width(), 20);
    vkr::guarded([this] { FormResize(); });
}

void TForm4::SizeColumns() {
    QTableWidget* grid = ui_->SGrid;
    const int a = static_cast<int>(std::lround((grid->width() - 98) / 3.0));
    const int widths[] = {a, a, 30, 50, a + 10};
    for (int c = 0; c < 5; ++c) {
        grid->setColumnWidth(c, std::max(0, widths[c]));
    }
    ui_->PlrGrid->setColumnWidth(0, 150);
    ui_->PlrGrid->setColumnWidth(1, std::max(0, ui_->PlrGrid->width() - 150));
}

void TForm4::Timer2Timer() {
    Timer2->stop();
    QueryServers();
}

void TForm4::Timer3Timer() {
    const uint32_t now = vkr::GetTickCount();
    changeRows([&] {
        std::erase_if(awaiting_, [&](int server) {
            const bool overdue = vkr::replyOverdue(rows_[server].status, now);
            if (overdue) {
                showSilent(server, true);
            }
            return overdue;
        });
    });
    if (awaiting_.empty()) {
        Timer3->stop();
    }
}

void TForm4::BitBtn2Click() {
    SizeColumns();
    QueryServers();
}

void TForm4::Timer1Timer() {
    ui_->BitBtn2->setEnabled(true);
    Timer1->stop();
    ShowPlayers();
}

void TForm4::QueryServers() {
    // A pass asked for while one runs (while its host names are looked up) is dropped: the
    // running pass queries every row anyway.
    if (querying_) {
        return;
    }
    querying_ = true;
    // Refresh stays disabled for the whole pass, also when the last pass's Timer1 is pending.
    Timer1->stop();
    setStatus("Querying servers...");
    ui_->BitBtn2->setEnabled(false);
    // The table's host names are looked up all at once, off the GUI thread; the rows are then
    // queried in table order over the results. A table of dotted addresses goes at once.
    try {
        showServerRows();
        std::vector<std::string> names = vkr::QueryPass::namesToLookUp(vkr::store().servers);
        if (!names.empty()) {
            lookup->ResolveHostAddresses(names, [this](vkr::HostAddresses found) {
                vkr::guarded([&] { sendRequests(std::move(found)); });
            });
            return;
        }
    } catch (...) {
        querying_ = false;
        throw;
    }
    sendRequests({});
}

void TForm4::showServerRows() {
    const vkr::ServerTable& servers = vkr::store().servers;
    QTableWidget* grid = ui_->SGrid;
    const QSignalBlocker block(grid);
    const int selected = selectedServer();
    // The rows are filled in table order, then sorted again as the header shows.
    grid->setSortingEnabled(false);
    restoreTableOrder();
    grid->setRowCount(servers.count());
    for (int i = 0; i <= servers.lastRow; ++i) {
        const QString texts[] = {vkr::qs(servers[i].name),
                                 vkr::qs(servers[i].ip + ":" + servers[i].port)};
        for (int c = 0; c < grid->columnCount(); ++c) {
            QTableWidgetItem* item = grid->item(i, c);
            if (!item) {
                grid->setItem(i, c, new ServerCell(c < 2 ? texts[c] : QString(), i));
            } else if (c < 2) {
                item->setText(texts[c]);
            }
        }
    }
    grid->setSortingEnabled(true);
    if (selected >= 0 && selected <= servers.lastRow) {
        grid->setCurrentCell(gridRow(selected), 0);
    } else if (grid->currentRow() < 0 && servers.count() > 0) {
        grid->setCurrentCell(0, 0);
    }
}

void TForm4::restoreTableOrder() {
    QTableWidget* grid = ui_->SGrid;
    bool inTableOrder = true;
    for (int r = 0; r < grid->rowCount() && inTableOrder; ++r) {
        inTableOrder = tableIndex(r) == r;
    }
    if (inTableOrder) {
        return;
    }
    const int selected = selectedServer();
    std::vector<std::array<QTableWidgetItem*, 5>> byServer(grid->rowCount());
    for (int r = 0; r < grid->rowCount(); ++r) {
        const int k = tableIndex(r);
        for (int c = 0; c < 5; ++c) {
            QTableWidgetItem* item = grid->takeItem(r, c);
            if (k >= 0 && k < grid->rowCount()) {
                byServer[k][c] = item;
            } else {
                delete item;
            }
        }
    }
    for (int k = 0; k < grid->rowCount(); ++k) {
        for (int c = 0; c < 5; ++c) {
            grid->setItem(k, c, byServer[k][c]);
        }
    }
    if (selected >= 0) {
        grid->setCurrentCell(selected, 0);
    }
}

int TForm4::tableIndex(int row) const {
    const QTableWidgetItem* item = ui_->SGrid->item(row, 0);
    return item ? ServerCell::tableIndex(*item) : -1;
}

template <class Change> void TForm4::changeRows(Change&& change) {
    QTableWidget* grid = ui_->SGrid;
    if (!grid->isSortingEnabled() || grid->horizontalHeader()->sortIndicatorSection() < 0) {
        change(); // no sort column, or held already: no row moves
        return;
    }
    struct Hold {
        QTableWidget* grid;
        std::vector<int>& heldRows;
        ~Hold() {
            heldRows.clear();
            grid->setSortingEnabled(true);
        }
    } hold{grid, heldRows_};
    grid->setSortingEnabled(false);
    heldRows_.assign(static_cast<size_t>(grid->rowCount()), -1);
    for (int r = 0; r < grid->rowCount(); ++r) {
        const int k = tableIndex(r);
        if (k >= 0 && k < grid->rowCount()) {
            heldRows_[static_cast<size_t>(k)] = r;
        }
    }
    change();
}

int TForm4::gridRow(int server) const {
    if (!heldRows_.empty()) {
        return server >= 0 && server < static_cast<int>(heldRows_.size())
                   ? heldRows_[static_cast<size_t>(server)]
                   : -1;
    }
    // In table order (the order at every opening) the server's row is its own index.
    if (server >= 0 && server < ui_->SGrid->rowCount() && tableIndex(server) == server) {
        return server;
    }
    for (int r = 0; r < ui_->SGrid->rowCount(); ++r) {
        if (tableIndex(r) == server) {
            return r;
        }
    }
    return -1;
}

void TForm4::sendRequests(vkr::HostAddresses names) {
    struct PassEnd {
        bool& querying;
        ~PassEnd() { querying = false; }
    } passEnd{querying_};
    const vkr::ServerTable& servers = vkr::store().servers;
    if (ui_->SGrid->rowCount() != servers.count()) {
        showServerRows(); // the table changed while the names were looked up
    }
    // A port text that is not an integer stops only its own row; the first such error is
    // reported once the pass is over.
    std::exception_ptr failure;
    vkr::QueryPass pass(*udps, std::move(names));
    senders_.clear();
    changeRows([&] {
        for (int i = 0; i <= servers.lastRow; ++i) {
            try {
                pass.query(servers[i], rows_[i]);
                senders_.add(i, servers[i], rows_[i].status);
            } catch (const vkr::Exception&) {
                if (!failure) {
                    failure = std::current_exception();
                }
            }
            showStatusCells(i);
            showSilent(i, false);
            awaiting_.insert(i);
        }
        pass.flush();
    });
    Timer3->start();
    setStatus("Query done...");
    Timer1->start();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TForm4::ShowPlayers() {
    const int k = selectedServer();
    if (k < 0) {
        return;
    }
    const vkr::ServerStatus& status = rows_[k].status;
    const int n = std::max(1, status.playerCount);
    QTableWidget* grid = ui_->PlrGrid;
    grid->setRowCount(n);
    for (int j = 0; j < n; ++j) {
        grid->setItem(j, 0, new QTableWidgetItem(vkr::fromBytes(status.playerName(j))));
        grid->setItem(j, 1, new QTableWidgetItem(vkr::fromBytes(status.playerScore(j))));
    }
}

void TForm4::SGridClick() {
    ShowPlayers();
}

void TForm4::BitBtn1Click() {
    const int k = selectedServer();
    if (k < 0) {
        return;
    }
    const std::string name = ui_->PlayerName->currentText().toStdString();
    vkr::forms().form1->LaunchVKR(vkr::joinArguments(vkr::store().servers[k], name), k);
}

void TForm4::BitBtn3Click() {
    const int k = selectedServer();
    if (k < 0) {
        return;
    }
    const vkr::ServerEntry& e = vkr::store().servers[k];
    // Read first: a port text that is not an integer leaves every window as it is.
    const int port = vkr::queryPort(e);
    TForm1* main = vkr::forms().form1;
    TFormWatcher* watcher = vkr::forms().formWatcher;
    main->hide();
    hide();
    vkr::showForm(watcher); // the watcher centres itself on the main window when first shown
    watcher->udps->RemoteHost = e.ip;
    watcher->udps->RemotePort = port;
    watcher->server = {e.id, e.name};
    watcher->Timer2->start();
    watcher->UpdateStatus();
    watcher->raise();
}

void TForm4::udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port) {
    setStatus("Receiving data...");
    if (NumberBytes < 1) {
        return;
    }
    std::string text;
    udps->ReadReceivedData(text);
    const int selected = selectedServer();
    for (int i : vkr::ApplyReply(vkr::store().servers, rows_, senders_, FromIP, Port, text,
                                 udps->ReceivedTick())) {
        showStatusCells(i);
        if (awaiting_.erase(i) == 0) {
            showSilent(i, false); // a late reply
        }
        if (i == selected) {
            ShowPlayers(); // the selected server's players follow its replies
        }
    }
    setStatus("Ready");
}

void TForm4::udpsInvalidHost(bool&) {
    setStatus("Invalid Host error occured.");
}

void TForm4::udpsBufferInvalid(bool&) {
    setStatus("Buffer invalid error occured.");
}

void TForm4::setStatus(const QString& text) {
    // A start of the game keeps its word on the status line while it is under way.
    if (!vkr::forms().form1->starting()) {
        ui_->StatusBar1->showMessage(text);
    }
}

std::vector<QTableWidgetItem*> TForm4::serverCells(int server) const {
    // Taken all at once: a changed cell of the sort column moves its row at once.
    std::vector<QTableWidgetItem*> cells;
    const int row = gridRow(server); // none when the table grew after the pass
    for (int c = 0; row >= 0 && c < ui_->SGrid->columnCount(); ++c) {
        cells.push_back(ui_->SGrid->item(row, c));
    }
    return cells;
}

void TForm4::showStatusCells(int server) {
    const std::vector<QTableWidgetItem*> items = serverCells(server);
    if (items.empty()) {
        return;
    }
    // The placeholders of a pass are the same in every row: one constant text, never a copy.
    static const QString unknown = QStringLiteral("??"), blank = QStringLiteral(" ");
    auto text = [](const std::string& cell) {
        return cell == "??" ? unknown : cell == " " ? blank : vkr::fromBytes(cell);
    };
    const vkr::StatusCells& cells = rows_[server].cells;
    items[2]->setText(text(cells.ping));
    items[3]->setText(text(cells.players));
    items[4]->setText(text(cells.mission));
}

void TForm4::showSilent(int server, bool silent) {
    const std::vector<QTableWidgetItem*> items = serverCells(server);
    if (items.empty() || (items[0]->toolTip() == "No reply") == silent) {
        return; // drawn so already: a pass leaves the rows that answered alone
    }
    for (QTableWidgetItem* item : items) {
        item->setForeground(silent ? QBrush(Qt::gray) : QBrush());
        item->setToolTip(silent ? "No reply" : "");
    }
}

int TForm4::selectedServer() const {
    const int row = ui_->SGrid->currentRow();
    const int k = row < 0 ? -1 : tableIndex(row);
    return k <= vkr::store().servers.lastRow ? k : -1;
}
