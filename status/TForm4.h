#pragma once

#include "net/address.h"
#include "status/browser_rows.h"
#include "status/query_schedule.h"

#include "app/window.h"
#include "settings/store.h"
#include <QElapsedTimer>
#include <QTimer>

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Ui {
class TForm4;
}
class AddServerBar;
class QLabel;
class QMenu;
class QString;
class PlayerGrid;
class ServerModel;
class ServerView;
class TFormDetails;
class TClientSocket;
class TNMUDP;
namespace vkr {
class QueryPass;
}

// The "Servers" window: asks every server of the server table for its status, lists ping,
// players and mission per server and the players of the selected one, and joins the selected
// server or hands it over to the watcher. A row stands for one server entry from pass to pass,
// whatever the sort, the filter and the edits of the table. It follows the store's server table
// and friends as they change.
class TForm4 : public vkr::Dialog, private vkr::StoreListener {
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
    QTimer* Timer3;        // while a pass awaits replies: asks again, greys the servers given up

    // One query pass over every row of the server table.
    void QueryServers();
    void SizeColumns();
    void ShowPlayers();

    // The server table has changed (an edit, a reload): the grid shows it as it is now.
    void ServerTableChanged();
    // The friends list may have changed: the marks, the bold names and the filter follow it.
    void FriendsChanged();
    // Joins the server of key as the table holds it now; says so when it has been deleted, and
    // gives whether the game was started.
    bool JoinServer(vkr::EntryKey key);
    // Hands the server of key to the watcher.
    void WatchServer(vkr::EntryKey key);
    // Puts the server's host and port, as its row shows them, on the clipboard.
    void CopyAddress(vkr::EntryKey key);
    // Opens the server editor on the server.
    void EditServer(vkr::EntryKey key);
    // The server's details window.
    void ShowDetails(vkr::EntryKey key);
    // Asks the server by itself, as a pass asks it, leaving the pass's count alone (nothing
    // more while a pass sends its first requests).
    void RefreshServer(vkr::EntryKey key);
    TFormDetails* details() const { return details_; }
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
    void LanButtonClick(); // the "Local network" window
    void udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port);
    void udpsInvalidHost(bool& handled);
    void udpsBufferInvalid(bool& handled);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void storeChanged(vkr::StorePart part) override;
    // Row r's start of a pass: its placeholders, then its request, or its host name noted in
    // lookingUp_; the first port text that is not an integer goes to failure.
    void startRow(int r, std::exception_ptr& failure);
    // Asks the server of key at once: within the pass while it sends its first requests, else
    // by itself.
    void askServer(vkr::EntryKey key);
    // Row r's request, once its host's address is known (looked: a host name's look-up).
    void queryRow(int r, vkr::IPv4Bytes looked);
    // Starts the look-up of a host name noted in lookingUp_.
    void lookUp(const std::string& name);
    // The rows of a host name whose look-up has ended.
    void hostLookedUp(const std::string& name, vkr::IPv4Bytes address);
    // After requests of the pass have gone out: once every row has been asked (or could not
    // be), Timer1; then Timer3 for what is due next, the progress and perhaps the pass's end,
    // and the report of the first row whose port text is not an
    // integer, if any.
    void sent(std::exception_ptr failure);
    // Once every row of the pass has been asked (or could not be) and every server asked has
    // answered or been given up: "Query done...".
    void endPassWhenDone();
    // Timer3 set for what the schedule has due next.
    void scheduleNext();
    // "Answered N of M" in a panel of its own while the pass awaits replies.
    void showProgress();
    void setStatus(const QString& text);
    // Brings the grid's rows in line with the server table, the selection staying on its server
    // (or going with it).
    void syncRows();
    // Tells the views what changed since the last time, and shows the selected server's players
    // when they changed: at once after a quiet spell, then at most once per refreshGap however
    // many replies come meanwhile.
    void scheduleRefresh();
    void refresh();
    // "N of M servers shown" while the filter hides rows; nothing otherwise.
    void showShownCount();
    // The filter and sort controls and the column widths as the settings hold them.
    void showViewSettings();
    void selectRow(int row);
    // Selects the server of key and shows it; false when the filter hides it.
    bool selectServer(vkr::EntryKey key);

    std::unique_ptr<Ui::TForm4> ui_;
    ServerModel* model_;
    ServerView* view_;
    AddServerBar* addBar_;
    PlayerGrid* playerGrid_;
    QLabel* shownCount_; // the status bar's second panel: how many rows the filter shows
    QLabel* progress_;   // and its third: how many servers of the pass have answered
    QMenu* rowMenu_;
    TFormDetails* details_ = nullptr; // made when first asked for
    // The server the row menu was opened on.
    std::optional<vkr::EntryKey> menuServer_;
    QTimer* refresh_; // refresh() when it is due
    QElapsedTimer lastRefresh_;
    bool playersDue_ = false;
    bool namesDue_ = false; // servers renamed at their first reply, to be saved
    vkr::QuerySchedule schedule_;
    std::unique_ptr<vkr::QueryPass> pass_;
    // The rows of the pass whose host name is being looked up, by name.
    std::unordered_map<std::string, std::vector<vkr::EntryKey>> lookingUp_;
    // From a pass's start until every row has been sent its first request.
    bool querying_ = false;
    // From a pass's start until "Query done...".
    bool passUnderWay_ = false;
    // While the grid's columns are sized by the program rather than by the user.
    bool sizing_ = false;
    // While a pass sends its requests, edits of the table wait for its end.
    bool sending_ = false;
    bool syncDue_ = false;
};
