#include "status/protocol.h"

#include "settings/intparse.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace vkr {

std::optional<uint32_t> SendStatusRequest(DatagramSender& udps) noexcept {
    try {
        // The request is written at the start of a 128-byte buffer; only its 14 bytes go out.
        std::string buffer(128, '\0');
        buffer.replace(0, statusRequest.size(), statusRequest);
        udps.SendDatagram(buffer, static_cast<int>(statusRequest.size()));
        return udps.LastSendTick();
    } catch (...) {
        return std::nullopt;
    }
}

int32_t queryPort(const ServerEntry& e) {
    // The sum wraps like the 32-bit arithmetic of the port property; only its low 16 bits are
    // used when sending.
    uint32_t port = static_cast<uint32_t>(parseInt(e.port));
    return static_cast<int32_t>(port + static_cast<uint32_t>(queryPortOffset(e.sockets)));
}

namespace {

std::optional<ReplyKey> keyOf(std::string_view token) {
    if (token == "gametype") {
        return ReplyKey::gametype;
    }
    if (token == "numplayers") {
        return ReplyKey::numplayers;
    }
    if (token == "maxplayers") {
        return ReplyKey::maxplayers;
    }
    if (token == "gstate") {
        return ReplyKey::gstate;
    }
    if (token == "hostname") {
        return ReplyKey::hostname;
    }
    if (token == "queryid") {
        return ReplyKey::queryid;
    }
    if (token == "final") {
        return ReplyKey::final;
    }
    if (token.starts_with("player_")) {
        return ReplyKey::player;
    }
    if (token.starts_with("score")) {
        return ReplyKey::score;
    }
    return std::nullopt;
}

} // namespace

void ScanReply(std::string_view reply, ReplyKeySet keys, const ReplyReceiver& receiver) {
    reply = reply.substr(0, reply.find('\0'));
    std::optional<ReplyKey> armed;
    size_t start = 0;
    for (size_t end = reply.find('\\'); end != std::string_view::npos;
         end = reply.find('\\', start)) {
        std::string_view token = reply.substr(start, end - start);
        start = end + 1;
        if (armed) {
            receiver(*armed, token);
        }
        armed = keyOf(token);
        if (armed && (keys & keyBit(*armed)) == 0) {
            armed.reset();
        }
    }
}

ReplyMarks replyMarks(std::string_view datagram, int maxPart) {
    ReplyMarks marks;
    std::string_view queryid;
    ScanReply(datagram,
              keyBit(ReplyKey::queryid) | keyBit(ReplyKey::final) | keyBit(ReplyKey::player) |
                  keyBit(ReplyKey::numplayers),
              [&](ReplyKey key, std::string_view value) {
                  if (key == ReplyKey::final) {
                      marks.final = true;
                  } else if (key == ReplyKey::player) {
                      ++marks.players;
                  } else if (key == ReplyKey::numplayers) {
                      marks.numplayers = tryParseInt(value);
                  } else {
                      queryid = value;
                  }
              });
    const size_t dot = queryid.find('.');
    const std::string_view id = queryid.substr(0, dot);
    const std::optional<int32_t> part =
        dot == std::string_view::npos ? 1 : tryParseInt(queryid.substr(dot + 1));
    if (!id.empty() && part && *part >= 1 && *part <= maxPart) {
        marks.id = id;
        marks.part = *part;
    }
    return marks;
}

std::optional<std::string> replyHostname(std::string_view reply) {
    std::optional<std::string> name;
    ScanReply(reply, keyBit(ReplyKey::hostname),
              [&](ReplyKey, std::string_view value) { name.emplace(value); });
    return name;
}

std::optional<std::string> capacityText(std::string_view maxplayers) {
    auto value = tryParseInt(maxplayers);
    if (!value) {
        return std::nullopt;
    }
    return std::to_string(static_cast<int64_t>(*value) - 2);
}

std::string_view ServerStatus::playerNameView(int j) const {
    if (playerCount == 0 && j == 0) {
        return "no players";
    }
    if (j < 0 || j >= playerCount) {
        return {};
    }
    // The name ends with the NUL before its score.
    const size_t start = starts_[2 * j];
    return std::string_view(&texts_[start], starts_[2 * j + 1] - start - 1);
}

std::string ServerStatus::playerScore(int j) const {
    return j >= 0 && j < playerCount ? std::string(&texts_[starts_[2 * j + 1]]) : std::string();
}

template <typename T> void ServerStatus::reserveFor(std::vector<T>& v, size_t size, size_t bound) {
    if (v.size() + size > v.capacity()) {
        v.reserve(std::min(std::max(v.size() + size, 2 * v.capacity()), bound));
    }
}

void ServerStatus::resetPlayers() {
    playerCount = 0;
    dropping_ = false;
    // What a pass of an ordinary server needs is kept for the next pass; more is given back.
    constexpr size_t kept = 1024;
    texts_.clear();
    starts_.clear();
    if (texts_.capacity() > kept) {
        std::vector<char>().swap(texts_);
    }
    if (starts_.capacity() > kept / 8) {
        std::vector<uint16_t>().swap(starts_);
    }
}

void ServerStatus::addPlayer(std::string_view name) {
    if (playerCount >= playerCapacity || texts_.size() + name.size() + 2 > playerBytesCapacity) {
        dropping_ = true;
        return;
    }
    reserveFor(texts_, name.size() + 2, playerBytesCapacity);
    reserveFor(starts_, 2, 2 * playerCapacity);
    starts_.push_back(static_cast<uint16_t>(texts_.size()));
    texts_.insert(texts_.end(), name.begin(), name.end());
    texts_.push_back('\0');
    starts_.push_back(static_cast<uint16_t>(texts_.size()));
    texts_.push_back('\0'); // no score yet
    ++playerCount;
    dropping_ = false; // the scores that follow are this player's
}

