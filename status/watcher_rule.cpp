#include "status/watcher_rule.h"

#include "settings/intparse.h"
#include "settings/utf8.h"
#include "status/protocol.h"

#include <functional>

namespace vkr {

std::optional<WatcherStatus> statusOfState(int code) {
    switch (code) {
    case 2:
        return WatcherStatus{{"Selecting mission", WatcherColour::green}, WatcherLamp::blinking};
    case 6:
        return WatcherStatus{{"Setting up", WatcherColour::green}, WatcherLamp::blinking};
    case 9:
        return WatcherStatus{{"Debriefing", WatcherColour::green}, WatcherLamp::blinking};
    case 13:
        return WatcherStatus{{"Briefing", WatcherColour::maroon}, WatcherLamp::red};
    case 14:
        return WatcherStatus{{"Game in progress...", WatcherColour::maroon}, WatcherLamp::red};
    case emptyServerState:
        return WatcherStatus{{"Empty", WatcherColour::maroon}, WatcherLamp::red};
    default:
        return std::nullopt;
    }
}

WatcherStatus noReplyStatus() {
    return {{"No reply from server", WatcherColour::maroon}, WatcherLamp::off};
}

WatcherStatus waitingStatus() {
    return {{"Waiting status...", WatcherColour::maroon}, WatcherLamp::red};
}

namespace {

bool settingUp(int code) {
    return code == 2 || code == 6 || code == 9;
}

} // namespace

std::optional<WatcherStatus> WatcherState::startPoll(const std::vector<std::string>& friendList) {
    startRequest();
    friends = FriendSet(friendList);
    friendWatch.startPoll();
    pollAlert = WatcherAlert::none;
    pollFriends.clear();
    std::optional<WatcherStatus> shown;
    if (pollsUnanswered >= 2) {
        silent = true;
        shown = noReplyStatus();
    } else {
        ++pollsUnanswered;
    }
    return shown;
}

void WatcherState::startRequest() {
    numPlayersText = "?";
    maxPlayersText = "?";
    datagramsRead.clear();
    clearRows();
}

void WatcherState::endWatch() {
    *this = WatcherState{};
}

bool WatcherState::joinable() const {
    return (settingUp(lastState) && room != WatcherRoom::full) ||
           (slotOpened && room == WatcherRoom::free);
}

void AutoJoin::follow(bool ticked, const WatcherState& state) {
    if (!ticked || !state.joinable()) {
        left_ = 0;
    } else if (left_ == 0) {
        left_ = seconds;
    }
}

AutoJoin::Step AutoJoin::tick(int32_t silentMs) {
    if (left_ == 0) {
        return Step::idle;
    }
    if (silentMs >= seconds * 1000) {
        left_ = 0;
        return Step::stopped;
    }
    if (silentMs >= pauseMs) {
        return Step::paused;
    }
    --left_;
    return left_ == 0 ? Step::join : Step::counting;
}

bool WatcherState::momentPassed(WatcherAlert alert) const {
    if (silent) {
        return false;
    }
    switch (alert) {
    case WatcherAlert::newGame:
    case WatcherAlert::playerJoined:
        return lastState != 0 && !settingUp(lastState);
    case WatcherAlert::slotFree:
        return room == WatcherRoom::full;
    case WatcherAlert::friendJoined:
    case WatcherAlert::none:
        break;
    }
    return false;
}

std::string stateWord(const WatcherState& state) {
    if (state.silent) {
        return "no reply";
    }
    switch (state.lastState) {
    case 2:
        return "selecting mission";
    case 6:
        return "setting up";
    case 9:
        return "debriefing";
    case 13:
        return "briefing";
    case 14:
        return "in game";
    case emptyServerState:
        return "empty";
    default:
        return "waiting";
    }
}

void WatcherState::clearRows() {
    rows.assign(1, PlayerRow{});
}

namespace {

// The gstate values that carry a state code; any other value is passed over.
std::optional<int> stateOfGstate(std::string_view value) {
    for (int code : {2, 6, 9, 13, 14}) {
        if (value == std::to_string(code)) {
            return code;
        }
    }
    return std::nullopt;
}

WatcherColour playersColour(const std::string& num, const std::string& max) {
    auto count = tryParseInt(num);
    auto capacity = tryParseInt(max);
    return count && capacity && *count > *capacity ? WatcherColour::maroon : WatcherColour::green;
}

// The room a reply tells: known when it gives both a count and a capacity as numbers.
WatcherRoom roomOf(const std::string& num, const std::string& max) {
    auto count = tryParseInt(num);
    auto capacity = tryParseInt(max);
    if (!count || !capacity) {
        return WatcherRoom::unknown;
    }
    return *count >= *capacity ? WatcherRoom::full : WatcherRoom::free;
}

} // namespace

WatcherAlert alertRule(const WatcherFacts& before, const WatcherFacts& now) {
    const bool newGameNow = settingUp(now.state);
    if (newGameNow && (before.state == 13 || before.state == 14)) {
        return WatcherAlert::newGame;
    }
    if (newGameNow && before.state == emptyServerState) {
        return WatcherAlert::playerJoined;
    }
    if (before.room == WatcherRoom::full && now.room == WatcherRoom::free) {
        return WatcherAlert::slotFree;
    }
    return WatcherAlert::none;
}

namespace {

// "Ann", "Ann and Bob", "Ann, Bob and Cid", "Ann, Bob, Cid and 2 more": names sent by a
// server, as UTF-8.
std::string namesText(const std::vector<std::string>& names) {
    constexpr size_t named = 3; // more than this many are counted, not named
    const size_t shown = names.size() > named + 1 ? named : names.size();
    std::string text;
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            text += i + 1 == shown && shown == names.size() ? " and " : ", ";
        }
        text += utf8OfLatin1(names[i]);
    }
    if (shown < names.size()) {
        text += " and " + std::to_string(names.size() - shown) + " more";
    }
    return text;
}

} // namespace

