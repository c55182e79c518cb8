#pragma once

#include "net/address.h"
#include "net/host_lookup.h"

#include <QObject>

#include <functional>
#include <string>

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

    // Looks Name up on a thread of its own and calls done on this object's thread with its
    // address: 0.0.0.0 for a name that does not resolve, and for one whose look-up has not
    // ended after timeoutMs. The look-ups are the program's shared ones (HostLookups); the
    // calling thread never waits for one, and one still running at exit is abandoned.
    void LookUpHost(const std::string& Name, int timeoutMs,
                    std::function<void(vkr::IPv4Bytes)> done);

private:
    HostLookups lookups_;
};
