#pragma once

#include <string>
#include <string_view>

namespace vkr {

// The game port of a server typed without one.
inline constexpr int defaultGamePort = 2302;

// A server address as the user types it into the browser: "host" or "host:port".
struct TypedAddress {
    std::string host;
    int port = defaultGamePort;
    // What is wrong with the text, for the user; empty when host and port hold the address.
    std::string error;
};

// Reads a host name or dotted address with an optional ":port" (1 to 65535, 2302 when absent).
// Spaces around the text are dropped (a pasted address often carries them); anything else
// that is not part of a host name (a space or other character inside it, a second colon, a
// missing host or port) gives an error saying what is wrong.
TypedAddress parseTypedAddress(std::string_view text);

} // namespace vkr
