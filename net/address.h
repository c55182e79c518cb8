#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vkr {

// An IPv4 address as its four bytes, first byte first (network order).
using IPv4Bytes = std::array<uint8_t, 4>;

// The dotted decimal text of an address ("%d.%d.%d.%d", first byte first).
std::string addressText(const IPv4Bytes& bytes);

} // namespace vkr
