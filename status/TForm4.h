#pragma once

#include "net/address.h"
#include "status/protocol.h"
#include "status/query_schedule.h"

#include "app/window.h"
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
class QLabel;
class QString;
class QTableWidgetItem;
class TClientSocket;
class TNMUDP;
namespace vkr {
class QueryPass;
}

// The "Servers" window: asks every server of the server table for its status, lists ping,
// players and mission per server and the players of the selected one, and joins the selected
// server or hands it over to the watcher.
class TForm4 : public vkr::Dialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    Ui::TForm4* ui() const { return ui_.get(); }

    TNMUDP* udps;          // local port 15015; replies are applied while the window is hidden too
    TClientSocket* lookup; // looks up the host names of a pass
    QTimer* Timer1;        // 500 ms after a completed pass: Refresh back, players shown
    QTimer* Timer2;        // 500 ms after an activation: a pass
    QTimer* Timer3;        // while a pass awaits replies: asks again, greys the rows given up

    // One query pass over every row of the server table.
    void QueryServers();
    void SizeColumns();
    void ShowPlayers();

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
    void udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port);
    void udpsInvalidHost(bool& handled);
    void udpsBufferInvalid(bool& handled);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The server rows of SGrid with each server's name and host.
    void showServerRows();
    // Row i's request, once its host's address is known (looked: a host name's look-up).
    void queryRow(int i, vkr::IPv4Bytes looked);
    // The rows of a host name whose look-up has ended.
    void hostLookedUp(const std::string& name, vkr::IPv4Bytes address);
    // After requests of the pass have gone out: once every row has been asked (or could not
    // be), "Query done..." and Timer1; then Timer3 for what is due next and the progress, and
    // the report of the first row whose port text is not an integer, if any.
    void sent(std::exception_ptr failure);
    // Timer3 set for what the schedule has due next.
    void scheduleNext();
    // "Answered N of M" in the second panel while the pass awaits replies.
    void showProgress();
    void setStatus(const QString& text);
    // Puts the rows back in server table order, the selection staying on its server.
    void restoreTableOrder();
    // The server table index of a grid row (-1 for none), and the grid row of a server (-1
    // when the grid has no row for it).
    int tableIndex(int row) const;
    int gridRow(int server) const;
    // Runs change, which changes many rows, with the grid's sorting held: a changed cell of the
    // sort column would otherwise move its row at once, each move a pass over the whole grid.
    // The rows stay where they are meanwhile, and the grid is sorted once at the end.
    template <class Change> void changeRows(Change&& change);
    // The cells of a server's grid row; none when the grid has no row for it.
    std::vector<QTableWidgetItem*> serverCells(int server) const;
    void showStatusCells(int server);
    // Draws the server's row grey with the tooltip "No reply", or in the normal colour.
    void showSilent(int server, bool silent);
    // The server table row selected in SGrid, or -1 when none is (or the table has shrunk
    // below it).
    int selectedServer() const;

    std::unique_ptr<Ui::TForm4> ui_;
    QLabel* progress_; // the status bar's second panel
    vkr::QueryRows rows_;
    // The rows of the last pass by the sender whose replies answer them.
    vkr::RowsBySender senders_;
    vkr::QuerySchedule schedule_;
    std::unique_ptr<vkr::QueryPass> pass_;
    // The rows of the pass whose host name is being looked up, by name.
    std::unordered_map<std::string, std::vector<int>> lookingUp_;
    // While changeRows holds the sorting: the grid row of each server, by table index.
    std::vector<int> heldRows_;
    // From a pass's start until every row has been sent its first request.
    bool querying_ = false;
};
