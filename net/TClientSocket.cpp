#include "net/TClientSocket.h"

#include <netdb.h>
#include <netinet/in.h>

#include <cstring>
#include <memory>

TClientSocket::TClientSocket(QObject* owner) : QObject(owner) {}

vkr::IPv4Bytes TClientSocket::ResolveHostAddress(const std::string& Name) noexcept {
    vkr::IPv4Bytes result{};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(Name.c_str(), nullptr, &hints, &found) != 0 || !found) {
        return result;
    }
    std::unique_ptr<addrinfo, void (*)(addrinfo*)> guard(found, freeaddrinfo);
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    std::memcpy(result.data(), &in->sin_addr.s_addr, result.size());
    return result;
}
