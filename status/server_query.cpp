#include "status/server_query.h"

#include "net/TNMUDP.h"
#include "net/tick.h"

#include <unordered_set>
#include <utility>

namespace vkr {

namespace {

std::string destination(const std::string& address, int32_t port) {
    return address + ":" + std::to_string(port & 0xFFFF);
}

} // namespace

std::vector<std::string> QueryPass::namesToLookUp(const ServerTable& servers) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (int i = 0; i <= servers.lastRow; ++i) {
        const std::string name(servers[i].ip.c_str());
        if (name.size() <= maxHostLength && !dottedAddress(name) && seen.insert(name).second) {
            names.push_back(name);
        }
    }
    return names;
}

QueryPass::QueryPass(HostAddresses names) : names_(std::move(names)) {}

void QueryPass::query(const ServerEntry& e, QueryRow& row, TNMUDP& udps) {
    row.status.sendTick = GetTickCount();
    row.cells = StatusCells{};
    // No datagram is taken for the row until its request has gone out.
    row.status.address = "0.0.0.0";
    // Reset before the port is read, so that a row whose port text is wrong never shows the
    // players of an earlier pass.
    row.status.resetPlayers();
    const int32_t port = queryPort(e);
    std::optional<IPv4Bytes> known = dottedAddress(e.ip);
    if (auto name = names_.find(std::string(e.ip.c_str())); !known && name != names_.end()) {
        known = name->second;
    }
    if (known) {
        auto earlier = sent_.find(destination(addressText(*known), port));
        if (earlier != sent_.end()) {
            row.status.address = earlier->second->address;
            row.status.sendTick = earlier->second->sendTick;
            return;
        }
    }
    udps.RemotePort = port;
    udps.RemoteHost = e.ip;
    udps.SetKnownHosts(&names_);
    auto handed = SendStatusRequest(udps);
    udps.SetKnownHosts(nullptr);
    if (handed) {
        // The endpoint's own resolution of the host decides where the request went, and so
        // where its reply comes from: "127.0.0.1 " goes to 127.0.0.1, whatever another
        // resolver makes of that text.
        row.status.sendTick = *handed;
        row.status.address = udps.LastSendAddress();
        sent_.emplace(destination(row.status.address, port), &row.status);
    }
}

} // namespace vkr
