#pragma once

#include "net/address.h"

#include <QObject>

#include <string>
#include <vector>

// The main window's socket component. It never connects anywhere; it only tells the host's own
// address.
class TPowersock : public QObject {
    Q_OBJECT
public:
    explicit TPowersock(QObject* owner = nullptr);

    int Port = 0;
    int ReportLevel = 0;

    // The address other players reach this host at, as dotted decimal text, worked out anew at
    // each call (PickLocalAddress over the host name's IPv4 addresses and the interfaces').
    std::string LocalAddress();

    // The first address of the host name's that is not a loopback address; when there is none
    // (many installs map the host name to 127.0.1.1), the first such address of an interface
    // that is up; 127.0.0.1 when the host has loopback addresses only.
    static vkr::IPv4Bytes PickLocalAddress(const std::vector<vkr::IPv4Bytes>& named,
                                           const std::vector<vkr::IPv4Bytes>& interfaces);

signals:
    void OnStatus(const QString& status);

private:
    void status(const char* text, int level);
};
