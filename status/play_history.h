#pragma once

#include "settings/settings.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vkr {

// The servers the game was started on, kept in the settings' "history" as lines of
// "host:port|name|time", newest first, one line per address: the host and game port as the
// server table held them, the server's name then, and the start's time in UTC as ISO 8601
// ("2026-12-10T06:19:10Z"). A server deleted from the table keeps its line, so that adding its
// address again shows it as played before.
inline constexpr size_t maxHistory = 100;

// One line of the history; none for a line that is not "address|name|time".
struct PlayedLine {
    std::string address; // "host:port"
    std::string name;
    std::string time;
};
std::optional<PlayedLine> readPlayedLine(std::string_view line);

// The time as the history writes it: UTC, to the second.
std::string isoTime(std::chrono::system_clock::time_point when);

// Puts the start of the game on server e at the front of history, dropping the line its address
// had and every line past the 100th.
void recordPlayed(std::vector<std::string>& history, const ServerEntry& e, const std::string& time);

// The history looked up by server: each address's place in it (0 the newest) and time.
class PlayHistory {
public:
    struct Played {
        int rank = 0;
        std::string time;
    };
    PlayHistory() = default;
    explicit PlayHistory(const std::vector<std::string>& history);
    // Server e's line; none when the game was never started on its address.
    const Played* find(const ServerEntry& e) const;

private:
    std::unordered_map<std::string, Played> byAddress_;
};

// When the game was last started on server e (its history time); none when never.
std::optional<std::string> lastPlayed(const std::vector<std::string>& history,
                                      const ServerEntry& e);

} // namespace vkr