std::string alertSummary(WatcherAlert alert, const std::string& server,
                         const std::vector<std::string>& friends) {
    const std::string joined = namesText(friends) + " joined";
    switch (alert) {
    case WatcherAlert::newGame:
        return "New game on " + server + (friends.empty() ? "" : "; " + joined);
    case WatcherAlert::slotFree:
        return "A slot is free on " + server + (friends.empty() ? "" : "; " + joined);
    case WatcherAlert::playerJoined:
    case WatcherAlert::friendJoined:
        return (friends.empty() ? "A player joined" : joined) + " " + server;
    case WatcherAlert::none:
        break;
    }
    return {};
}

WatcherReading readWatcherReply(std::string_view reply, WatcherState& state) {
    WatcherReading reading;
    if (!state.datagramsRead.insert(std::hash<std::string_view>{}(reply)).second) {
        return reading;
    }
    int newState = -1;
    std::vector<PlayerRow>& rows = state.rows;
    // Names go into the last row and each score closes it with a new blank one. A list that
    // already holds rows of an earlier datagram is continued, not overwritten.
    if (rows.size() != 1 || rows.front() != PlayerRow{}) {
        rows.emplace_back();
    }
    const size_t firstRow = rows.size() - 1; // the first row this datagram may fill
    const auto roomForRow = [&rows] { return rows.size() <= WatcherState::rowCapacity; };

    ScanReply(reply, watcherKeys, [&](ReplyKey key, std::string_view value) {
        switch (key) {
        case ReplyKey::numplayers:
            state.numPlayersText = value;
            break;
        case ReplyKey::maxplayers:
            state.maxPlayersText = capacityText(value).value_or("?");
            break;
        case ReplyKey::gstate:
            if (auto code = stateOfGstate(value)) {
                newState = *code;
                reading.status = statusOfState(*code);
            }
            break;
        case ReplyKey::gametype:
            reading.mission = value.empty() ? WatcherText{"None", WatcherColour::maroon}
                                            : WatcherText{std::string(value), WatcherColour::green};
            break;
        case ReplyKey::player:
            if (roomForRow()) {
                rows.back().name = value;
            }
            break;
        case ReplyKey::score:
            if (roomForRow()) {
                rows.back().score = value;
                rows.emplace_back();
            }
            break;
        case ReplyKey::hostname:
        case ReplyKey::queryid:
        case ReplyKey::final:
            break;
        }
    });
    if (rows.size() > 1) {
        rows.pop_back();
    }
    std::vector<std::string> listed;
    for (size_t r = firstRow; r < rows.size(); ++r) {
        listed.push_back(rows[r].name);
    }
    const std::vector<std::string> joined = state.friendWatch.joined(state.friends, listed);

    if (state.numPlayersText != "?") {
        const std::string text = state.numPlayersText + "/" + state.maxPlayersText;
        if (state.numPlayersText == "0") {
            newState = emptyServerState;
            reading.players = WatcherText{text, WatcherColour::maroon};
            reading.status = statusOfState(emptyServerState);
        } else {
            reading.players =
                WatcherText{text, playersColour(state.numPlayersText, state.maxPlayersText)};
        }
    }

    state.pollsUnanswered = 0;
    if (state.silent) {
        state.silent = false;
        if (!reading.status) {
            reading.status = waitingStatus();
        }
    }

    const WatcherFacts now{newState, roomOf(state.numPlayersText, state.maxPlayersText)};
    reading.alert = alertRule({state.lastState, state.room}, now);
    if (reading.alert == WatcherAlert::none && !joined.empty()) {
        reading.alert = WatcherAlert::friendJoined;
    }
    if (reading.alert != WatcherAlert::none) {
        reading.firstOfPoll = state.pollAlert == WatcherAlert::none;
        // A state alert tells more than a friend's join, which its notification names too.
        if (state.pollAlert == WatcherAlert::none ||
            state.pollAlert == WatcherAlert::friendJoined) {
            state.pollAlert = reading.alert;
        }
        state.pollFriends.insert(state.pollFriends.end(), joined.begin(), joined.end());
    }
    if (newState > 0) {
        state.lastState = newState;
    }
    if (now.room == WatcherRoom::full) {
        state.slotOpened = false;
    } else if (now.room == WatcherRoom::free && state.room == WatcherRoom::full) {
        state.slotOpened = true;
    }
    if (now.room != WatcherRoom::unknown) {
        state.room = now.room;
    }
    return reading;
}

WatcherSound alertSound(WatcherAlert alert, const LauncherSettings& settings) {
    if (alert == WatcherAlert::none) {
        return {};
    }
    if (settings.watchers == 1) {
        return {WatcherSound::Kind::builtIn, {}};
    }
    if (settings.watchers == 2) {
        // A free slot sounds as a new game does; a friend's join as a player's.
        const bool joined =
            alert == WatcherAlert::playerJoined || alert == WatcherAlert::friendJoined;
        return {WatcherSound::Kind::file, joined ? settings.sound2 : settings.sound1};
    }
    return {};
}

} // namespace vkr
