#include "status/lan_search.h"

#include "settings/utf8.h"

namespace vkr {

ServerEntry LanServer::entry() const {
    ServerEntry e;
    e.name = utf8OfLatin1(name()); // the table holds UTF-8; servers send Latin-1
    e.ip = address;
    e.port = std::to_string(gamePort());
    e.sockets = true;
    return e;
}

void LanList::start(uint32_t sendTick) {
    servers_.clear();
    sendTick_ = sendTick;
    started_ = true;
}

bool LanList::listening(uint32_t tick) const {
    const auto waited = static_cast<int32_t>(tick - sendTick_);
    return started_ && waited >= 0 && waited <= static_cast<int32_t>(lanListenTicks);
}

int LanList::find(std::string_view address, int queryPort) const {
    for (int i = 0; i < count(); ++i) {
        if (servers_[static_cast<size_t>(i)].queryPort == queryPort &&
            servers_[static_cast<size_t>(i)].address == address) {
            return i;
        }
    }
    return -1;
}

int LanList::apply(std::string_view fromIP, int port, std::string_view reply,
                   uint32_t receiveTick) {
    if (port < lanFirstQueryPort || port > lanLastQueryPort || !listening(receiveTick)) {
        return -1;
    }
    int i = find(fromIP, port);
    if (i < 0) {
        if (count() >= capacity) {
            return -1;
        }
        LanServer& added = servers_.emplace_back();
        added.address = fromIP;
        added.queryPort = port;
        added.row.status.address = fromIP;
        added.row.status.sendTick = sendTick_;
        added.row.status.resetPlayers();
        i = count() - 1;
    }
    LanServer& server = servers_[static_cast<size_t>(i)];
    applyToRow(server.row, reply, receiveTick - server.row.status.sendTick);
    if (std::optional<std::string> hostname = replyHostname(reply)) {
        server.hostname = std::move(*hostname);
    }
    return i;
}

} // namespace vkr
