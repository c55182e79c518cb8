#pragma once

#include "settings/settings.h"
#include "status/friends.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vkr {

// The two colours of the watcher's texts: green RGB (0, 128, 0) and maroon RGB (128, 0, 0).
enum class WatcherColour { green, maroon };

// A text of the watcher as UTF-8: the launcher's own words, or what a server sent (read as
// Latin-1, as the game writes it) made UTF-8.
struct WatcherText {
    std::string text;
    WatcherColour colour = WatcherColour::maroon;
    bool operator==(const WatcherText&) const = default;
};

// What the lamps show with a status: the blinking green lamp, the red lamp over it (with the
// maroon states), or the green lamp off (the server has stopped answering).
enum class WatcherLamp { blinking, red, off };

// The status line with its lamp.
struct WatcherStatus {
    WatcherText line;
    WatcherLamp lamp = WatcherLamp::red;
    bool operator==(const WatcherStatus&) const = default;
};

// One row of the player list: name and score.
struct PlayerRow {
    std::string name;
    std::string score;
    bool operator==(const PlayerRow&) const = default;
};

// The state code of an empty server: the watcher's own marker, never a gstate value.
inline constexpr int emptyServerState = 256;

// The status shown for a state code (2, 6, 9, 13, 14 or emptyServerState), nothing for any
// other code.
std::optional<WatcherStatus> statusOfState(int code);

// Shown once two polls in a row have had no reply: "No reply from server", the green lamp off.
WatcherStatus noReplyStatus();
// Shown by the first reply after that when the reply itself tells no state: "Waiting status...".
WatcherStatus waitingStatus();

enum class WatcherAlert {
    none,
    newGame,      // a game ended (state 13 or 14) and a new one is being set up (2, 6 or 9)
    playerJoined, // the empty server has a player and a game is being set up
    slotFree,     // the full server has a free slot again
    friendJoined, // a friend is listed who was not at the last answered poll
};

// Whether a server has room for one more player, as far as its replies tell.
enum class WatcherRoom { unknown, full, free };

// What the alert rule compares: the server as the watch knew it before a reply, and as the
// reply tells it (state -1 and room unknown where the reply does not say).
struct WatcherFacts {
    int state = 0;
    WatcherRoom room = WatcherRoom::unknown;
};

// The alert rule. Its rows, the first that matches wins:
//   newGame       before 13 or 14,        now 2, 6 or 9
//   playerJoined  before emptyServerState, now 2, 6 or 9
//   slotFree      before full,             now free
WatcherAlert alertRule(const WatcherFacts& before, const WatcherFacts& now);

// The summary of the desktop notification of a poll's alert, naming the server and the friends
// who joined (as the server sent their names): "New game on X", "Ann joined X", "Ann and Bob
// joined X", "Ann, Bob and Cid joined X", "Ann, Bob, Cid and 2 more joined X". The friends'
// join names the player of "A player joined X"; with a new game or a free slot it follows
// their text: "New game on X; Ann joined".
std::string alertSummary(WatcherAlert alert, const std::string& server,
                         const std::vector<std::string>& friends);

// What the watcher keeps between the datagrams of one watch.
struct WatcherState {
    // At most this many rows are listed between two polls; further players are dropped.
    static constexpr int rowCapacity = 1025;

    int lastState = 0; // the state code of the last reply that gave one; 0 when none yet
    // The room of the last reply that told both the count and the capacity.
    WatcherRoom room = WatcherRoom::unknown;
    // A slot came free on the full server and is free still.
    bool slotOpened = false;
    std::string numPlayersText = "?";
    std::string maxPlayersText = "?";
    // The player list: never empty; a single blank row when no player is listed.
    std::vector<PlayerRow> rows{1};
    // The datagrams read since the last request, by their hash: the network may deliver one
    // twice, and its second copy is passed over.
    std::set<size_t> datagramsRead;
    // Polls of this watch sent since the server last answered, counted up to two.
    int pollsUnanswered = 0;
    // "No reply from server" is shown; the next reply takes it back.
    bool silent = false;
    // The friends this poll looks for: the list as it was when the poll started.
    FriendSet friends;
    FriendWatch friendWatch;
    // What this poll has alerted on so far: its state alert, else friendJoined; and the friends
    // who joined, in the order the server listed them.
    WatcherAlert pollAlert = WatcherAlert::none;
    std::vector<std::string> pollFriends;

