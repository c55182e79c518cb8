#include "status/play_history.h"

#include "settings/intparse.h"

#include <algorithm>
#include <cctype>
#include <ctime>

namespace vkr {

namespace {

// The address as lines are compared: the host regardless of case, the port as a number where it
// is one ("02302" is 2302).
std::string addressKey(std::string_view host, std::string_view port) {
    std::string key(host);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::optional<int32_t> number = tryParseInt(port);
    return key + ":" + (number ? std::to_string(*number) : std::string(port));
}

std::string addressKey(std::string_view address) {
    const size_t colon = address.rfind(':');
    return colon == std::string_view::npos
               ? addressKey(address, {})
               : addressKey(address.substr(0, colon), address.substr(colon + 1));
}

std::string addressKey(const ServerEntry& e) {
    return addressKey(e.ip, e.port);
}

} // namespace

std::optional<PlayedLine> readPlayedLine(std::string_view line) {
    // The name may hold "|" itself: the address ends at the first, the time starts after the last.
    const size_t first = line.find('|'), last = line.rfind('|');
    if (first == std::string_view::npos || first == last || first == 0) {
        return std::nullopt;
    }
    return PlayedLine{std::string(line.substr(0, first)),
                      std::string(line.substr(first + 1, last - first - 1)),
                      std::string(line.substr(last + 1))};
}

std::string isoTime(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc));
}

void recordPlayed(std::vector<std::string>& history, const ServerEntry& e,
                  const std::string& time) {
    const std::string key = addressKey(e);
    std::erase_if(history, [&](const std::string& line) {
        const std::optional<PlayedLine> played = readPlayedLine(line);
        return played && addressKey(played->address) == key;
    });
    std::string line = e.ip + ":" + e.port + "|" + e.name + "|" + time;
    // A NUL would end the line in the stored list of texts.
    std::replace(line.begin(), line.end(), '\0', ' ');
    history.insert(history.begin(), std::move(line));
    if (history.size() > maxHistory) {
        history.resize(maxHistory);
    }
}

PlayHistory::PlayHistory(const std::vector<std::string>& history) {
    int rank = 0;
    for (const std::string& line : history) {
        if (const std::optional<PlayedLine> played = readPlayedLine(line)) {
            // A line written twice counts where it stands first: the newer one.
            byAddress_.try_emplace(addressKey(played->address), Played{rank++, played->time});
        }
    }
}

const PlayHistory::Played* PlayHistory::find(const ServerEntry& e) const {
    const auto found = byAddress_.find(addressKey(e));
    return found == byAddress_.end() ? nullptr : &found->second;
}

std::optional<std::string> lastPlayed(const std::vector<std::string>& history,
                                      const ServerEntry& e) {
    const PlayHistory index(history);
    const PlayHistory::Played* played = index.find(e);
    return played ? std::optional(played->time) : std::nullopt;
}

} // namespace vkr
