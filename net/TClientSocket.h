#pragma once

#include "net/address.h"

#include <QObject>
#include <QThreadPool>

#include <functional>
#include <string>
#include <vector>

// The browser's host-name look-up component.
class TClientSocket : public QObject {
    Q_OBJECT
public:
    explicit TClientSocket(QObject* owner = nullptr);
    ~TClientSocket() override;

    // The first IPv4 address that Name resolves to; a dotted IPv4 text gives its own address.
    // Blocks until the system's look-up ends and dispatches nothing. A name that does not
    // resolve gives 0.0.0.0; nothing is raised.
    vkr::IPv4Bytes ResolveHostAddress(const std::string& Name) noexcept;

    // Looks all the names up at the same time, on worker threads, and then calls done on this
    // object's thread with the address of each (0.0.0.0 for a name that does not resolve). The
    // calling thread never waits for a look-up.
    void ResolveHostAddresses(const std::vector<std::string>& names,
                              std::function<void(vkr::HostAddresses)> done);

private:
    // Look-ups mostly wait on the network: many run at once, so that a table of slow names
    // takes little longer than its slowest name.
    QThreadPool pool_;
};