void ServerStatus::setScore(std::string_view score) {
    if (playerCount == 0 || dropping_) {
        return;
    }
    // The last player's score ends the texts: it is replaced in place.
    texts_.resize(starts_.back());
    if (texts_.size() + score.size() + 1 <= playerBytesCapacity) {
        reserveFor(texts_, score.size() + 1, playerBytesCapacity);
        texts_.insert(texts_.end(), score.begin(), score.end());
    }
    texts_.push_back('\0');
}

namespace {

// The sender of a datagram, with the port texts that the rows of either implementation must
// hold to be answered by it: computed once per datagram, not once per row.
class Sender {
public:
    Sender(std::string_view ip, int port) : ip_(ip) {
        for (bool sockets : {true, false}) {
            char* end = std::to_chars(text_[sockets], text_[sockets] + sizeof text_[sockets],
                                      port - queryPortOffset(sockets))
                            .ptr;
            port_[sockets] =
                std::string_view(text_[sockets], static_cast<size_t>(end - text_[sockets]));
        }
    }
    bool answers(const ServerEntry& e, const ServerStatus& status) const {
        return status.address == ip_ && ip_ != "0.0.0.0" && e.port == port_[e.sockets];
    }

private:
    std::string_view ip_;
    char text_[2][16];
    std::string_view port_[2];
};

} // namespace

bool answers(const ServerEntry& e, const ServerStatus& status, std::string_view fromIP, int port) {
    return Sender(fromIP, port).answers(e, status);
}

bool receivedAfterSend(const ServerStatus& status, uint32_t receiveTick) {
    // Ticks wrap: the signed difference orders two ticks less than 24 days apart.
    return static_cast<int32_t>(receiveTick - status.sendTick) >= 0;
}

void applyToRow(QueryRow& row, std::string_view reply, std::optional<uint32_t> ping) {
    ServerStatus& status = row.status;
    if (ping) {
        row.cells.ping = std::to_string(*ping);
    }
    size_t kept = reply.size();
    for (const std::string& d : row.reply) {
        kept += d.size();
    }
    if (!reply.empty() && kept <= QueryRow::replyCapacity) {
        row.reply.emplace_back(reply);
    }
    std::string numText = "??";
    std::string maxText = "??";
    ScanReply(reply, browserKeys, [&](ReplyKey key, std::string_view value) {
        switch (key) {
        case ReplyKey::gametype:
            row.cells.mission.assign(value);
            break;
        case ReplyKey::numplayers:
            numText.assign(value);
            break;
        case ReplyKey::maxplayers:
            maxText = capacityText(value).value_or("??");
            break;
        case ReplyKey::player:
            status.addPlayer(value);
            break;
        case ReplyKey::score:
            status.setScore(value);
            break;
        case ReplyKey::gstate:
        case ReplyKey::hostname:
        case ReplyKey::queryid:
        case ReplyKey::final:
            break;
        }
    });
    if (numText != "??") {
        row.cells.players = numText + "/" + maxText;
    }
}

namespace {

std::string senderKey(std::string_view address, int64_t port) {
    return std::string(address) + ':' + std::to_string(port);
}

// Applies the datagram to those of the candidate rows that it answers.
template <class Rows>
std::vector<int> applyToAnswered(const ServerTable& servers, QueryRows& rows,
                                 const Rows& candidates, std::string_view fromIP, int port,
                                 std::string_view reply, uint32_t receiveTick) {
    std::vector<int> answered;
    const Sender sender(fromIP, port);
    for (int i : candidates) {
        if (i <= servers.lastRow && sender.answers(servers[i], rows[i].status) &&
            receivedAfterSend(rows[i].status, receiveTick)) {
            applyToRow(rows[i], reply, receiveTick - rows[i].status.sendTick);
            answered.push_back(i);
        }
    }
    return answered;
}

} // namespace

void RowsBySender::add(int i, const ServerEntry& e, const ServerStatus& status) {
    const std::optional<int32_t> port = tryParseInt(e.port);
    if (port && status.address != "0.0.0.0") {
        // A datagram from port p answers a row whose port text is p minus the offset.
        std::vector<int>& rows =
            rows_[senderKey(status.address, int64_t{*port} + queryPortOffset(e.sockets))];
        if (std::find(rows.begin(), rows.end(), i) == rows.end()) {
            rows.push_back(i); // a row asked again within a pass is still one row
        }
    }
}

const std::vector<int>& RowsBySender::rowsOf(std::string_view fromIP, int port) const {
    static const std::vector<int> none;
    auto found = rows_.find(senderKey(fromIP, port));
    return found != rows_.end() ? found->second : none;
}

std::vector<int> ApplyReply(const ServerTable& servers, QueryRows& rows, std::string_view fromIP,
                            int port, std::string_view reply, uint32_t receiveTick) {
    std::vector<int> every(servers.lastRow + 1);
    std::iota(every.begin(), every.end(), 0);
    return applyToAnswered(servers, rows, every, fromIP, port, reply, receiveTick);
}

std::vector<int> ApplyReply(const ServerTable& servers, QueryRows& rows,
                            const RowsBySender& senders, std::string_view fromIP, int port,
                            std::string_view reply, uint32_t receiveTick) {
    return applyToAnswered(servers, rows, senders.rowsOf(fromIP, port), fromIP, port, reply,
                           receiveTick);
}

} // namespace vkr
