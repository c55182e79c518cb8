#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

namespace vkr {

// An IPv4 address as its four bytes, first byte first (network order).
using IPv4Bytes = std::array<uint8_t, 4>;

// The dotted decimal text of an address ("%d.%d.%d.%d", first byte first).
std::string addressText(const IPv4Bytes& bytes);

// Host texts longer than this never resolve.
inline constexpr size_t maxHostLength = 127;

// The address of a host text that the system's parser (inet_addr) reads as dotted IPv4: the
// text up to a NUL, where "10.0.0.5 lan" gives 10.0.0.5. Nothing for any other text, for
// 255.255.255.255 (the parser's failure value) and for a text longer than maxHostLength.
std::optional<IPv4Bytes> dottedAddress(const std::string& host);

// The first IPv4 address that the system resolves name to (getaddrinfo), blocking until the
// look-up ends; 0.0.0.0 when it does not resolve. Safe to call from any thread.
IPv4Bytes lookUpIPv4(const std::string& name);

// Replaces the system's look-up behind lookUpIPv4 (an empty function restores it). For tests
// and benchmarks that need a slow or a failing resolver. A look-up already running keeps the
// function it started with.
void setHostLookup(std::function<IPv4Bytes(const std::string&)> lookUp);

// Host names with the address each resolved to, 0.0.0.0 for one that did not resolve.
using HostAddresses = std::unordered_map<std::string, IPv4Bytes>;

} // namespace vkr
