#include "status/server_query.h"

#include "net/TNMUDP.h"
#include "net/tick.h"
#include "settings/intparse.h"

#include <QTimer>

namespace vkr {

QueryPass::QueryPass(TNMUDP& udps, QuerySchedule& schedule) : udps_(udps), schedule_(schedule) {}

bool QueryPass::needsLookUp(const std::string& host) {
    const std::string name(host.c_str());
    return name.size() <= maxHostLength && !dottedAddress(name);
}

Destination QueryPass::destination(const ServerEntry& e, const std::string& address) {
    // A reply from port p answers a row whose port text is p minus the offset.
    return {address, int64_t{parseInt(e.port)} + queryPortOffset(e.sockets)};
}

void QueryPass::reset(const ServerEntry& e, QueryRow& row) {
    row.status.sendTick = GetTickCount();
    row.cells = StatusCells{};
    row.reply.clear();
    row.status.address = "0.0.0.0";
    // Reset before the port is read, so that a row whose port text is wrong never shows the
    // players of an earlier pass.
    row.status.resetPlayers();
    queryPort(e);
}

std::optional<QuerySchedule::Ask> QueryPass::query(const ServerEntry& e, QueryRow& row,
                                                   IPv4Bytes looked, bool alone) {
    const int32_t port = queryPort(e);
    std::optional<IPv4Bytes> address = dottedAddress(e.ip);
    if (!address && needsLookUp(e.ip)) {
        address = looked;
    }
    if (!address || *address == IPv4Bytes{}) {
        // The endpoint's own failure: "Host Lookup Canceled" after OnInvalidHost, or "Null
        // Remote Address"; either is dropped, and nothing is sent.
        const HostAddresses failed{{std::string(e.ip.c_str()), IPv4Bytes{}}};
        udps_.RemotePort = port;
        udps_.RemoteHost = e.ip;
        udps_.SetKnownHosts(&failed);
        SendStatusRequest(udps_);
        udps_.SetKnownHosts(nullptr);
        return std::nullopt;
    }
    const Destination d = destination(e, addressText(*address));
    row.status.address = d.address;
    const QuerySchedule::Ask ask =
        alone ? schedule_.askOne(d, GetTickCount()) : schedule_.ask(d, GetTickCount());
    if (ask == QuerySchedule::Ask::send) {
        send(d, &row.status);
    }
    return ask;
}

void QueryPass::resend(const Destination& d) {
    send(d, nullptr);
}

void QueryPass::send(const Destination& d, ServerStatus* status) {
    udps_.RemotePort = static_cast<int>(d.port);
    udps_.RemoteHost = d.address;
    udps_.HoldSends();
    if (SendStatusRequest(udps_)) {
        held_.emplace_back(d.key(), status);
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
    for (auto& [key, status] : held_) {
        schedule_.sent(key, udps_.LastSendTick());
        if (status) {
            status->sendTick = udps_.LastSendTick();
        }
    }
    held_.clear();
}

void timeNextDue(QTimer& timer, const QuerySchedule& schedule) {
    if (const std::optional<uint32_t> until = schedule.untilDue(GetTickCount())) {
        timer.start(static_cast<int>(*until));
    } else {
        timer.stop();
    }
}

} // namespace vkr
