#include "net/TClientSocket.h"

#include <utility>

TClientSocket::TClientSocket(QObject* owner) : QObject(owner) {}

TClientSocket::~TClientSocket() = default;

vkr::IPv4Bytes TClientSocket::ResolveHostAddress(const std::string& Name) noexcept {
    return vkr::lookUpIPv4(Name);
}

void TClientSocket::LookUpHost(const std::string& Name, int timeoutMs,
                               std::function<void(vkr::IPv4Bytes)> done) {
    lookups_.start(Name, timeoutMs, std::move(done));
}
