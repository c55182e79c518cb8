#pragma once

#include "net/datagram_sender.h"
#include "settings/settings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vkr {

// The status request as it goes on the wire: "\info\\status\", 14 bytes, no terminating NUL.
inline constexpr std::string_view statusRequest{"\\info\\\\status\\", 14};

// Sends the status request to the endpoint's RemoteHost and RemotePort. Every failure of the
// send is dropped. Gives the tick at which the request was handed to the socket, or nothing when
// the send failed.
std::optional<uint32_t> SendStatusRequest(DatagramSender& udps) noexcept;

// 1 for a server of the sockets implementation, 2 for DirectPlay: query port minus game port.
constexpr int queryPortOffset(bool sockets) {
    return sockets ? 1 : 2;
}

// A server's query port: its game port text converted to an integer plus the offset. A port text
// that is not an integer raises EConvertError.
int32_t queryPort(const ServerEntry& e);

// The keys of a reply that a receiver can ask for. "player_" and "score" match by prefix.
// "queryid" and "final" mark the parts of a reply split over several datagrams.
enum class ReplyKey {
    gametype,
    numplayers,
    maxplayers,
    player,
    score,
    gstate,
    hostname,
    queryid,
    final
};

using ReplyKeySet = unsigned;
constexpr ReplyKeySet keyBit(ReplyKey key) {
    return 1u << static_cast<unsigned>(key);
}
inline constexpr ReplyKeySet browserKeys =
    keyBit(ReplyKey::gametype) | keyBit(ReplyKey::numplayers) | keyBit(ReplyKey::maxplayers) |
    keyBit(ReplyKey::player) | keyBit(ReplyKey::score);
inline constexpr ReplyKeySet watcherKeys = browserKeys | keyBit(ReplyKey::gstate);

using ReplyReceiver = std::function<void(ReplyKey key, std::string_view value)>;

// Cuts a reply into backslash-ended tokens (up to its first NUL; the text after the last
// backslash is never delivered). Every token is first delivered as the value of the armed key,
// if any, then tested against the keys: one of the receiver's keys arms it, anything else
// leaves no key armed.
void ScanReply(std::string_view reply, ReplyKeySet keys, const ReplyReceiver& receiver);

// The server's own name: the value of the reply's "hostname", nothing when it has none.
std::optional<std::string> replyHostname(std::string_view reply);

// Which reply a datagram belongs to, as its markers tell: "queryid" N.k makes it part k of
// reply N ("N" alone: part 1), and "final" its last part. A datagram without a queryid whose
// part is a number from 1 to maxPart is unmarked: id stays empty. With them, the players the
// datagram lists and the count its "numplayers" tells, if it is a number.
struct ReplyMarks {
    std::string id;
    int part = 0;
    bool final = false;
    int players = 0;
    std::optional<int32_t> numplayers;
};
ReplyMarks replyMarks(std::string_view datagram, int maxPart);

// The capacity shown for a "maxplayers" value: the value minus 2 as decimal text, or nothing
// when the value is not an integer (the caller then shows the capacity as unknown).
std::optional<std::string> capacityText(std::string_view maxplayers);

// The browser's query state of one server, kept between passes and never saved.
class ServerStatus {
public:
    // At most this many players are kept per pass; further names and their scores are dropped.
    static constexpr int playerCapacity = 1025;
    // The players' names and scores of one pass take at most this many bytes (two more per
    // player); further names are dropped like those past playerCapacity, and a score that does
    // not fit is left empty. No real server comes near it (its reply is a few datagrams of at
    // most 2048 bytes), and a hostile one cannot make a row hold more than about 36 KiB.
    static constexpr size_t playerBytesCapacity = 32 * 1024;

    std::string address;   // where the last pass's request went, "0.0.0.0" when it was not sent
    uint32_t sendTick = 0; // when the last pass's request went out
    int32_t playerCount = 0;

    // Player j's name and score; an empty text for a slot past the players. Slot 0 holds
    // "no players" while playerCount is 0.
    std::string playerName(int j) const { return std::string(playerNameView(j)); }
    // The same without a copy, valid until the players change.
    std::string_view playerNameView(int j) const;
    std::string playerScore(int j) const;

