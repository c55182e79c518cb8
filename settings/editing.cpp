#include "settings/editing.h"

#include "settings/intparse.h"
#include "settings/registry.h"
#include "settings/translate.h"

#include <chrono>
#include <memory>
#include <random>

namespace vkr {

IdSource timeSeededIdSource() {
    auto seed = static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count());
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return std::uniform_int_distribution<int32_t>(0, kIdLimit - 1)(*engine); };
}

IdSource& idSource() {
    static IdSource source = timeSeededIdSource();
    return source;
}

int findServer(const ServerTable& servers, std::string_view host, int gamePort) {
    for (int i = 0; i <= servers.lastRow; ++i) {
        if (namesEqual(servers[i].ip, host) && tryParseInt(servers[i].port) == gamePort) {
            return i;
        }
    }
    return -1;
}

AddedServers addServers(ServerTable& servers, const std::vector<ServerEntry>& found,
                        const IdSource& draw) {
    AddedServers result;
    for (const ServerEntry& e : found) {
        const std::optional<int32_t> port = tryParseInt(e.port);
        if (port && findServer(servers, e.ip, *port) >= 0) {
            ++result.skipped;
        } else if (servers.full()) {
            ++result.refused;
        } else {
            const int32_t id = drawNewId(servers, draw);
            servers.append() = e;
            servers[servers.lastRow].id = id;
            result.added.push_back(servers.lastRow);
        }
    }
    return result;
}

std::string tableFullMessage(const std::string& what) {
    // A whole text for each table, so that a translation words each as its language needs.
    if (what == "mods") {
        const int most = ModTable::capacity;
        return translate("Editing",
                         "The list of mods is full: the launcher keeps at most %n mods. Delete one "
                         "before adding another.",
                         nullptr, most);
    }
    const int most = ServerTable::capacity;
    return translate("Editing",
                     "The list of servers is full: the launcher keeps at most %n servers. Delete "
                     "one before adding another.",
                     nullptr, most);
}

std::string buildServerMods(const ModTable& mods, const std::vector<bool>& ticked) {
    std::string text;
    for (int j = 0; j <= mods.lastRow && j < static_cast<int>(ticked.size()); ++j) {
        if (ticked[static_cast<size_t>(j)]) {
            text += mods[j].dir + ";";
        }
    }
    return text;
}

std::vector<bool> tickedMods(const ModTable& mods, std::string_view text) {
    std::vector<bool> ticked(static_cast<size_t>(mods.count()), false);
    std::string_view rest = text;
    for (size_t end = rest.find(';'); end != std::string_view::npos; end = rest.find(';')) {
        std::string_view piece = rest.substr(0, end);
        for (int j = 0; j <= mods.lastRow; ++j) {
            if (mods[j].dir == piece) {
                ticked[static_cast<size_t>(j)] = true;
            }
        }
        rest.remove_prefix(end + 1);
    }
    return ticked;
}

} // namespace vkr
