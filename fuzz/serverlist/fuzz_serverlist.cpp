// Any file read as a list of servers: every address it gives reads back as a typed address,
// every line is accounted for, and adding it twice to a server table adds nothing the second
// time. The table, written as a list, reads back as its own servers. The same lines, read as
// the history of servers played on, take a start at their front and keep at most 100.
#include "status/play_history.h"
#include "status/server_list.h"
#include "status/typed_address.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vkr::ServerListReading reading = vkr::readServerList(text);
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (reading.addresses.size() + static_cast<size_t>(reading.notUnderstood) > lines ||
        (reading.notUnderstood > 0) == reading.firstProblem.empty()) {
        std::abort();
    }
    for (const std::string& address : reading.addresses) {
        if (!vkr::parseTypedAddress(address).error.empty()) {
            std::abort();
        }
    }
    vkr::ServerTable table;
    int32_t next = 1;
    const vkr::IdSource draw = [&] { return next++; };
    const vkr::ServerListImport first = vkr::importServerList(table, text, draw);
    if (first.added + first.already + first.refused != static_cast<int>(reading.addresses.size()) ||
        table.count() != first.added) {
        std::abort();
    }
    const vkr::ServerListImport second = vkr::importServerList(table, text, draw);
    if (second.added != 0 || table.count() != first.added) {
        std::abort();
    }
    const vkr::ServerListExport out = vkr::writeServerList(table);
    const vkr::ServerListReading back = vkr::readServerList(out.text);
    if (out.written != table.count() || back.notUnderstood != 0 ||
        static_cast<int>(back.addresses.size()) != table.count()) {
        std::abort();
    }
    for (int i = 0; i < table.count(); ++i) {
        if (back.addresses[static_cast<size_t>(i)] != table[i].ip + ":" + table[i].port) {
            std::abort();
        }
    }
    std::vector<std::string> history;
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        history.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    vkr::ServerEntry e;
    e.ip = "h.example";
    e.port = "2302";
    e.name = std::string(text.substr(0, 8));
    vkr::recordPlayed(history, e, "T");
    if (history.size() > vkr::maxHistory || vkr::lastPlayed(history, e) != "T" ||
        vkr::PlayHistory(history).find(e)->rank != 0) {
        std::abort();
    }
    return 0;
}
