#pragma once

#include "settings/editing.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

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

// What adding a typed address to the server table did.
struct TypedServer {
    int row = -1;       // the server's row: the one added, or the one that had it already
    bool added = false; // a new row
    std::string error;  // what is wrong with the text, or that the table is full; row -1
};

// Adds the server at a typed address as a new row named after its host (sockets, no password,
// no mods), its id drawn fresh; when a row has that host and game port already, that row is
// the result and nothing is added.
TypedServer addTypedServer(ServerTable& servers, std::string_view text, const IdSource& draw);

// The servers added under their host's name: each is renamed to its "hostname" at its first
// reply, unless the user has renamed it since.
class ProvisionalNames {
public:
    void add(int32_t id, std::string name) { names_[id] = std::move(name); }
    // Whether server id still waits for its first reply to be named.
    bool contains(int32_t id) const { return names_.contains(id); }
    // The first reply of server e, with the hostname it tells (none when it tells none): the
    // name to give e, when e was added so and still has the name it was given. Either way e is
    // named for good afterwards.
    std::optional<std::string> atReply(const ServerEntry& e,
                                       const std::optional<std::string>& hostname);

private:
    std::unordered_map<int32_t, std::string> names_;
};

} // namespace vkr
