#include "status/TForm4.h"

#include "app/TForm1.h"
#include "app/cmdline.h"
#include "app/guard.h"
#include "app/window.h"
#include "dialogs/TForm3.h"
#include "net/TClientSocket.h"
#include "net/TNMUDP.h"
#include "net/host_lookup.h"
#include "net/tick.h"
#include "settings/editing.h"
#include "settings/errors.h"
#include "settings/prompts.h"
#include "settings/settings.h"
#include "settings/utf8.h"
#include "status/TFormDetails.h"
#include "status/TFormLan.h"
#include "status/TFormWatcher.h"
#include "status/add_server_bar.h"
#include "status/friends.h"
#include "status/ping_limit.h"
#include "status/player_grid.h"
#include "status/protocol.h"
#include "status/server_list_menu.h"
#include "status/server_model.h"
#include "status/server_query.h"
#include "ui_TForm1.h"
#include "ui_TForm4.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

namespace {

// The design's client size: the controls below the grids keep their distance from the bottom.
constexpr int designWidth = 500;
constexpr int designHeight = 480;

// The views are told of changed rows at most once per refreshGap milliseconds during a pass.
constexpr qint64 refreshGap = 50;

// The header's sort arrow sits in a strip of its own above the text, as on Windows, so that it
// never covers the text of a narrow column.
constexpr int arrowStrip = 5;

class HeaderStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
        if (element != CE_Header || !header) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        QStyleOptionHeader section(*header);
        section.sortIndicator = QStyleOptionHeader::None;
        QProxyStyle::drawControl(CE_HeaderSection, &section, painter, widget);
        QStyleOptionHeader label(section);
        label.rect = subElementRect(SE_HeaderLabel, &section, widget).adjusted(0, arrowStrip, 0, 0);
        QProxyStyle::drawControl(CE_HeaderLabel, &label, painter, widget);
        if (header->sortIndicator == QStyleOptionHeader::None) {
            return;
        }
        // A small filled triangle, centred at the top: pointing up for an ascending sort.
        const QRect r = header->rect;
        const int x = r.center().x(), top = r.top() + 1, bottom = top + arrowStrip - 2;
        const bool up = header->sortIndicator == QStyleOptionHeader::SortUp;
        const QPolygon arrow({QPoint(x - 3, up ? bottom : top), QPoint(x + 3, up ? bottom : top),
                              QPoint(x, up ? top : bottom)});
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(header->palette.color(QPalette::WindowText));
        painter->setBrush(header->palette.color(QPalette::WindowText));
        painter->drawPolygon(arrow);
        painter->restore();
    }
};

void setUpGrid(QTableView* grid) {
    // Tab goes to the next control; the arrow keys move the selection.
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(16);
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

QString shownCountText(int shown, int all) {
    return QCoreApplication::translate("TForm4", "%n of %1 servers shown", nullptr, shown).arg(all);
}

QString progressText(int answered, int asked) {
    return QCoreApplication::translate("TForm4", "Answered %n of %1", nullptr, answered).arg(asked);
}

QString goneMessage() {
    return QCoreApplication::translate("TForm4", "This server is no longer in the server list.");
}

} // namespace

