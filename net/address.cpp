#include "net/address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <utility>

namespace vkr {

std::string addressText(const IPv4Bytes& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += '.';
        }
        text += std::to_string(bytes[i]);
    }
    return text;
}

std::optional<IPv4Bytes> dottedAddress(const std::string& host) {
    const std::string text(host.c_str());
    const in_addr_t parsed = text.size() <= maxHostLength ? inet_addr(text.c_str()) : INADDR_NONE;
    if (parsed == INADDR_NONE) {
        return std::nullopt;
    }
    IPv4Bytes bytes;
    std::memcpy(bytes.data(), &parsed, bytes.size());
    return bytes;
}

namespace {

// The replacement look-up, if any. Each look-up works on a copy of its own, so that one still
// running (abandoned at exit, say) never shares the function with a later replacement.
std::mutex lookupMutex;
std::function<IPv4Bytes(const std::string&)>& hostLookup() {
    static std::function<IPv4Bytes(const std::string&)> lookUp;
    return lookUp;
}

} // namespace

IPv4Bytes lookUpIPv4(const std::string& name) {
    std::function<IPv4Bytes(const std::string&)> lookUp;
    {
        std::lock_guard lock(lookupMutex);
        lookUp = hostLookup();
    }
    if (lookUp) {
        return lookUp(name);
    }
    IPv4Bytes result{};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) {
        return result;
    }
    std::unique_ptr<addrinfo, void (*)(addrinfo*)> guard(found, freeaddrinfo);
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    std::memcpy(result.data(), &in->sin_addr.s_addr, result.size());
    return result;
}

void setHostLookup(std::function<IPv4Bytes(const std::string&)> lookUp) {
    std::lock_guard lock(lookupMutex);
    hostLookup() = std::move(lookUp);
}

} // namespace vkr
