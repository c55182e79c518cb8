#include "status/server_query.h"

#include "net/TClientSocket.h"
#include "net/TNMUDP.h"
#include "net/address.h"
#include "net/tick.h"

namespace vkr {

void queryServer(const ServerEntry& e, QueryRow& row, TClientSocket& lookup, TNMUDP& udps,
                 const std::function<void()>& beforeLookup) {
    row.status.sendTick = GetTickCount();
    if (beforeLookup) {
        beforeLookup();
    }
    IPv4Bytes resolved = lookup.ResolveHostAddress(e.ip);
    row.cells = StatusCells{};
    row.status.address = addressText(resolved);
    // Reset before the port is read, so that a row whose port text is wrong never shows the
    // players of an earlier pass.
    row.status.resetPlayers();
    udps.RemotePort = queryPort(e);
    udps.RemoteHost = e.ip;
    if (auto handed = SendStatusRequest(udps)) {
        row.status.sendTick = *handed;
    }
}

} // namespace vkr
