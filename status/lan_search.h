#pragma once

#include "settings/settings.h"
#include "status/protocol.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vkr {

// The search of the local network asks the sockets query ports of game ports 2302 to 2311.
// (A DirectPlay server's query port, game port + 2, is also a sockets port one higher, so
// DirectPlay servers are not searched: their game port could not be told.)
inline constexpr int lanFirstQueryPort = 2303;
inline constexpr int lanLastQueryPort = 2312;
// How long a search listens for answers after its requests went out.
inline constexpr uint32_t lanListenTicks = 2000;

// A server that answered a search.
struct LanServer {
    std::string address;  // dotted, as the reply came from
    int queryPort = 0;    // the port that answered
    std::string hostname; // empty until a reply names the server
    QueryRow row;         // ping, players and mission as the browser shows them, and the players

    // The reply's "hostname", else (none, or an empty one) the address.
    std::string name() const { return hostname.empty() ? address : hostname; }
    int gamePort() const { return queryPort - 1; }
    // The server table row for it: its name, address and game port, sockets, no password
    // and no mods.
    ServerEntry entry() const;
};

// The servers that answered one search, in order of their first answer; each server (address
// and port) once.
class LanList {
public:
    // At most this many servers are listed; answers of more are passed over.
    static constexpr int capacity = ServerTable::capacity;

    // A new search whose requests went out at sendTick: the list is emptied.
    void start(uint32_t sendTick);
    // Whether a datagram received at tick still belongs to the search.
    bool listening(uint32_t tick) const;
    // A datagram received at receiveTick from fromIP and port. One from a port that was not
    // asked, or after the search's listening time, is passed over. Gives the index of the
    // server it added or changed, -1 for none.
    int apply(std::string_view fromIP, int port, std::string_view reply, uint32_t receiveTick);

    int count() const { return static_cast<int>(servers_.size()); }
    const LanServer& operator[](int i) const { return servers_[static_cast<size_t>(i)]; }
    // The index of the server at address and query port, -1 when it has not answered.
    int find(std::string_view address, int queryPort) const;

private:
    std::vector<LanServer> servers_;
    uint32_t sendTick_ = 0;
    bool started_ = false;
};

} // namespace vkr
