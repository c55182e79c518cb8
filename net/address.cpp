#include "net/address.h"

#include <arpa/inet.h>

#include <cstring>

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

} // namespace vkr
