#pragma once

#include "net/address.h"
#include "status/protocol.h"

#include "app/window.h"
#include <QTimer>

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace Ui {
class TForm4;
}
class QString;
class QTableWidgetItem;
class TClientSocket;
class TNMUDP;

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
    QTimer* Timer3;        // 250 ms while rows await their reply: greys the overdue ones

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
    // The pass's requests, row by row, once its host names are looked up.
    void sendRequests(vkr::HostAddresses names);
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
    vkr::QueryRows rows_;
    // The rows of the last pass by the sender whose replies answer them.
    vkr::RowsBySender senders_;
    // While changeRows holds the sorting: the grid row of each server, by table index.
    std::vector<int> heldRows_;
    // The rows whose request of the last pass has had no reply and is not overdue yet.
    std::unordered_set<int> awaiting_;
    bool querying_ = false;
};
