#include "net/powersock.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

vkr::IPv4Bytes bytesOf(const sockaddr* address) {
    vkr::IPv4Bytes bytes{};
    std::memcpy(bytes.data(), &reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr,
                bytes.size());
    return bytes;
}

bool reachable(const vkr::IPv4Bytes& a) {
    return a[0] != 127 && a != vkr::IPv4Bytes{};
}

// The IPv4 addresses the host's own name resolves to, in the order of the look-up.
std::vector<vkr::IPv4Bytes> namedAddresses() {
    std::array<char, 200> name{};
    if (gethostname(name.data(), name.size() - 1) != 0) {
        return {};
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.data(), nullptr, &hints, &found) != 0) {
        return {};
    }
    std::unique_ptr<addrinfo, void (*)(addrinfo*)> guard(found, freeaddrinfo);
    std::vector<vkr::IPv4Bytes> addresses;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        addresses.push_back(bytesOf(a->ai_addr));
    }
    return addresses;
}

// The IPv4 addresses of the interfaces that are up, in the system's order.
std::vector<vkr::IPv4Bytes> interfaceAddresses() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return {};
    }
    std::unique_ptr<ifaddrs, void (*)(ifaddrs*)> guard(list, freeifaddrs);
    std::vector<vkr::IPv4Bytes> addresses;
    for (const ifaddrs* i = list; i; i = i->ifa_next) {
        if (i->ifa_addr && i->ifa_addr->sa_family == AF_INET && (i->ifa_flags & IFF_UP)) {
            addresses.push_back(bytesOf(i->ifa_addr));
        }
    }
    return addresses;
}

} // namespace

TPowersock::TPowersock(QObject* owner) : QObject(owner) {}

void TPowersock::status(const char* text, int level) {
    if (level <= ReportLevel) {
        emit OnStatus(QString::fromLatin1(text));
    }
}

vkr::IPv4Bytes TPowersock::PickLocalAddress(const std::vector<vkr::IPv4Bytes>& named,
                                            const std::vector<vkr::IPv4Bytes>& interfaces) {
    for (const auto* list : {&named, &interfaces}) {
        auto found = std::find_if(list->begin(), list->end(), reachable);
        if (found != list->end()) {
            return *found;
        }
    }
    return {127, 0, 0, 1};
}

std::string TPowersock::LocalAddress() {
    status("Getting Local IP", 8);
    return vkr::addressText(PickLocalAddress(namedAddresses(), interfaceAddresses()));
}