    // A poll starts, looking for friendList: the counts are unknown again and the player list is
    // emptied. When the two polls before it had no reply, the server counts as silent and the
    // no-reply status is given to show. A silence forgets nothing the alert rule compares with:
    // the state, room and players of the last answered poll stay, so that the reply ending the
    // silence alerts as it would have after no loss.
    std::optional<WatcherStatus> startPoll(const std::vector<std::string>& friendList);
    // A request goes out between polls: the counts are unknown again and the player list is
    // emptied, so that its reply replaces the list; the polls' count of silence is left alone.
    void startRequest();
    // The player list is emptied: one blank row.
    void clearRows();
    // The watch ends (the watcher closes): nothing of it carries over to the next.
    void endWatch();
    // Whether the server can be joined now, as its last answers tell: a game being set up with
    // room for one more, or a slot that came free on the full server.
    bool joinable() const;
    // Whether the server's answers tell that the moment of an alert has passed: the new game
    // is under way (or the server empty again), the slot taken again. A friend's join never
    // passes, nor anything while the server is silent.
    bool momentPassed(WatcherAlert alert) const;
};

// Auto-join's countdown. It follows the server's state, whatever alerted or when the box was
// ticked: while the box is ticked and the server joinable, it counts down seconds and then
// joins. A second without a reply pauses it; a silence as long as the countdown stops it.
class AutoJoin {
public:
    static constexpr int seconds = 5;
    // The server last answered this long ago at a tick: the request of the second before was
    // not answered, and the countdown waits.
    static constexpr int32_t pauseMs = 1500;

    enum class Step { idle, counting, paused, join, stopped };

    // The box is ticked or not, and state is the watch's as it now stands (after a reply, or
    // when the box is clicked): a countdown starts, goes on, or ends.
    void follow(bool ticked, const WatcherState& state);
    // A second has passed; the server last answered silentMs ago. join: the countdown ran out;
    // stopped: the server has been silent too long.
    Step tick(int32_t silentMs);
    // Ends a countdown (the watch ends).
    void cancel() { left_ = 0; }
    // Seconds left; 0 while no countdown runs.
    int left() const { return left_; }

private:
    int left_ = 0;
};

// What the watcher says when auto-join stops for a silent server.
std::string autoJoinStoppedText();

// The server's state in a word or two, as the watch knows it: "selecting mission", "setting up",
// "debriefing", "briefing", "in game", "empty", "no reply", or "waiting" before any state.
std::string stateWord(const WatcherState& state);

// What one datagram changes in the window: a label that is not given keeps what it shows.
struct WatcherReading {
    std::optional<WatcherStatus> status;
    std::optional<WatcherText> players;
    std::optional<WatcherText> mission;
    // What the datagram tells that is new: its state alert, else friendJoined when friends
    // joined; none when nothing. The poll's notification (pollAlert, pollFriends) then tells
    // all the poll has alerted on.
    WatcherAlert alert = WatcherAlert::none;
    // Whether the alert is the poll's first: only that one sounds and flashes, so that a poll
    // alerts once however many datagrams its reply takes and whatever they tell.
    bool firstOfPoll = false;
};

// Reads one datagram of the watched server into state (counts, rows, lastState, the poll's
// alerts) and gives what the window shows and whether to alert. The datagram ends a silence:
// its status is shown even when it tells none ("Waiting status..."). A "maxplayers" that is not
// a whole number leaves the capacity unknown ("?"); the rest of the reply is read. The player
// rows of a reply that spans several datagrams follow those of the datagrams before it; the
// friends among them who joined are told once per poll. A datagram read already since the last
// request (the network duplicated it) changes nothing.
WatcherReading readWatcherReply(std::string_view reply, WatcherState& state);

// The sound of an alert for the sound mode of settings.
struct WatcherSound {
    enum class Kind { none, builtIn, file } kind = Kind::none;
    std::string file; // exactly as stored (also "none"), for Kind::file
    bool operator==(const WatcherSound&) const = default;
};

WatcherSound alertSound(WatcherAlert alert, const LauncherSettings& settings);

} // namespace vkr
