#pragma once

#include "status/protocol.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vkr {

// Friends are player names. A friend plays on a server when the server sends the name, with
// any case of its letters and any spaces around it: "  ann " in a reply is the friend "Ann".
// Friends are typed (UTF-8); servers send bytes, each byte one character (Latin-1).

// The form two names compare in: surrounding spaces dropped, letters in lower case (the
// letters of Latin-1), as UTF-8. A byte of text that is not UTF-8 counts as its Latin-1
// character.
std::string friendKey(std::string_view typedName);
// The same for a name as a server sends it.
std::string sentNameKey(std::string_view sentName);

// Adds a friend; false (and nothing added) when the name is empty once trimmed, or when it
// names a friend already. The name is kept without its surrounding spaces.
bool addFriend(std::vector<std::string>& friends, std::string_view name);
// Removes every friend that the name names; false when there was none.
bool removeFriend(std::vector<std::string>& friends, std::string_view name);
// Whether a name a server sent is one of the friends.
bool isFriend(const std::vector<std::string>& friends, std::string_view sentName);

// The friends, made ready for matching many names quickly.
class FriendSet {
public:
    FriendSet() = default;
    explicit FriendSet(const std::vector<std::string>& friends);

    bool empty() const { return keys_.empty(); }
    // Whether a name a server sent is one of the friends.
    bool contains(std::string_view sentName) const;
    // The players of a server's last pass who are friends, as the server sent their names, in
    // the order of arrival.
    std::vector<std::string> friendsIn(const ServerStatus& status) const;

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_set<std::string, Hash, std::equal_to<>> keys_;
    // The keys' hashes (FNV-1a) in a table of their own, open addressing, at most a quarter
    // full, 0 for a free slot: a name is told apart from every friend by its key's hash,
    // without its key made, unless the hash is a friend's.
    std::vector<uint64_t> hashes_;
    bool holds(uint64_t hash) const;
    mutable std::string scratch_; // the key being looked up; reused, so that a lookup allocates
                                  // nothing once it has grown to the longest name
};

// The players on a watched server from poll to poll, to tell when a friend joins: a friend
// listed by a poll who was not listed by the last answered poll before it. The first answered
// poll of a watch tells who is there already and alerts on no one. Every player is remembered,
// friend or not, so that a player who becomes a friend while there has not joined.
class FriendWatch {
public:
    // A poll starts. An unanswered poll changes nothing: the poll after it still compares
    // with the last answered one.
    void startPoll();
    // The players of the poll so far (its datagrams' rows, a name per row): the friends among
    // them who joined since the last answered poll, each once per poll, as the server sent
    // their names.
    std::vector<std::string> joined(const FriendSet& friends,
                                    const std::vector<std::string>& players);

private:
    std::unordered_set<std::string> before_; // the last answered poll's players, as keys
    std::unordered_set<std::string> now_;    // this poll's players so far
    bool known_ = false;                     // before_ holds an answered poll
    bool answered_ = false;                  // this poll has had a datagram
};

// The tooltip of a server row where friends play, as UTF-8: "Friends: Ann, Bob" (the names as
// the server sent them, Latin-1).
std::string friendsTooltip(const std::vector<std::string>& names);

} // namespace vkr
