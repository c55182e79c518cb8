#pragma once

#include "net/address.h"

#include <QObject>

#include <string>

// The browser's host-name look-up component.
class TClientSocket : public QObject {
    Q_OBJECT
public:
    explicit TClientSocket(QObject* owner = nullptr);

    // The first IPv4 address that Name resolves to; a dotted IPv4 text gives its own address.
    // Blocks until the system's look-up ends and dispatches nothing. A name that does not
    // resolve gives 0.0.0.0; nothing is raised.
    vkr::IPv4Bytes ResolveHostAddress(const std::string& Name) noexcept;
};
