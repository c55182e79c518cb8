#include "status/server_query.h"

#include "net/TNMUDP.h"
#include "net/tick.h"

#include <algorithm>
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

QueryPass::QueryPass(TNMUDP& udps, HostAddresses names) : udps_(udps), names_(std::move(names)) {}

void QueryPass::query(const ServerEntry& e, QueryRow& row) {
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
            const ServerStatus& first = *earlier->second;
            row.status.address = first.address;
            row.status.sendTick = first.sendTick;
            if (std::find(held_.begin(), held_.end(), &first) != held_.end()) {
                held_.push_back(&row.status);
            }
            return;
        }
    }
    udps_.RemotePort = port;
    udps_.RemoteHost = e.ip;
    udps_.SetKnownHosts(&names_);
    udps_.HoldSends();
    auto handed = SendStatusRequest(udps_);
    udps_.SetKnownHosts(nullptr);
    if (handed) {
        // The endpoint's own resolution of the host decides where the request went, and so
        // where its reply comes from: "127.0.0.1 " goes to 127.0.0.1, whatever another
        // resolver makes of that text.
        row.status.sendTick = *handed;
        row.status.address = udps_.LastSendAddress();
        sent_.emplace(destination(row.status.address, port), &row.status);
        held_.push_back(&row.status);
    }
    // Few enough that the replies to them fit in any socket's receive buffer until the flush
    // takes them off it.
    constexpr size_t batch = 64;
    if (held_.size() >= batch) {
        flush();
    }
}

void QueryPass::flush() {
    udps_.Flush();
    for (ServerStatus* status : held_) {
        status->sendTick = udps_.LastSendTick();
    }
    held_.clear();
}

} // namespace vkr
