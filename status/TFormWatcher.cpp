#include "status/TFormWatcher.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "net/TNMUDP.h"
#include "net/tick.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/contrast.h"
#include "status/desktop_notifier.h"
#include "status/protocol.h"
#include "status/server_query.h"
#include "status/sound_player.h"
#include "ui_TFormWatcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QSystemTrayIcon>

#include <utility>

namespace {

// The design's client size, which is the expanded view.
constexpr QSize designSize(354, 186);
constexpr QSize expandedSize(362, 210);
constexpr QSize collapsedSize(265, 151);

// Green and maroon, made lighter on a dark palette (darker on a light one) until they read.
QColor colourOf(vkr::WatcherColour colour, const QColor& background) {
    const vkr::Rgb hue =
        colour == vkr::WatcherColour::green ? vkr::Rgb{0, 128, 0} : vkr::Rgb{128, 0, 0};
    const vkr::Rgb readable =
        vkr::readableOn(hue, {background.red(), background.green(), background.blue()});
    return QColor(readable.r, readable.g, readable.b);
}

void paint(QLabel* label, const vkr::WatcherText& text) {
    label->setText(vkr::qs(text.text));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colourOf(text.colour, palette.color(QPalette::Window)));
    label->setPalette(palette);
}

void makeBold(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

QFont smallFont(int pixels) {
    QFont font;
    font.setFamilies({"Small Fonts", "DejaVu Sans Condensed", "DejaVu Sans"});
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TFormWatcher::TFormWatcher(QWidget* parent)
    : vkr::FixedDialog(designSize, vkr::FixedDialog::Border::Tool, parent), udps(new TNMUDP(this)),
      Timer1(new QTimer(this)), Timer2(new QTimer(this)), Timer3(new QTimer(this)),
      notifier(new vkr::DesktopNotifier(this)), ui_(std::make_unique<Ui::TFormWatcher>()),
      player_(new vkr::SoundPlayer(this)), sound_(player_), retry_(new QTimer(this)) {
    ui_->setupUi(this);
    setObjectName("TFormWatcher");
    // While watching, the watcher is the launcher's only window in sight: an ordinary window,
    // transient for none, so that taskbars give it an entry of its own, where its alerts mark
    // it. Still fixed in size, with only a close box, and on top of the other windows.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Window | Qt::WindowStaysOnTopHint);
    // The labels are laid out for the narrow 8 point font: one pixel less keeps their texts
    // whole in the fonts that stand in for it.
    QFont narrower = font();
    narrower.setPixelSize(10);
    setFont(narrower);

    for (QLabel* label : {ui_->host, ui_->status, ui_->players, ui_->mission}) {
        makeBold(label);
    }

    ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));

    ui_->SpeedButton1->setFont(smallFont(8));
    // A flat caption only 9 pixels high: no frame and no margins around the text, in the
    // palette's text colour (readable on light and dark palettes), underlined with the focus.
    ui_->SpeedButton1->setStyleSheet("QToolButton { border: none; padding: 0; }"
                                     "QToolButton:focus { text-decoration: underline; }");

    QTableWidget* list = ui_->playerList;
    list->setFont(smallFont(9));
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->horizontalHeader()->setDefaultSectionSize(40);
    list->verticalHeader()->setMinimumSectionSize(1);
    list->verticalHeader()->setDefaultSectionSize(14);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette face = list->palette();
    face.setColor(QPalette::Base, palette().color(QPalette::Window));
    list->setPalette(face);
    showPlaceholders();

    udps->SetLocalPort(15020);
    udps->RemotePort = 0;
    udps->ReportLevel = 1;
    udps->OnDataReceived = [this](TNMUDP* sender, int n, const std::string& ip, int port) {
        udpsDataReceived(sender, n, ip, port);
    };

    Timer1->setInterval(500);
    Timer2->setInterval(15000);
    Timer3->setInterval(1000);
    vkr::onSignal(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    vkr::onSignal(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    vkr::onSignal(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    retry_->setSingleShot(true);
    retry_->setTimerType(Qt::PreciseTimer);
    vkr::onSignal(retry_, &QTimer::timeout, this, [this] { retryDue(); });
    // Only the user's clicks change the option; showing it does not.
    vkr::onSignal(ui_->autojoin, &QCheckBox::clicked, this, [this] { autojoinClick(); });
    vkr::onSignal(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    setEscapeHandler([this] { BitBtn1Click(); }); // as Close
    vkr::onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    vkr::onSignal(ui_->SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    vkr::onActivate(this, [this] { FormActivate(); });
    // The notification's Join is the watcher's Join, while the watch it tells of goes on.
    notifier->onJoin = [this] {
        if (isVisible()) {
            BitBtn2Click();
        }
    };
    Timer1->start();
    // The first opening has the focus on Close, the first control in the tab order; later
    // openings keep it where it was last.
    ui_->BitBtn1->setFocus();

    // FormCreate: the window starts collapsed.
    ToggleWindow();
}

TFormWatcher::~TFormWatcher() = default;

void TFormWatcher::setSoundSink(vkr::SoundSink* sink) {
    sound_ = sink ? sink : player_;
}

void TFormWatcher::UpdateStatus() {
    ui_->host->setText(vkr::qs(udps->RemoteHost + ":" + std::to_string(udps->RemotePort)));
    // Friends edited meanwhile count from this poll on.
    if (auto silent = state_.startPoll(vkr::store().settings.friends)) {
        showStatus(*silent);
    }
    showRows();
    sendRequest();
    updateTray();
}

void TFormWatcher::sendRequest() {
    // Replies come from where the request went: the send's own look-up names the sender, so the
    // host is looked up once, and a text that the look-up reads otherwise than the send cannot
    // hide the replies.
    const unsigned watch = watch_;
    const std::optional<uint32_t> sent = vkr::SendStatusRequest(*udps);
    if (sent && watch == watch_) {
        watched_ = WatchedSender{udps->LastSendAddress(), udps->RemotePort & 0xFFFF};
        const uint32_t tick = *sent;
        const vkr::Destination d{watched_->address, watched_->port};
        schedule_.beginPass(tick);
        if (schedule_.ask(d, tick) == vkr::QuerySchedule::Ask::send) {
            schedule_.sent(d.key(), tick);
        }
        vkr::timeNextDue(*retry_, schedule_);
    }
}

void TFormWatcher::retryDue() {
    for (const vkr::Destination& d : schedule_.due(vkr::GetTickCount()).resend) {
        // Asked again where the request went, without a look-up.
        const std::string host = std::exchange(udps->RemoteHost, d.address);
        const int port = std::exchange(udps->RemotePort, static_cast<int>(d.port));
        const std::optional<uint32_t> sent = vkr::SendStatusRequest(*udps);
        udps->RemoteHost = host;
        udps->RemotePort = port;
        if (sent) {
            schedule_.sent(d.key(), *sent);
        }
    }
    vkr::timeNextDue(*retry_, schedule_);
}

void TFormWatcher::udpsDataReceived(TNMUDP* Sender, int NumberBytes, const std::string& FromIP,
                                    int Port) {
    // Only the watched server's replies are read, and none while the watcher is closed.
    if (NumberBytes < 1 || !watched_ || FromIP != watched_->address || Port != watched_->port) {
        return;
    }
    heardTick_ = Sender->ReceivedTick();
    std::string reply;
    Sender->ReadReceivedData(reply);
    // One reply a request, whichever of its requests it answers: a second one (a late reply
    // beside the reply to a request asked again) is passed over.
    if (!schedule_.received(vkr::Destination{FromIP, Port}.key(), reply, heardTick_).counts) {
        return;
    }
    vkr::timeNextDue(*retry_, schedule_);
    ui_->playerList->setColumnWidth(0, 70);
    ui_->playerList->setColumnWidth(1, 100);
    const vkr::WatcherReading reading = vkr::readWatcherReply(reply, state_);
    if (reading.status) {
        showStatus(*reading.status);
    }
    if (reading.players) {
        paint(ui_->players, *reading.players);
    }
    if (reading.mission) {
        paint(ui_->mission, *reading.mission);
    }
    showRows();
    followAutoJoin();
    // A notification of a new game under way or of a slot taken again has nothing to offer.
    if (state_.momentPassed(noticeFor_)) {
        notifier->close(notificationKey());
        noticeFor_ = vkr::WatcherAlert::none;
    }
    alert(reading);
    updateTray();
}

void TFormWatcher::alert(const vkr::WatcherReading& reading) {
    if (reading.alert == vkr::WatcherAlert::none) {
        return;
    }
    const vkr::LauncherSettings& settings = vkr::store().settings;
    if (reading.firstOfPoll) {
        if (settings.flash && !isActiveWindow()) {
            // The main window is hidden while the watcher is open: the watcher's own taskbar
            // entry flashes.
            QApplication::alert(this);
            QGuiApplication::sync();
        }
        const vkr::WatcherSound sound = vkr::alertSound(reading.alert, settings);
        if (sound.kind != vkr::WatcherSound::Kind::none) {
            sound_->play(sound);
        }
    }
    if (settings.notify) {
        // The poll's one notification, told again with all the poll has alerted on so far.
        const std::string summary =
            vkr::alertSummary(state_.pollAlert, serverName(), state_.pollFriends);
        notifier->notify(notificationKey(), vkr::qs(summary), noticeBody(), true);
        noticeFor_ = state_.pollAlert;
    }
}

std::string TFormWatcher::serverName() const {
    const vkr::ServerTable& servers = vkr::store().servers;
    const int row = watchedServer ? vkr::rowOfEntry(servers, *watchedServer) : -1;
    return row >= 0 && !servers[row].name.empty() ? servers[row].name : udps->RemoteHost;
}

int32_t TFormWatcher::notificationKey() const {
    return watchedServer ? watchedServer->id : 0;
}

QString TFormWatcher::noticeBody() const {
    return tr("%1 - %2", "mission - players").arg(ui_->mission->text(), ui_->players->text());
}

void TFormWatcher::followAutoJoin() {
    const bool counting = autoJoin_.left() > 0;
    autoJoin_.follow(ui_->autojoin->isChecked(), state_);
    if (autoJoin_.left() == 0) {
        endCountdown();
    } else if (!counting) {
        heardTick_ = vkr::GetTickCount();
        Timer3->start();
    }
    paintStatusLine();
}

void TFormWatcher::showStatus(const vkr::WatcherStatus& status) {
    shownStatus_ = status;
    ui_->status->setToolTip(QString());
    paintStatusLine();
    ui_->LR->setHidden(status.lamp != vkr::WatcherLamp::red);
    if (status.lamp == vkr::WatcherLamp::off) {
        ui_->LG->hide();
    }
}

void TFormWatcher::paintStatusLine() {
    paint(ui_->status,
          autoJoin_.left() > 0
              ? vkr::WatcherText{tr("Joining in %n...", nullptr, autoJoin_.left()).toStdString(),
                                 vkr::WatcherColour::green}
              : shownStatus_.line);
}

void TFormWatcher::endCountdown() {
    Timer3->stop();
    if (autoJoin_.left() > 0) {
        autoJoin_.cancel();
        paintStatusLine();
    }
}

void TFormWatcher::Timer3Timer() {
    // A second without a reply pauses the countdown; a server silent for as long as the
    // countdown is not joined, and the watcher says so.
    const vkr::AutoJoin::Step step =
        autoJoin_.tick(static_cast<int32_t>(vkr::GetTickCount() - heardTick_));
    if (step == vkr::AutoJoin::Step::stopped) {
        endCountdown();
        const QString why = vkr::qs(vkr::autoJoinStoppedText());
        showStatus({{tr("Auto-join stopped").toStdString(), vkr::WatcherColour::maroon},
                    shownStatus_.lamp});
        ui_->status->setToolTip(why);
        if (vkr::store().settings.notify) {
            notifier->notify(notificationKey(), why, noticeBody(), true);
        }
        return;
    }
    if (step != vkr::AutoJoin::Step::join) {
        paintStatusLine();
        if (step != vkr::AutoJoin::Step::idle) {
            // Asked once a second while counting: once the new game or the free slot is gone,
            // the countdown ends within a second, long before the next poll. The reply
            // replaces the player list.
            state_.startRequest();
            sendRequest();
        } else {
            Timer3->stop();
        }
        return;
    }
    endCountdown();
    const bool notify = vkr::store().settings.notify;
    const QString body = noticeBody();
    const std::string name = serverName();
    BitBtn2Click();
    // Posted once the watch's own notifications are taken down with it; a server that is no
    // longer in the list is not joined, and the watcher stays.
    if (notify && isHidden()) {
        notifier->notify(notificationKey(), tr("Joining %1").arg(vkr::qs(name)), body, false);
    }
}

void TFormWatcher::autojoinClick() {
    // Ticked while the server can be joined, it counts down at once.
    followAutoJoin();
    vkr::store().settings.autojoin = ui_->autojoin->isChecked();
    updateTray();
    vkr::forms().form1->SaveRegistry();
}

void TFormWatcher::showTray() {
    if (!tray) {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            return;
        }
        tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
        auto* menu = new QMenu(this);
        vkr::onSignal(menu->addAction(tr("Join")), &QAction::triggered, this,
                      [this] { BitBtn2Click(); });
        trayAutojoin_ = menu->addAction(tr("Auto-join"));
        trayAutojoin_->setCheckable(true);
        // The same setting as the box, changed as a click on the box changes it.
        vkr::onSignal(trayAutojoin_, &QAction::triggered, this, [this] {
            ui_->autojoin->setChecked(trayAutojoin_->isChecked());
            autojoinClick();
        });
        vkr::onSignal(menu->addAction(tr("Stop watching")), &QAction::triggered, this,
                      [this] { BitBtn1Click(); });
        tray->setContextMenu(menu);
        connect(tray, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger ||
                        reason == QSystemTrayIcon::DoubleClick) {
                        setWindowState(windowState() & ~Qt::WindowMinimized);
                        raise();
                        activateWindow();
                    }
                });
    }
    updateTray();
    tray->show();
}

void TFormWatcher::updateTray() {
    if (!tray) {
        return;
    }
    // Server text is shown as text wherever the tray reads markup in its tooltips.
    tray->setToolTip(
        tr("%1: %2, %3, %4")
            .arg(vkr::qs(serverName()).toHtmlEscaped(), ui_->players->text().toHtmlEscaped(),
                 ui_->mission->text().toHtmlEscaped(), vkr::qs(vkr::stateWord(state_))));
    trayAutojoin_->setChecked(ui_->autojoin->isChecked());
}

void TFormWatcher::showRows() {
    QTableWidget* list = ui_->playerList;
    list->setRowCount(static_cast<int>(state_.rows.size()));
    for (int r = 0; r < list->rowCount(); ++r) {
        const vkr::PlayerRow& row = state_.rows[static_cast<size_t>(r)];
        list->setItem(r, 0, new QTableWidgetItem(vkr::fromBytes(row.name)));
        list->setItem(r, 1, new QTableWidgetItem(vkr::fromBytes(row.score)));
    }
}

void TFormWatcher::Timer1Timer() {
    // The green lamp stays off while the server does not answer.
    ui_->LG->setHidden(state_.silent || !ui_->LG->isHidden());
}

void TFormWatcher::Timer2Timer() {
    UpdateStatus();
}

void TFormWatcher::ToggleWindow() {
    const bool collapse = frameGeometry().width() > 300;
    ui_->SpeedButton1->move(collapse ? QPoint(200, 77) : QPoint(296, 133));
    ui_->SpeedButton1->setText(collapse ? tr("More >>") : tr("<< Less"));
    ui_->Bevel1->resize(collapse ? QSize(241, 81) : QSize(337, 137));
    for (QWidget* w : {static_cast<QWidget*>(ui_->Label4), static_cast<QWidget*>(ui_->mission),
                       static_cast<QWidget*>(ui_->playerList)}) {
        w->setHidden(collapse);
    }
    setOuterSize(collapse ? collapsedSize : expandedSize);
}

void TFormWatcher::setOuterSize(QSize outer) {
    // Before the window manager has framed the window its frame is unknown (and offscreen there
    // is none): the outer size is then taken as the client size.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = outer - frame;
    setFixedSize(client);
    const QSize shift = client - designSize;
    for (QLabel* lamp : {ui_->LG2, ui_->LG, ui_->LR}) {
        lamp->move(317 + shift.width(), 158 + shift.height());
    }
    ui_->BitBtn1->move(16, 156 + shift.height());
    ui_->BitBtn2->move(120, 156 + shift.height());
}

void TFormWatcher::FormActivate() {
    state_.clearRows();
    showRows();
}

void TFormWatcher::showPlaceholders() {
    endCountdown();
    showStatus(vkr::waitingStatus());
    paint(ui_->players, {"?/?", vkr::WatcherColour::maroon});
    paint(ui_->mission, {tr("none", "no mission yet").toStdString(), vkr::WatcherColour::maroon});
    showRows();
}

void TFormWatcher::FormClose() {
    Timer2->stop();
    retry_->stop();
    schedule_ = {};
    state_.endWatch();
    watched_.reset();
    ++watch_;
    // The next watch starts clean: nothing of this one is shown until its server answers.
    showPlaceholders();
    notifier->closeAll();
    noticeFor_ = vkr::WatcherAlert::none;
    if (tray) {
        tray->hide();
    }
    vkr::showForm(vkr::forms().form1);
    vkr::showForm(vkr::forms().form4);
}

void TFormWatcher::BitBtn1Click() {
    close();
}

void TFormWatcher::BitBtn2Click() {
    // The browser builds and launches the command line for the watched server, as the table
    // holds it now; a server deleted meanwhile is not joined, and the watcher stays, as it does
    // while a start just made holds further starts off.
    if (vkr::forms().form1->starting() ||
        (watchedServer && !vkr::forms().form4->JoinServer(*watchedServer))) {
        return;
    }
    close();
}

void TFormWatcher::SpeedButton1Click() {
    ToggleWindow();
}

void TFormWatcher::closeEvent(QCloseEvent* event) {
    vkr::guarded([this] { FormClose(); });
    vkr::FixedDialog::closeEvent(event);
}

void TFormWatcher::showEvent(QShowEvent* event) {
    ui_->autojoin->setChecked(vkr::store().settings.autojoin);
    if (!shownBefore_) {
        shownBefore_ = true;
        vkr::centreOn(this, vkr::forms().form1);
    }
    vkr::FixedDialog::showEvent(event);
    // The view was sized before the window had a frame: now that it may be known, give the
    // view its outer size again.
    setOuterSize(frameGeometry().width() > 300 ? expandedSize : collapsedSize);
    showTray();
    // The notification service is asked what it reads before the first alert, which then
    // goes out at once.
    if (vkr::store().settings.notify) {
        notifier->serviceFound();
    }
}