    // The start of a pass: no players, "no players" in slot 0 with an empty score. The memory
    // of a large player list is given back.
    void resetPlayers();
    // Appends a player, unless the table is full.
    void addPlayer(std::string_view name);
    // Sets the score of the player appended last; dropped when there is none or when that
    // player's name was dropped.
    void setScore(std::string_view score);

private:
    // Grows texts_ or starts_ to hold size more, never past the bound, so that the bound is
    // what is allocated.
    template <typename T> static void reserveFor(std::vector<T>& v, size_t size, size_t bound);

    // The names and scores one after the other, each ended by a NUL (a reply's values hold
    // none): name 0, score 0, name 1, score 1, ...
    std::vector<char> texts_;
    // Where name j (at 2j) and score j (at 2j + 1) start in texts_.
    std::vector<uint16_t> starts_;
    bool dropping_ = false; // a name was dropped: the scores that follow belong to no one
};

// The cells of a server's grid row that replies write, holding the pass's placeholders until
// a reply changes them.
struct StatusCells {
    std::string ping = "??";
    std::string players = " ";
    std::string mission = " ";
};

struct QueryRow {
    // The datagrams of a reply kept for its details take at most this many bytes; further
    // datagrams are dropped (a reply is a few datagrams of at most 2048 bytes).
    static constexpr size_t replyCapacity = 16 * 1024;

    ServerStatus status;
    StatusCells cells;
    std::vector<std::string> reply; // the reply's datagrams, as they came
};

// The browser's rows, one per slot of the server table and indexed like it.
class QueryRows {
public:
    static constexpr int capacity = ServerTable::capacity;

    QueryRow& operator[](int i) { return rows_[static_cast<size_t>(i)]; }
    const QueryRow& operator[](int i) const { return rows_[static_cast<size_t>(i)]; }

private:
    std::vector<QueryRow> rows_ = std::vector<QueryRow>(capacity);
};

// Whether a datagram from fromIP and port answers server row e, whose query state is status:
// the sender's address is the row's resolved address, and the port minus the row's offset, as
// decimal text, is the row's port text.
bool answers(const ServerEntry& e, const ServerStatus& status, std::string_view fromIP, int port);

// Whether a datagram received at receiveTick came after the row's request went out. One that
// came before answers an earlier pass (a slow server's late reply): the row's pass reset
// dropped that pass, so the datagram changes nothing in the row, neither its ping nor its
// players, which the reply to this pass brings.
bool receivedAfterSend(const ServerStatus& status, uint32_t receiveTick);

// The rows of a pass by the sender that can answer them (the address their request went to and
// the query port their port text gives), so that a datagram finds its rows without a look at
// every row of the table.
class RowsBySender {
public:
    void clear() { rows_.clear(); }
    // Row i, whose pass has just set status. A row whose request was not sent, or whose port
    // text is not an integer, is answered by no one and not kept; a row added again is kept
    // once.
    void add(int i, const ServerEntry& e, const ServerStatus& status);
    // The rows that a datagram from fromIP and port may answer, in table order.
    const std::vector<int>& rowsOf(std::string_view fromIP, int port) const;

private:
    std::unordered_map<std::string, std::vector<int>> rows_;
};

// Applies one datagram of a reply to a row that it answers: the ping (the reply's round trip,
// when known; else the cell is left as it is), players and mission cells and the row's players,
// and keeps the datagram (an empty one, which only tells the ping, is not kept).
void applyToRow(QueryRow& row, std::string_view reply, std::optional<uint32_t> ping);

// Applies one datagram, received at receiveTick, to every row of servers that it answers and
// that had sent its request by then: the ping, players and mission cells and the row's
// players. Gives the rows it answered.
std::vector<int> ApplyReply(const ServerTable& servers, QueryRows& rows, std::string_view fromIP,
                            int port, std::string_view reply, uint32_t receiveTick);
// The same, looking only at the rows that senders holds for the datagram's sender: the same
// rows as long as no row of the table has been edited since the pass that filled senders.
std::vector<int> ApplyReply(const ServerTable& servers, QueryRows& rows,
                            const RowsBySender& senders, std::string_view fromIP, int port,
                            std::string_view reply, uint32_t receiveTick);

} // namespace vkr
