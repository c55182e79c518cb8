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
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <exception>

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
    std::erase_if(awaiting_, [&](int row) {
        const bool overdue = vkr::replyOverdue(rows_[row].status, now);
        if (overdue) {
            showSilent(row, true);
        }
        return overdue;
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
    const QSignalBlocker block(ui_->SGrid);
    ui_->SGrid->setRowCount(servers.count());
    if (ui_->SGrid->currentRow() < 0 && servers.count() > 0) {
        ui_->SGrid->setCurrentCell(0, 0);
    }
    for (int i = 0; i <= servers.lastRow; ++i) {
        setCell(i, 0, vkr::qs(servers[i].name));
        setCell(i, 1, vkr::qs(servers[i].ip + ":" + servers[i].port));
    }
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
    for (int i = 0; i <= servers.lastRow; ++i) {
        try {
            pass.query(servers[i], rows_[i]);
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
    Timer3->start();
    setStatus("Query done...");
    Timer1->start();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TForm4::ShowPlayers() {
    const int k = ui_->SGrid->currentRow();
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
    const int selected = ui_->SGrid->currentRow();
    for (int i :
         vkr::ApplyReply(vkr::store().servers, rows_, FromIP, Port, text, udps->ReceivedTick())) {
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
    ui_->StatusBar1->showMessage(text);
}

void TForm4::setCell(int row, int column, const QString& text) {
    QTableWidget* grid = ui_->SGrid;
    if (row >= grid->rowCount()) {
        return; // the table grew after the pass: its new rows are not in the grid yet
    }
    if (QTableWidgetItem* item = grid->item(row, column)) {
        item->setText(text);
    } else {
        grid->setItem(row, column, new QTableWidgetItem(text));
    }
}

void TForm4::showStatusCells(int row) {
    const vkr::StatusCells& cells = rows_[row].cells;
    setCell(row, 2, vkr::fromBytes(cells.ping));
    setCell(row, 3, vkr::fromBytes(cells.players));
    setCell(row, 4, vkr::fromBytes(cells.mission));
}

void TForm4::showSilent(int row, bool silent) {
    QTableWidget* grid = ui_->SGrid;
    for (int c = 0; c < grid->columnCount(); ++c) {
        if (QTableWidgetItem* item = grid->item(row, c)) {
            item->setForeground(silent ? QBrush(Qt::gray) : QBrush());
            item->setToolTip(silent ? "No reply" : "");
        }
    }
}

int TForm4::selectedServer() const {
    const int k = ui_->SGrid->currentRow();
    return k <= vkr::store().servers.lastRow ? k : -1;
}
