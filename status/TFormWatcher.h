#pragma once

#include "app/window.h"
#include "status/browser_rows.h"
#include "status/query_schedule.h"
#include "status/watcher_rule.h"

#include <QTimer>

#include <cstdint>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QSystemTrayIcon;
class TNMUDP;

namespace Ui {
class TFormWatcher;
}

namespace vkr {
class DesktopNotifier;
class SoundPlayer;
class SoundSink;
} // namespace vkr

// The "Server Watcher" window: a small tool window that stays on top, polls one server every
// 15 seconds and alerts when a new game is being set up there, a player joins it while empty,
// a slot comes free on it, or a friend joins it.
class TFormWatcher : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TFormWatcher(QWidget* parent = nullptr);
    ~TFormWatcher() override;

    Ui::TFormWatcher* ui() const { return ui_.get(); }

    // The watcher's endpoint (local port 15020); the browser sets RemoteHost and RemotePort
    // before it opens the watcher.
    TNMUDP* udps;
    QTimer* Timer1; // lamp blinking, 500 ms, always on
    QTimer* Timer2; // polling, 15,000 ms, on while the watcher is open
    QTimer* Timer3; // the auto-join countdown, 1,000 ms, on while it counts
    // Posts the alerts to the desktop's notifications too (when the option "notify" is on).
    vkr::DesktopNotifier* notifier;
    // The watcher's icon in the panel's tray while it is open: made at the first opening where
    // the desktop has a tray (none before, nor without a tray).
    QSystemTrayIcon* tray = nullptr;
    // The server the browser handed over: Join and auto-join join it, wherever the browser
    // lists it now.
    std::optional<vkr::EntryKey> watchedServer;

    // Starts one poll: shows the watched address, forgets the counts and the player list, says
    // so when the server has stopped answering, and sends the status request.
    void UpdateStatus();
    // Switches between the collapsed and the expanded view.
    void ToggleWindow();

    void udpsDataReceived(TNMUDP* Sender, int NumberBytes, const std::string& FromIP, int Port);
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void FormActivate();
    void FormClose();
    void BitBtn1Click();
    void BitBtn2Click();
    void SpeedButton1Click();
    void autojoinClick();

    // Where the alert sounds go: the window's own player unless another sink is given.
    void setSoundSink(vkr::SoundSink* sink);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Gives the window this outer size (the frame's size taken off where it is known) and
    // keeps the lamps at the bottom-right corner and the buttons at the bottom edge.
    void setOuterSize(QSize outer);
    void showRows();
    void showStatus(const vkr::WatcherStatus& status);
    // The status line: the countdown while one runs, else the last status shown.
    void paintStatusLine();
    // The placeholders of a watch that has had no reply yet.
    void showPlaceholders();
    // Starts, goes on with or ends the auto-join countdown as the box and the server now say.
    void followAutoJoin();
    // Ends a running countdown without joining.
    void endCountdown();
    // The watched server in its desktop notifications: its name in the server table, or its
    // host when it has none; the key of its notifications (its id); and the text under its
    // name: its mission and players.
    std::string serverName() const;
    int32_t notificationKey() const;
    QString noticeBody() const;
    // Sends the status request to the watched server, and notes where it went. A request
    // without a reply is asked again after the server's own wait, up to four times in all, as
    // the browser asks its servers.
    void sendRequest();
    // Asks again what is due, and times the next request that will be.
    void retryDue();
    // Shows the tray icon where there is a tray, with its menu, and tells it what the watcher
    // shows.
    void showTray();
    void updateTray();
    // Alerts on what a datagram told: the sound and the flash once per poll, the notification
    // with everything the poll told, and the auto-join countdown.
    void alert(const vkr::WatcherReading& reading);

    std::unique_ptr<Ui::TFormWatcher> ui_;
    QAction* trayAutojoin_ = nullptr; // the tray menu's "Auto-join"
    vkr::SoundPlayer* player_;
    vkr::SoundSink* sound_;
    vkr::WatcherState state_;
    vkr::WatcherStatus shownStatus_ = vkr::waitingStatus();
    vkr::AutoJoin autoJoin_;
    // What the notification up tells of; none when none is up.
    vkr::WatcherAlert noticeFor_ = vkr::WatcherAlert::none;
    // When the watched server was last heard from, or the countdown began if that was later.
    uint32_t heardTick_ = 0;
    // The sender that replies are read from: the address and port that this watch's last request
    // went to; none before the first request of a watch goes out.
    struct WatchedSender {
        std::string address;
        int port = 0;
    };
    std::optional<WatchedSender> watched_;
    // Each request begins a one-server pass of its own: its retries, and the one reply read.
    vkr::QuerySchedule schedule_;
    QTimer* retry_;
    // Counts the closes, so that a request whose send outlasts a close (while its host name is
    // looked up) does not name the sender of the next watch.
    unsigned watch_ = 0;
    bool shownBefore_ = false;
};
