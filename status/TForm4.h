#pragma once

#include "net/address.h"
#include "status/browser_rows.h"

#include "app/window.h"
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class TForm4;
}
class QLabel;
class QMenu;
class QString;
class PlayerModel;
class ServerModel;
class ServerView;
class TClientSocket;
class TNMUDP;

// The "Servers" window: asks every server of the server table for its status, lists ping,
// players and mission per server and the players of the selected one, and joins the selected
// server or hands it over to the watcher. A row stands for one server entry from pass to pass,
// whatever the sort, the filter and the edits of the table.
class TForm4 : public vkr::Dialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    Ui::TForm4* ui() const { return ui_.get(); }
    ServerModel* model() const { return model_; }
    ServerView* view() const { return view_; }

    TNMUDP* udps;          // local port 15015; replies are applied while the window is hidden too
    TClientSocket* lookup; // looks up the host names of a pass
    QTimer* Timer1;        // 500 ms after a completed pass: Refresh back, players shown
    QTimer* Timer2;        // 500 ms after an activation: a pass
    QTimer* Timer3;        // 250 ms while rows await their reply: greys the overdue ones

    // One query pass over every row of the server table.
    void QueryServers();
    void SizeColumns();
    void ShowPlayers();

    // The server table has changed (an editor saved, a reload): the grid shows it as it is now.
    void ServerTableChanged();
    // Joins the server of key as the table holds it now; says so when it has been deleted, and
    // gives whether the game was started.
    bool JoinServer(vkr::EntryKey key);
    // Hands the server of key to the watcher.
    void WatchServer(vkr::EntryKey key);
    // Puts the server's host and port, as its row shows them, on the clipboard.
    void CopyAddress(vkr::EntryKey key);
    // Opens the server editor on the server.
    void EditServer(vkr::EntryKey key);
    // The server of the selected row; none while no row is selected.
    std::optional<vkr::EntryKey> selectedServer() const;

    // Handlers, named after their control and event.
    void FormCreate();
    void FormActivate();
    void FormResize();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void BitBtn1Click(); // Join
    void BitBtn2Click(); // Refresh
    void BitBtn3Click(); // Watcher
    void SGridClick();
    void FilterChange();
    void SortChange();
    void SGridContextMenu(const QPoint& pos, bool byKeyboard);
    void udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port);
    void udpsInvalidHost(bool& handled);
    void udpsBufferInvalid(bool& handled);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pass's requests, row by row, once its host names are looked up.
    void sendRequests(vkr::HostAddresses names);
    void setStatus(const QString& text);
    // Brings the grid's rows in line with the server table, the selection staying on its server
    // (or going with it).
    void syncRows();
    // Tells the views what changed since the last time, and shows the selected server's players
    // when they changed: once per turn of the event loop, however many replies came in it.
    void scheduleRefresh();
    void refresh();
    // "N of M servers shown" while the filter hides rows; nothing otherwise.
    void showShownCount();
    // The filter and sort controls as the settings hold them.
    void showViewSettings();
    void selectRow(int row);

    std::unique_ptr<Ui::TForm4> ui_;
    ServerModel* model_;
    ServerView* view_;
    PlayerModel* players_;
    QLabel* shownCount_; // the status bar's second panel: how many rows the filter shows
    QMenu* rowMenu_;
    // The server the row menu was opened on.
    std::optional<vkr::EntryKey> menuServer_;
    QTimer* refresh_; // 0 ms: refresh() at the end of the current turn of the event loop
    bool playersDue_ = false;
    bool querying_ = false;
    // While a pass sends its requests, edits of the table wait for its end.
    bool sending_ = false;
    bool syncDue_ = false;
};