TForm4::TForm4(QWidget* parent)
    : vkr::Dialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      udps(new TNMUDP(this)), lookup(new TClientSocket(this)), Timer1(new QTimer(this)),
      Timer2(new QTimer(this)), Timer3(new QTimer(this)), ui_(std::make_unique<Ui::TForm4>()),
      model_(new ServerModel(this)), view_(new ServerView(model_, this)),
      shownCount_(new QLabel(this)), progress_(new QLabel(this)), rowMenu_(new QMenu(this)),
      refresh_(new QTimer(this)), pass_(std::make_unique<vkr::QueryPass>(*udps, schedule_)) {
    ui_->setupUi(this);
    addBar_ = new AddServerBar(ui_->AddServer, ui_->AddButton, ui_->AddMessage, this);
    addBar_->select = [this](vkr::EntryKey key) { return selectServer(key); };
    addBar_->ask = [this](vkr::EntryKey key) { askServer(key); };
    playerGrid_ = new PlayerGrid(ui_->PlrGrid, this);
    fillPingLimits(ui_->MaxPing);
    // Servers added from a list are asked at once and take the names they send.
    auto* lists = new ServerListMenu(ui_->ListButton);
    lists->added = [this](vkr::EntryKey key) {
        addBar_->nameAtFirstReply(vkr::store().servers[vkr::rowOfEntry(vkr::store().servers, key)]);
        askServer(key);
    };
    resize(designWidth, designHeight);
    ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    ui_->BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogIgnoreButton));
    QFont small = ui_->GroupBox2->font();
    small.setFamilies({"Small Fonts", "DejaVu Sans"});
    small.setPixelSize(9);
    ui_->GroupBox2->setFont(small);

    QTableView* grid = ui_->SGrid;
    grid->setModel(view_);
    setUpGrid(grid);
    QHeaderView* header = grid->horizontalHeader();
    auto* headerStyle = new HeaderStyle;
    headerStyle->setParent(header);
    header->setStyle(headerStyle);
    header->setFixedHeight(17 + arrowStrip);
    // The user may size the columns; the widths are kept from then on.
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(16);
    connect(header, &QHeaderView::sectionResized, this, [this] {
        if (!sizing_) {
            vkr::store().settings.columns =
                ui_->SGrid->horizontalHeader()->saveState().toBase64().toStdString();
        }
    });
    header->setHighlightSections(false);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    grid->setSortingEnabled(true);
    setUpGrid(ui_->PlrGrid);
    // SGrid keeps its height when the window grows; the player grid takes the rest.
    ui_->Splitter1->setStretchFactor(0, 0);
    ui_->Splitter1->setStretchFactor(1, 1);
    ui_->Splitter1->setSizes({177, 109});
    ui_->StatusBar1->showMessage(tr("Ready"));
    shownCount_->setObjectName("ShownCount");
    shownCount_->setAccessibleName(tr("Servers shown"));
    // Wide enough for the longest count, so that no count is ever cut.
    shownCount_->setMinimumWidth(
        shownCount_->fontMetrics().horizontalAdvance(shownCountText(1025, 1025)) + 8);
    ui_->StatusBar1->addPermanentWidget(shownCount_);
    shownCount_->hide();
    progress_->setObjectName("Progress");
    // The count changes at every refresh of a pass: a panel of fixed size that paints its own
    // background is repainted alone, where one that may change size has the status bar laid out
    // and painted again each time. It is made wide enough for 1025 servers here, and wider when
    // a pass asks more (showProgress).
    progress_->setText(progressText(1025, 1025));
    progress_->setFixedSize(progress_->sizeHint() + QSize(8, 0));
    progress_->clear();
    progress_->setAutoFillBackground(true);
    ui_->StatusBar1->addPermanentWidget(progress_);

    rowMenu_->setObjectName("RowMenu");
    auto menuAction = [this](const QString& text, auto handler) {
        QAction* action = rowMenu_->addAction(text);
        vkr::onSignal(action, &QAction::triggered, this, [this, handler] {
            if (menuServer_) {
                handler(this, *menuServer_);
            }
        });
    };
    menuAction(tr("Join server"), [](TForm4* f, vkr::EntryKey k) { f->JoinServer(k); });
    menuAction(tr("Watcher"), [](TForm4* f, vkr::EntryKey k) { f->WatchServer(k); });
    menuAction(tr("Copy address"), [](TForm4* f, vkr::EntryKey k) { f->CopyAddress(k); });
    menuAction(tr("Edit server..."), [](TForm4* f, vkr::EntryKey k) { f->EditServer(k); });
    menuAction(tr("Server details..."), [](TForm4* f, vkr::EntryKey k) { f->ShowDetails(k); });
    menuAction(tr("Refresh server"), [](TForm4* f, vkr::EntryKey k) { f->RefreshServer(k); });
    auto* details = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this);
    vkr::onSignal(details, &QShortcut::activated, this, [this] {
        if (const std::optional<vkr::EntryKey> key = selectedServer()) {
            ShowDetails(*key);
        }
    });

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
    Timer3->setSingleShot(true);
    Timer3->setTimerType(Qt::PreciseTimer); // a wait's end, not a poll
    refresh_->setSingleShot(true);
    vkr::onSignal(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    vkr::onSignal(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    vkr::onSignal(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    vkr::onSignal(refresh_, &QTimer::timeout, this, [this] { refresh(); });
    vkr::onSignal(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    vkr::onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    vkr::onSignal(ui_->BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    vkr::onSignal(ui_->LanButton, &QPushButton::clicked, this, [this] { LanButtonClick(); });
    // The filter applies as it is typed: Enter in it must not reach the default button, Join.
    ui_->FilterText->installEventFilter(this);
    setEscapeHandler([this] { close(); });
    // F5 refreshes as the Refresh button does (nothing while a pass runs).
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    vkr::onSignal(f5, &QShortcut::activated, this, [this] { ui_->BitBtn2->click(); });
    // A click selects, also on the row already selected; the keys move the current row.
    vkr::onSignal(grid, &QTableView::clicked, this, [this] { SGridClick(); });
    vkr::onSignal(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                  [this] { SGridClick(); });
    // A double-click joins the row it selects, as Join does.
    vkr::onSignal(grid, &QTableView::doubleClicked, this, [this] { BitBtn1Click(); });
    connect(grid, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& pos) { vkr::guarded([&] { SGridContextMenu(pos, false); }); });
    grid->installEventFilter(this);
    vkr::onSignal(header, &QHeaderView::sortIndicatorChanged, this, [this] { SortChange(); });
    vkr::onSignal(ui_->FilterText, &QLineEdit::textChanged, this, [this] { FilterChange(); });
    for (QCheckBox* box : {ui_->HideEmpty, ui_->HideFull, ui_->HideSilent, ui_->FriendsOnly}) {
        vkr::onSignal(box, &QCheckBox::toggled, this, [this] { FilterChange(); });
    }
    vkr::onSignal(ui_->MaxPing, &QComboBox::currentIndexChanged, this, [this] { FilterChange(); });
    vkr::onSignal(ui_->PlayedOnly, &QCheckBox::toggled, this, [this] {
        if (ui_->PlayedOnly->isChecked()) {
            // The servers played before show newest first, until a column is clicked.
            ui_->SGrid->sortByColumn(-1, Qt::AscendingOrder);
        }
        FilterChange();
    });
    // The count of rows shown follows every change of the rows the filter lets through.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(view_, signal, this, [this] { showShownCount(); });
    }
    connect(view_, &QAbstractItemModel::modelReset, this, [this] { showShownCount(); });
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
    syncRows();
    FriendsChanged();
    model_->setHistory(vkr::store().settings.history);
}

void TForm4::showEvent(QShowEvent* event) {
    vkr::Dialog::showEvent(event);
    if (!event->spontaneous()) {
        // Every opening shows the filter and the sort last chosen.
        showViewSettings();
    }
}

void TForm4::showViewSettings() {
    const vkr::LauncherSettings& o = vkr::store().settings;
    {
        const QSignalBlocker text(ui_->FilterText), empty(ui_->HideEmpty), full(ui_->HideFull),
            silent(ui_->HideSilent), friends(ui_->FriendsOnly), played(ui_->PlayedOnly),
            ping(ui_->MaxPing);
        ui_->FilterText->setText(vkr::qs(o.filter));
        ui_->HideEmpty->setChecked(o.hideempty);
        ui_->HideFull->setChecked(o.hidefull);
        ui_->HideSilent->setChecked(o.hidesilent);
        ui_->FriendsOnly->setChecked(o.friendsonly);
        ui_->PlayedOnly->setChecked(o.playedonly);
        showPingLimit(ui_->MaxPing, o.maxping);
    }
    view_->setFilter({vkr::qs(o.filter), o.hideempty, o.hidefull, o.hidesilent, o.friendsonly,
                      o.playedonly, pingLimit(ui_->MaxPing)});
    if (!o.columns.empty()) {
        sizing_ = true;
        ui_->SGrid->horizontalHeader()->restoreState(
            QByteArray::fromBase64(QByteArray::fromStdString(o.columns)));
        sizing_ = false;
    }
    const bool sorted = o.sortcolumn >= 0 && o.sortcolumn < ServerModel::ColumnCount;
    const QSignalBlocker block(ui_->SGrid->horizontalHeader());
    ui_->SGrid->sortByColumn(sorted ? o.sortcolumn : -1,
                             sorted && o.sortorder == Qt::DescendingOrder ? Qt::DescendingOrder
                                                                          : Qt::AscendingOrder);
    showShownCount();
}

void TForm4::FilterChange() {
    vkr::LauncherSettings& o = vkr::store().settings;
    o.filter = vkr::editedText(ui_->FilterText->text(), o.filter);
    o.hideempty = ui_->HideEmpty->isChecked();
    o.hidefull = ui_->HideFull->isChecked();
    o.hidesilent = ui_->HideSilent->isChecked();
    o.friendsonly = ui_->FriendsOnly->isChecked();
    o.playedonly = ui_->PlayedOnly->isChecked();
    o.maxping = pingLimit(ui_->MaxPing);
    view_->setFilter({ui_->FilterText->text(), o.hideempty, o.hidefull, o.hidesilent, o.friendsonly,
                      o.playedonly, o.maxping});
    showShownCount();
}

void TForm4::SortChange() {
    const QHeaderView* header = ui_->SGrid->horizontalHeader();
    vkr::LauncherSettings& o = vkr::store().settings;
    o.sortcolumn = header->sortIndicatorSection();
    o.sortorder = header->sortIndicatorOrder();
}

void TForm4::hideEvent(QHideEvent* event) {
    vkr::Dialog::hideEvent(event);
    // The filter, the sort and the column widths are saved when the window goes (and at exit),
    // not at every key or click.
    if (!event->spontaneous() && vkr::forms().form1 && vkr::forms().form4 == this) {
        vkr::guarded([] { vkr::forms().form1->SaveRegistry(); });
    }
}

void TForm4::showShownCount() {
    const int shown = view_->rowCount(), all = model_->rowCount();
    shownCount_->setVisible(shown < all);
    if (shown < all) {
        shownCount_->setText(shownCountText(shown, all));
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
    // The filter bar, the "Add server" bar and its message span the top, Panel1 is anchored on
    // all four sides, the buttons and the player box to the left and bottom, the status bar
    // spans the bottom.
    const int dw = width() - designWidth;
    const int dh = height() - designHeight;
    ui_->FilterBar->setGeometry(8, 8, 481 + dw, 23);
    ui_->FilterBar2->setGeometry(8, 37, 481 + dw, 23);
    ui_->AddBar->setGeometry(8, 66, 481 + dw, 23);
    ui_->AddMessage->setGeometry(8, 91, 481 + dw, 15);
    ui_->Panel1->setGeometry(8, 110, 481 + dw, 289 + dh);
    ui_->BitBtn1->move(16, 421 + dh);
    ui_->BitBtn2->move(128, 421 + dh);
    ui_->BitBtn3->move(240, 421 + dh);
    ui_->GroupBox2->move(352, 413 + dh);
    ui_->StatusBar1->setGeometry(0, height() - 20, width(), 20);
    vkr::guarded([this] { FormResize(); });
}

void TForm4::SizeColumns() {
    QTableView* grid = ui_->SGrid;
    // Columns the user has sized keep their widths. Otherwise Ping and Players are as wide as
    // their longest figure or their header (a ping of four digits, "100/100"), and the text
    // columns share the rest.
    if (vkr::store().settings.columns.empty()) {
        const QFontMetrics fm(grid->font()), hm(grid->horizontalHeader()->font());
        const int margin =
            2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid) + 4;
        auto title = [this](int column) {
            return model_->headerData(column, Qt::Horizontal).toString();
        };
        const int ping = std::max(fm.horizontalAdvance("99999"),
                                  hm.horizontalAdvance(title(ServerModel::PingColumn))) +
                         margin;
        const int players = std::max(fm.horizontalAdvance("100/100"),
                                     hm.horizontalAdvance(title(ServerModel::PlayersColumn))) +
                            margin;
        const int a = static_cast<int>(std::lround((grid->width() - ping - players - 18) / 3.0));
        const int widths[] = {a, a, ping, players, a + 10};
        sizing_ = true;
        for (int c = 0; c < ServerModel::ColumnCount; ++c) {
            grid->setColumnWidth(c, std::max(16, widths[c]));
        }
        sizing_ = false;
    }
    ui_->PlrGrid->setColumnWidth(0, 150);
    ui_->PlrGrid->setColumnWidth(1, std::max(0, ui_->PlrGrid->width() - 150));
}

void TForm4::Timer2Timer() {
    Timer2->stop();
    QueryServers();
}

void TForm4::Timer3Timer() {
    const vkr::QuerySchedule::Due due = schedule_.due(vkr::GetTickCount());
    for (const vkr::Destination& d : due.resend) {
        pass_->resend(d);
    }
    pass_->flush();
    vkr::BrowserRows& rows = model_->rows();
    for (const vkr::Destination& d : due.silent) {
        for (int r : rows.rowsOf(d.address, static_cast<int>(d.port))) {
            rows.giveUp(r);
            model_->noteChanged(r);
        }
    }
    scheduleRefresh();
    scheduleNext();
    showProgress();
    endPassWhenDone();
}

void TForm4::scheduleNext() {
    vkr::timeNextDue(*Timer3, schedule_);
}

void TForm4::showProgress() {
    // A server asked by itself between passes is no part of a pass's count.
    if (passUnderWay_ && (querying_ || schedule_.awaiting())) {
        const QString text = progressText(schedule_.answered(), schedule_.asked());
        const int width = progress_->fontMetrics().horizontalAdvance(
                              progressText(schedule_.asked(), schedule_.asked())) +
                          8;
        if (width > progress_->width()) {
            progress_->setFixedWidth(width);
        }
        progress_->setText(text);
    } else {
        progress_->clear();
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
    passUnderWay_ = true;
    // Refresh stays disabled for the whole pass, also when the last pass's Timer1 is pending.
    Timer1->stop();
    setStatus(tr("Querying servers..."));
    ui_->BitBtn2->setEnabled(false);
    try {
        syncRows();
        if (selectedServer() == std::nullopt && view_->rowCount() > 0) {
            selectRow(0);
        }
    } catch (...) {
        querying_ = false;
        throw;
    }
    // Rows of dotted addresses are asked at once; a row of a host name when its own look-up
    // ends. The look-ups all run at once, off the GUI thread.
    // A port text that is not an integer stops only its own row; the first such error is
    // reported once every other row has been asked.
    std::exception_ptr failure;
    vkr::BrowserRows& rows = model_->rows();
    schedule_.beginPass(vkr::GetTickCount());
    lookingUp_.clear();
    {
        struct Sending {
            bool& sending;
            ~Sending() { sending = false; }
        } sending{sending_};
        sending_ = true;
        rows.beginPass();
        for (int r = 0; r < rows.count(); ++r) {
            startRow(r, failure);
        }
        pass_->flush();
    }
    if (syncDue_) {
        syncDue_ = false;
        syncRows(); // the table changed while the pass sent: its rows follow now
    }
    for (const auto& looking : lookingUp_) {
        lookUp(looking.first);
    }
    sent(failure);
}

void TForm4::startRow(int r, std::exception_ptr& failure) {
    vkr::BrowserRows& rows = model_->rows();
    try {
        rows.beginRow(r); // the row shows what it showed until its reply or its give-up
        vkr::QueryPass::reset(rows[r].entry, rows.stateForPass(r));
        if (vkr::QueryPass::needsLookUp(rows[r].entry.ip)) {
            lookingUp_[rows[r].entry.ip.c_str()].push_back(rows[r].key);
        } else {
            queryRow(r, {});
        }
    } catch (const vkr::Exception&) {
        if (!failure) {
            failure = std::current_exception();
        }
        rows.giveUp(r);
    }
    model_->noteChanged(r);
}

void TForm4::lookUp(const std::string& name) {
    lookup->LookUpHost(name, vkr::hostLookUpTimeoutMs, [this, name](vkr::IPv4Bytes address) {
        vkr::guarded([&] { hostLookedUp(name, address); });
    });
}

void TForm4::askServer(vkr::EntryKey key) {
    const int r = model_->rows().rowOf(key);
    if (r < 0) {
        return;
    }
    // A host name already being looked up for another row is not looked up twice.
    const std::string host = model_->rows()[r].entry.ip.c_str();
    const bool lookingUp = lookingUp_.contains(host);
    std::exception_ptr failure;
    startRow(r, failure);
    pass_->flush();
    if (!lookingUp && lookingUp_.contains(host)) {
        lookUp(host);
    }
    sent(failure);
}

void TForm4::RefreshServer(vkr::EntryKey key) {
    // While a pass sends its first requests it asks the server anyway. After that the server
    // is asked alone: at once when the pass has had its answer or given it up, else the pass's
    // request is still awaited and stands for it. The pass's count is left as it is.
    const vkr::BrowserRows& rows = model_->rows();
    const int r = rows.rowOf(key);
    if (querying_ || r < 0) {
        return;
    }
    // Every row of the server takes its new reply, so each is begun anew.
    std::vector<vkr::EntryKey> keys{key};
    for (int other : rows.rowsOfServer(r)) {
        if (other != r) {
            keys.push_back(rows[other].key);
        }
    }
    for (vkr::EntryKey k : keys) {
        askServer(k);
    }
}

void TForm4::ShowDetails(vkr::EntryKey key) {
    if (!details_) {
        details_ = new TFormDetails(
            model_, [this](vkr::EntryKey k) { RefreshServer(k); }, this);
    }
    details_->ShowServer(key);
}

void TForm4::ServerTableChanged() {
    syncRows();
}

void TForm4::storeChanged(vkr::StorePart part) {
    if (part == vkr::StorePart::servers) {
        ServerTableChanged();
    } else if (part == vkr::StorePart::friends) {
        FriendsChanged();
    } else if (part == vkr::StorePart::history) {
        model_->setHistory(vkr::store().settings.history);
    }
}

void TForm4::FriendsChanged() {
    model_->setFriends(vkr::store().settings.friends);
    playerGrid_->players()->markFriends(model_->rows().friendSet());
    showShownCount();
}

void TForm4::syncRows() {
    if (sending_) {
        syncDue_ = true; // the pass's rows stay put until it has sent
        return;
    }
    const std::optional<vkr::EntryKey> selected = selectedServer();
    model_->sync(vkr::store().servers);
    if (selected && model_->rows().rowOf(*selected) < 0) {
        // The selected server was deleted: no row stands in for it.
        ui_->SGrid->selectionModel()->clear();
        playerGrid_->players()->clear();
    }
    showShownCount();
}

void TForm4::selectRow(int row) {
    ui_->SGrid->setCurrentIndex(view_->index(row, 0));
}

bool TForm4::selectServer(vkr::EntryKey key) {
    const QModelIndex shown = view_->mapFromSource(model_->indexOf(key));
    if (!shown.isValid()) {
        return false;
    }
    ui_->SGrid->setCurrentIndex(shown);
    ui_->SGrid->scrollTo(shown);
    return true;
}

void TForm4::LanButtonClick() {
    vkr::forms().formLan->Open(this);
}

std::optional<vkr::EntryKey> TForm4::selectedServer() const {
    // Whole rows are selected, one at most: the first range's top is the selected row. Cheaper
    // than selectedRows(), which each reply asks for.
    const QItemSelection selection = ui_->SGrid->selectionModel()->selection();
    return selection.isEmpty() ? std::nullopt
                               : model_->keyOf(view_->mapToSource(selection.first().topLeft()));
}

void TForm4::queryRow(int r, vkr::IPv4Bytes looked) {
    vkr::BrowserRows& rows = model_->rows();
    const std::optional<vkr::QuerySchedule::Ask> ask =
        pass_->query(rows[r].entry, rows.stateForPass(r), looked, !querying_);
    if (!ask || *ask == vkr::QuerySchedule::Ask::silent) {
        rows.giveUp(r);
        return;
    }
    rows.noteAsked(r);
    if (*ask == vkr::QuerySchedule::Ask::answered) {
        rows.shareReply(r); // the server listed again has answered already
    }
}

void TForm4::hostLookedUp(const std::string& name, vkr::IPv4Bytes address) {
    auto waiting = lookingUp_.extract(name);
    if (waiting.empty()) {
        return;
    }
    vkr::BrowserRows& rows = model_->rows();
    std::exception_ptr failure;
    for (vkr::EntryKey key : waiting.mapped()) {
        // A row deleted or re-addressed meanwhile is left for the next pass.
        const int r = rows.rowOf(key);
        if (r < 0 || name != rows[r].entry.ip.c_str()) {
            continue;
        }
        try {
            queryRow(r, address);
        } catch (const vkr::Exception&) {
            if (!failure) {
                failure = std::current_exception();
            }
        }
        model_->noteChanged(r);
    }
    pass_->flush();
    sent(failure);
}

void TForm4::sent(std::exception_ptr failure) {
    if (querying_ && lookingUp_.empty()) {
        querying_ = false;
        Timer1->start(); // Refresh again, though replies may still be awaited
    }
    scheduleRefresh();
    scheduleNext();
    showProgress();
    endPassWhenDone();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TForm4::endPassWhenDone() {
    if (passUnderWay_ && !querying_ && !schedule_.awaiting()) {
        passUnderWay_ = false;
        setStatus(tr("Query done..."));
    }
}

void TForm4::scheduleRefresh() {
    if (refresh_->isActive()) {
        return;
    }
    const qint64 since = lastRefresh_.isValid() ? lastRefresh_.elapsed() : refreshGap;
    refresh_->start(static_cast<int>(std::max<qint64>(0, refreshGap - since)));
}

void TForm4::refresh() {
    lastRefresh_.start();
    model_->flushChanges();
    showProgress();
    if (playersDue_) {
        playersDue_ = false;
        ShowPlayers();
    }
    showShownCount();
    if (namesDue_) {
        // Saved here rather than in the datagram's handler, where an error would go unreported.
        namesDue_ = false;
        vkr::storeChanged(vkr::StorePart::servers);
        vkr::forms().form1->SaveRegistry();
    }
}

void TForm4::ShowPlayers() {
    const std::optional<vkr::EntryKey> key = selectedServer();
    const int row = key ? model_->rows().rowOf(*key) : -1;
    if (row >= 0) {
        playerGrid_->players()->show(model_->rows()[row].shown().status,
                                     model_->rows().friendSet());
    }
}

void TForm4::SGridClick() {
    ShowPlayers();
}

void TForm4::BitBtn1Click() {
    if (const std::optional<vkr::EntryKey> key = selectedServer()) {
        JoinServer(*key);
    }
}

bool TForm4::JoinServer(vkr::EntryKey key) {
    const vkr::ServerTable& servers = vkr::store().servers;
    const int k = vkr::rowOfEntry(servers, key);
    if (k < 0) {
        vkr::prompts().message(goneMessage().toStdString());
        return false;
    }
    const std::string name = ui_->PlayerName->currentText().toStdString();
    vkr::forms().form1->LaunchVKR(vkr::joinArguments(servers[k], name), k);
    return true;
}

void TForm4::BitBtn3Click() {
    if (const std::optional<vkr::EntryKey> key = selectedServer()) {
        WatchServer(*key);
    }
}

void TForm4::WatchServer(vkr::EntryKey key) {
    const int k = vkr::rowOfEntry(vkr::store().servers, key);
    if (k < 0) {
        vkr::prompts().message(goneMessage().toStdString());
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
    watcher->watchedServer = key;
    watcher->udps->RemoteHost = e.ip;
    watcher->udps->RemotePort = port;
    watcher->Timer2->start();
    watcher->UpdateStatus();
    watcher->raise();
}

void TForm4::CopyAddress(vkr::EntryKey key) {
    const int row = model_->rows().rowOf(key);
    if (row >= 0) {
        QGuiApplication::clipboard()->setText(ServerModel::hostCell(model_->rows()[row].entry));
    }
}

void TForm4::EditServer(vkr::EntryKey key) {
    const int k = vkr::rowOfEntry(vkr::store().servers, key);
    if (k < 0) {
        vkr::prompts().message(goneMessage().toStdString());
        return;
    }
    vkr::forms().form3->EditServer(k, this);
}

void TForm4::SGridContextMenu(const QPoint& pos, bool byKeyboard) {
    QTableView* grid = ui_->SGrid;
    const QModelIndexList selected = grid->selectionModel()->selectedRows();
    const QModelIndex index =
        byKeyboard ? (selected.isEmpty() ? QModelIndex() : selected.first()) : grid->indexAt(pos);
    menuServer_ = model_->keyOf(view_->mapToSource(index));
    if (!menuServer_) {
        return;
    }
    const QPoint at = byKeyboard ? grid->visualRect(index).center() : pos;
    rowMenu_->popup(grid->viewport()->mapToGlobal(at));
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return vkr::Dialog::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == ui_->SGrid && key == Qt::Key_Menu) {
        vkr::guarded([this] { SGridContextMenu({}, true); });
        return true;
    }
    if (watched == ui_->FilterText && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        vkr::guarded([this] { FilterChange(); });
        return true;
    }
    return vkr::Dialog::eventFilter(watched, event);
}

void TForm4::udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port) {
    // While a pass is under way its status stays until it is done.
    const bool between = !passUnderWay_;
    if (between) {
        setStatus(tr("Receiving data..."));
    }
    if (NumberBytes < 1) {
        return;
    }
    std::string text;
    udps->ReadReceivedData(text);
    vkr::BrowserRows& rows = model_->rows();
    const uint32_t tick = udps->ReceivedTick();
    // A datagram counts once a pass: the server's first reply and its further parts, each with
    // the reply's round trip; duplicates and other replies change nothing, except a second reply
    // that tells the first one's round trip: the rows then take that ping alone (no text).
    const vkr::QuerySchedule::Heard heard =
        schedule_.received(vkr::Destination{FromIP, Port}.key(), text, tick);
    const std::vector<int> answered =
        heard.counts || heard.ping
            ? rows.applyReply(FromIP, Port, heard.counts ? std::string_view(text) : "", heard.ping)
            : std::vector<int>{};
    if (!answered.empty()) {
        const std::optional<vkr::EntryKey> selected = selectedServer();
        std::vector<vkr::EntryKey> keys;
        for (int r : answered) {
            model_->noteChanged(r);
            keys.push_back(rows[r].key);
            // The selected server's players follow its replies.
            playersDue_ = playersDue_ || (selected && rows[r].key == *selected);
        }
        scheduleRefresh();
        if (heard.counts) {
            // Saved at the refresh rather than here, where an error would go unreported.
            namesDue_ = addBar_->nameAtFirstReply(keys, text) || namesDue_;
        }
    }
    if (heard.counts && !heard.ping) {
        // A reply that cannot tell which request it answers makes one more request due soon;
        // any other reply makes nothing due sooner, so the retry timer stays as it is.
        scheduleNext();
    }
    if (heard.counts || heard.ping) {
        // The count follows at the refresh.
        scheduleRefresh();
        endPassWhenDone();
    }
    if (between) {
        setStatus(tr("Ready"));
    }
}

void TForm4::udpsInvalidHost(bool&) {
    setStatus(tr("Invalid Host error occured."));
}

void TForm4::udpsBufferInvalid(bool&) {
    setStatus(tr("Buffer invalid error occured."));
}

void TForm4::setStatus(const QString& text) {
    // A start of the game keeps its word on the status line while it is under way.
    if (!vkr::forms().form1->starting()) {
        ui_->StatusBar1->showMessage(text);
    }
}
