// Input: one byte telling how often the datagrams are applied (1 to 8 times, so that the player
// table can fill up), then up to 16 datagrams, separated by the byte 0xFF (the last one takes the
// rest).

#include "status/protocol.h"
#include "status/query_schedule.h"
#include "status/server_details.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int repeats = 1 + data[0] % 8;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string_view> datagrams;
    for (size_t cut;
         datagrams.size() < 15 && (cut = rest.find('\xFF')) != std::string_view::npos;) {
        datagrams.push_back(rest.substr(0, cut));
        rest.remove_prefix(cut + 1);
    }
    datagrams.push_back(rest);

    for (std::string_view d : datagrams) {
        vkr::ScanReply(d, vkr::watcherKeys, [&](vkr::ReplyKey, std::string_view value) {
            check(value.find('\\') == std::string_view::npos);
            check(value.find('\0') == std::string_view::npos);
            check(value.data() >= d.data() && value.data() + value.size() <= d.data() + d.size());
        });
    }

    // The details' keys and values hold neither a backslash nor a NUL.
    std::vector<std::string> reply(datagrams.begin(), datagrams.end());
    for (const auto& [key, value] : vkr::replyPairs(reply)) {
        check((key + value).find_first_of(std::string_view("\\\0", 2)) == std::string::npos);
    }

    // Two rows answered by the same sender, one that is not. The tables are kept across runs
    // (they are large); the rows in use are reset for each.
    static vkr::ServerTable servers;
    static vkr::QueryRows rows;
    servers.clear();
    for (bool sockets : {true, true, false}) {
        vkr::ServerEntry& e = servers.append();
        e.port = "2302";
        e.sockets = sockets;
        vkr::QueryRow& row = rows[servers.lastRow];
        row = vkr::QueryRow{};
        row.status.address = "127.0.0.1";
        row.status.sendTick = 4294967000u;
        row.status.resetPlayers();
    }
    uint32_t tick = 4294967200u;
    for (int r = 0; r < repeats; ++r) {
        for (std::string_view d : datagrams) {
            auto answered = vkr::ApplyReply(servers, rows, "127.0.0.1", 2303, d, tick += 100);
            check(answered == std::vector<int>({0, 1}));
        }
    }
    for (int i = 0; i < 2; ++i) {
        const vkr::ServerStatus& s = rows[i].status;
        check(s.playerCount >= 0 && s.playerCount <= vkr::ServerStatus::playerCapacity);
        check(s.playerCount == rows[0].status.playerCount);
        for (int j = 0; j < s.playerCount; ++j) {
            check(s.playerName(j) == rows[0].status.playerName(j));
            check(s.playerScore(j) == rows[0].status.playerScore(j));
        }
        check(rows[i].cells.players == " " || rows[i].cells.players.find('/') != std::string::npos);
    }
    check(rows[2].status.playerCount == 0 && rows[2].cells.ping == "??");

    // A pass counts each datagram of a server once at most, and all that it counts share the
    // one round trip of the one request.
    vkr::QuerySchedule schedule;
    schedule.beginPass(0);
    const vkr::Destination server{"127.0.0.1", 2303};
    schedule.ask(server, 0);
    schedule.sent(server.key(), 0);
    std::set<std::string_view> counted;
    uint32_t at = 0;
    for (int r = 0; r < repeats; ++r) {
        for (std::string_view d : datagrams) {
            if (const auto heard = schedule.received(server.key(), d, at += 7); heard.counts) {
                check(heard.ping == 7u && counted.insert(d).second);
            }
        }
    }
    check(schedule.answered() == 1);
    return 0;
}
