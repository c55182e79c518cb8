#include "status/watcher_rule.h"

#include "settings/intparse.h"
#include "settings/translate.h"
#include "settings/utf8.h"
#include "status/protocol.h"

#include <functional>

namespace vkr {

namespace {

WatcherStatus greenStatus(std::string text) {
    return {{std::move(text), WatcherColour::green}, WatcherLamp::blinking};
}

WatcherStatus maroonStatus(std::string text) {
    return {{std::move(text), WatcherColour::maroon}, WatcherLamp::red};
}

} // namespace

std::optional<WatcherStatus> statusOfState(int code) {
    switch (code) {
    case 2:
        return greenStatus(translate("TFormWatcher", "Selecting mission"));
    case 6:
        return greenStatus(translate("TFormWatcher", "Setting up"));
    case 9:
        return greenStatus(translate("TFormWatcher", "Debriefing"));
    case 13:
        return maroonStatus(translate("TFormWatcher", "Briefing"));
    case 14:
        return maroonStatus(translate("TFormWatcher", "Game in progress..."));
    case emptyServerState:
        return maroonStatus(translate("TFormWatcher", "Empty", "the server has no players"));
    default:
        return std::nullopt;
    }
}

WatcherStatus noReplyStatus() {
    return {{translate("TFormWatcher", "No reply from server"), WatcherColour::maroon},
            WatcherLamp::off};
}

WatcherStatus waitingStatus() {
    return maroonStatus(translate("TFormWatcher", "Waiting status..."));
}

std::string autoJoinStoppedText() {
    return translate("TFormWatcher", "Auto-join stopped: no reply from the server");
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
        return translate("TFormWatcher", "no reply", "the server's state");
    }
    switch (state.lastState) {
    case 2:
        return translate("TFormWatcher", "selecting mission", "the server's state");
    case 6:
        return translate("TFormWatcher", "setting up", "the server's state");
    case 9:
        return translate("TFormWatcher", "debriefing", "the server's state");
    case 13:
        return translate("TFormWatcher", "briefing", "the server's state");
    case 14:
        return translate("TFormWatcher", "in game", "the server's state");
    case emptyServerState:
        return translate("TFormWatcher", "empty", "the server's state");
    default:
        return translate("TFormWatcher", "waiting", "the server's state");
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

// "Ann", "Ann and Bob", "Ann, Bob and Cid", "Ann, Bob, Cid and Dan", "Ann, Bob, Cid and 2
// more": names sent by a server, as UTF-8. More than four are counted after the third.
std::string namesText(const std::vector<std::string>& names) {
    std::vector<std::string> n;
    for (size_t i = 0; i < names.size() && i < 4; ++i) {
        n.push_back(utf8OfLatin1(names[i]));
    }
    switch (names.size()) {
    case 0:
        return {};
    case 1:
        return n[0];
    case 2:
        return fillArgs(translate("TFormWatcher", "%1 and %2"), {n[0], n[1]});
    case 3:
        return fillArgs(translate("TFormWatcher", "%1, %2 and %3"), {n[0], n[1], n[2]});
    case 4:
        return fillArgs(translate("TFormWatcher", "%1, %2, %3 and %4"), {n[0], n[1], n[2], n[3]});
    default: {
        const int more = static_cast<int>(names.size()) - 3;
        return fillArgs(translate("TFormWatcher", "%1, %2, %3 and %n more", nullptr, more),
                        {n[0], n[1], n[2]});
    }
    }
}

} // namespace

std::string alertSummary(WatcherAlert alert, const std::string& server,
                         const std::vector<std::string>& friends) {
    // The count chooses the verb's form where a language has more than one ("joined" after one
    // name or several).
    const int count = static_cast<int>(friends.size());
    const std::string names = namesText(friends);
    switch (alert) {
    case WatcherAlert::newGame:
        return friends.empty() ? fillArgs(translate("TFormWatcher", "New game on %1"), {server})
                               : fillArgs(translate("TFormWatcher", "New game on %1; %2 joined",
                                                    nullptr, count),
                                          {server, names});
    case WatcherAlert::slotFree:
        return friends.empty()
                   ? fillArgs(translate("TFormWatcher", "A slot is free on %1"), {server})
                   : fillArgs(translate("TFormWatcher", "A slot is free on %1; %2 joined", nullptr,
                                        count),
                              {server, names});
    case WatcherAlert::playerJoined:
    case WatcherAlert::friendJoined:
        return friends.empty() ? fillArgs(translate("TFormWatcher", "A player joined %1"), {server})
                               : fillArgs(translate("TFormWatcher", "%1 joined %2", nullptr, count),
                                          {names, server});
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
            reading.mission = value.empty()
                                  ? WatcherText{translate("TFormWatcher", "None", "no mission"),
                                                WatcherColour::maroon}
                                  : WatcherText{utf8OfLatin1(value), WatcherColour::green};
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
        const std::string text = utf8OfLatin1(state.numPlayersText + "/" + state.maxPlayersText);
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
