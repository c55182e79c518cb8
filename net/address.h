#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

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

} // namespace vkr
