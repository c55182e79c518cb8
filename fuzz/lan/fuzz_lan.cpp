// Datagrams of a local network search from any senders: the input is datagrams separated by
// the byte FF, each led by a byte choosing its sender (one of 8 addresses) and its port (2300
// to 2315), then its time (two bytes, in 10-ms steps). The list never holds more than its
// capacity, holds each address and port once, finds each server where it lists it, and lists
// only ports that were asked, with the game port one below.
#include "status/lan_search.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    vkr::LanList list;
    list.start(1000);
    while (rest.size() >= 3) {
        const auto lead = static_cast<uint8_t>(rest[0]);
        const uint32_t tick =
            1000 + 10u * (static_cast<uint8_t>(rest[1]) |
                          static_cast<uint32_t>(static_cast<uint8_t>(rest[2])) << 8);
        rest.remove_prefix(3);
        const size_t end = std::min(rest.find('\xFF'), rest.size());
        const std::string address = "192.168.1." + std::to_string(1 + (lead & 7));
        const int port = 2300 + (lead >> 4);
        const int count = list.count();
        const int at = list.apply(address, port, rest.substr(0, end), tick);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const bool asked = port >= vkr::lanFirstQueryPort && port <= vkr::lanLastQueryPort;
        if (at >= list.count() || at < -1 || (at >= 0 && (!asked || !list.listening(tick))) ||
            list.count() < count || list.count() > count + 1) {
            std::abort();
        }
    }
    if (list.count() > vkr::LanList::capacity) {
        std::abort();
    }
    for (int i = 0; i < list.count(); ++i) {
        const vkr::LanServer& s = list[i];
        if (list.find(s.address, s.queryPort) != i || s.gamePort() != s.queryPort - 1 ||
            s.entry().port != std::to_string(s.gamePort()) || s.name().empty()) {
            std::abort();
        }
    }
    return 0;
}
