#include "status/server_query.h"

#include "net/TNMUDP.h"
#include "net/address.h"
#include "net/tick.h"

namespace vkr {

namespace {

std::string destination(const std::string& address, int32_t port) {
    return address + ":" + std::to_string(port & 0xFFFF);
}

} // namespace

void QueryPass::query(const ServerEntry& e, QueryRow& row, TNMUDP& udps,
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
    const int32_t port = queryPort(e);
    if (auto dotted = dottedAddress(e.ip)) {
        auto earlier = sent_.find(destination(addressText(*dotted), port));
        if (earlier != sent_.end()) {
            row.status.address = earlier->second->address;
            row.status.sendTick = earlier->second->sendTick;
            return;
        }
    }
    udps.RemotePort = port;
    udps.RemoteHost = e.ip;
    if (auto handed = SendStatusRequest(udps)) {
        // The endpoint's own resolution of the host decides where the request went, and so
        // where its reply comes from: "127.0.0.1 " goes to 127.0.0.1, whatever another
        // resolver makes of that text.
        row.status.sendTick = *handed;
        row.status.address = udps.LastSendAddress();
        sent_.emplace(destination(row.status.address, port), &row.status);
    }
}

} // namespace vkr
