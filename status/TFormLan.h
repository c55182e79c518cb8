#pragma once

#include "app/window.h"
#include "status/lan_search.h"

#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TFormLan;
}
class QSortFilterProxyModel;
class TNMUDP;

namespace vkr {
class LanModel;
}

// The "Local network" window: asks every server on the networks of the machine's interfaces
// for its status with one broadcast per interface and searched port, lists for two seconds the
// servers that answer, and adds the selected ones to the server table.
class TFormLan : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TFormLan(QWidget* parent = nullptr);
    ~TFormLan() override;

    Ui::TFormLan* ui() const { return ui_.get(); }

    TNMUDP* udps;                  // a port of the system's choosing, allowed to broadcast
    QTimer* Timer1;                // ends a search's listening
    QSortFilterProxyModel* sorted; // the view's rows, sorted by the header

    // Shows the window over another and searches.
    void Open(const QWidget* over);
    // Sends the status request to every broadcast address and searched port, then lists the
    // servers that answer for two seconds. A search while one listens is dropped.
    void Search();
    // The broadcast address of every interface that is up and can broadcast, each once.
    static std::vector<std::string> broadcastAddresses();

    // Handlers, named after their control and event.
    void SearchButtonClick();
    void AddButtonClick();
    void Timer1Timer();
    void udpsDataReceived(int NumberBytes, const std::string& FromIP, int Port);

private:
    void setStatus(const QString& text);
    QString foundText() const;

    std::unique_ptr<Ui::TFormLan> ui_;
    vkr::LanList servers_;
    vkr::LanModel* model_;
    bool listening_ = false;
};
