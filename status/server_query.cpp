#include "status/server_query.h"

#include "net/TNMUDP.h"
#include "net/tick.h"

namespace vkr {

void queryServer(const ServerEntry& e, QueryRow& row, TNMUDP& udps,
                 const std::function<void()>& beforeLookup) {
    row.status.sendTick = GetTickCount();
    if (beforeLookup) {
        beforeLookup();
    }
    row.cells = StatusCells{};
    // No datagram is taken for the row until its request has gone out.
    row.status.address = "0.0.0.0";
    // Reset before the port is read, so that a row whose port text is wrong never shows the
    // players of an earlier pass.
    row.status.resetPlayers();
    udps.RemotePort = queryPort(e);
    udps.RemoteHost = e.ip;
    if (auto handed = SendStatusRequest(udps)) {
        // The endpoint's own resolution of the host decides where the request went, and so
        // where its reply comes from: "127.0.0.1 " goes to 127.0.0.1, whatever another
        // resolver makes of that text.
        row.status.sendTick = *handed;
        row.status.address = udps.LastSendAddress();
    }
}

} // namespace vkr
