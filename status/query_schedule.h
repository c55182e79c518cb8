#pragma once

#include <cstdint>
#include <optional>
#include <queue>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vkr {

// Where a pass's request to a server goes: the address it was sent to and the query port. The
// server's replies come from there.
struct Destination {
    std::string address;
    int64_t port = 0;

    // The same text for a destination and for the sender of its replies: "address:port".
    std::string key() const;
};

// When a query pass asks its servers, when it asks them again, and which datagrams count as
// their replies. A server that several rows ask is asked once for all of them.
//
// Each server is timed from its own round trips, as TCP times its retransmissions: a smoothed
// round trip and its variation over the samples that are certain give its wait (firstWait for a
// server never measured); each request without a reply doubles it, up to maxRequests requests a
// pass. After the last request's wait the server's rows have no reply; a reply that comes later,
// while a request can still be answered, fills them.
//
// A reply's round trip is a sample only when one request can be what it answers. When several
// can, the server's smoothed round trip tells which one it does, if it tells that plainly; else,
// while a request of an earlier pass can still be answered, the reply is taken for that one's.
// The shown ping is the told request's, else the server's last certain round trip when one of
// the requests fits it, else none (never measured, or a path that has changed), and the reply
// gives no sample; the server's wait is doubled, as long as the
// one that found the reply at least, until a certain sample comes. A never-measured server's
// reply is told later by a second reply of the same pass, the answer to another of its
// requests (the server is asked once more for it, and again after a wait without that reply,
// while it has a request left): when the
// pairs of requests that fit the two replies with one round trip all give the first reply the
// same request, its round trip is certain.
// A reply that answers a request of an earlier pass is not the new pass's.
//
// A reply is the datagrams that carry one "queryid" N (parts N.1, N.2, ...) up to the part with
// the "final" key, in any order, each at most partGap after the one before; the datagrams of
// another queryid are another reply, and only the pass's first reply counts. A server that marks
// its replies with neither key sends its reply's datagrams together: a different datagram within
// partWindow of the first is a further part, as long as the players listed stay within the
// count the reply tells and the parts within maxParts (a flood of datagrams lists no more).
// Every datagram counts once at most.
class QuerySchedule {
public:
    static constexpr int maxRequests = 4;
    // A server's first wait of a pass: before it has ever been measured, and its bounds after.
    // A doubled wait stops growing at maxDoubled (the longest wait between qstat's requests), or
    // at the server's first wait when that is longer. After the last request the server waits
    // half its first wait, or its smoothed round trip and the margin when that is longer: a
    // server that does not answer is given up within seconds (never measured: asked at 0, 1,
    // 2.5 and 4 s, given up at 4.5 s).
    static constexpr uint32_t firstWait = 1000;
    static constexpr uint32_t minWait = 250;
    static constexpr uint32_t maxWait = 4000;
    static constexpr uint32_t maxDoubled = 1500;
    // The least margin over a server's smoothed round trip: how late the timers fire on a
    // loaded machine.
    static constexpr uint32_t margin = 50;
    // How long after its send a request may still be answered.
    static constexpr uint32_t reach = maxWait;
    static constexpr uint32_t partWindow = 100;
    static constexpr uint32_t partGap = 1000;
    // A reply has at most this many parts: higher part numbers are no part of a marked one, and
    // an unmarked one takes no more datagrams.
    static constexpr int maxParts = 32;

    // What a row's ask means for the caller.
    enum class Ask {
        send,     // send the request now, then call sent()
        wait,     // the request is out already (this pass's, or the last pass's still waiting)
        answered, // the server has answered this pass: the row takes the reply another row took
        silent,   // the server has not answered this pass's last request: the row has no reply
    };

    // A new pass at now: the rows of the last one are forgotten. A server whose last request is
    // still within its wait stays asked: the row of the new pass that asks it waits for that
    // request's reply. The last pass's other requests without a reply are the server's earlier
    // ones: a reply that answers one of them never counts for the new pass.
    void beginPass(uint32_t now);
    // A row of this pass asks the server at d.
    Ask ask(const Destination& d, uint32_t now);
    // The server at d is asked by itself, through the same waits and retries as in a pass, and
    // its reply is the one that counts from now on. The pass's counts stay as they are: its
    // rows have had their answer or their give-up. A server that the pass still awaits is
    // asked already (wait), as is one whose request of the last pass is still waiting.
    Ask askOne(const Destination& d, uint32_t now);
    // The tick at which the request that ask() or due() just asked for was handed to the socket.
    void sent(const std::string& key, uint32_t tick);

    // What a datagram is to the pass.
    struct Heard {
        // A datagram of the server's reply of this pass: its rows take it.
        bool counts = false;
        // The reply's round trip as the rows show it (the same for every part); nothing while
        // no request is known to be the one the reply answers. With counts false: the round
        // trip of the pass's reply, come to be known through this datagram.
        std::optional<uint32_t> ping;
    };
    // A datagram from key, received at tick: a part of the server's reply of this pass, or
    // nothing to its rows (a datagram that answers no request of this pass, a duplicate, a
    // second reply), except when a second reply tells which request the first answered.
    Heard received(const std::string& key, std::string_view datagram, uint32_t tick);

    struct Due {
        std::vector<Destination> resend; // ask these again now, then call sent() for each
        std::vector<Destination> silent; // their last request has had no reply: nor do their rows
    };
    // What is due at now. Called again and again while awaiting(); each thing is due once.
    Due due(uint32_t now);
    // The milliseconds from now until something is due; nothing when nothing will be.
    std::optional<uint32_t> untilDue(uint32_t now) const;

    // Whether a server asked in this pass has neither answered nor run out of requests.
    bool awaiting() const { return awaiting_ > 0; }
    // The rows asked in this pass, and those of them answered.
    int asked() const { return asked_; }
    int answered() const { return answered_; }
    // The wait after the first request of a pass to the server at key before it is asked again.
    uint32_t wait(const std::string& key) const;

private:
    // What is known of a server from pass to pass.
    struct History {
        std::optional<double> smoothed; // the smoothed round trip of the certain samples
        double variation = 0;           // and its variation
        uint32_t wait = firstWait;      // the first wait of its next pass
        std::optional<uint32_t> lastCertain;
        std::vector<uint32_t> earlier; // earlier passes' requests without a reply, within reach
    };
    // The reply of this pass, as it has come so far.
    struct Reply {
        std::optional<uint32_t> ping;
        uint32_t first = 0; // when its first datagram came
        uint32_t last = 0;  // and its latest part
        std::string id;     // its queryid N; empty when the server marks none
        std::vector<int> parts;
        int finalPart = 0;           // the part that carries "final"; 0 until it came
        std::vector<size_t> hashes;  // an unmarked reply's datagrams
        int players = 0;             // and the players they list
        std::optional<int32_t> told; // the player count it tells
    };
    struct Server {
        Destination destination;
        int rows = 0;                            // the rows of the pass that ask it
        std::vector<uint32_t> requests;          // this pass's, the first perhaps the last pass's
        std::optional<uint32_t> answeredRequest; // the request the reply is known to answer
        // While nothing tells which request the reply answers: the ones it may answer.
        std::vector<uint32_t> unsettled;
        std::optional<uint32_t> probeAt; // when to ask once more, for a reply that tells it
        std::optional<uint32_t> dueAt;   // its next resend, probe or give-up, as timed
        bool answered = false;
        bool silent = false;
        Reply reply;
    };

    // A server's next due time, kept in a queue ordered from the pass's start so that a
    // wake-up or a reply costs a look at the earliest rather than a walk over every server.
    // An entry whose server has since been timed otherwise is stale and skipped.
    struct Timer {
        uint32_t at;
        std::string key;
    };
    struct Later {
        uint32_t base;
        bool operator()(const Timer& a, const Timer& b) const;
    };
    using Timers = std::priority_queue<Timer, std::vector<Timer>, Later>;

    // The requests of s that a reply may still answer become the server's earlier ones (a reply
    // to them never counts again), except waiting, which a new pass goes on waiting for.
    void retire(const std::string& key, const Server& s, uint32_t now,
                std::optional<uint32_t> waiting);
    // The wait after the last request of s that has been sent.
    uint32_t waitAfter(const std::string& key, const Server& s) const;
    // When s is next due: its probe, or the end of its last request's wait while it awaits.
    std::optional<uint32_t> nextDue(const std::string& key, const Server& s) const;
    // Queues s at its next due time, when that has changed.
    void retime(const std::string& key, Server& s);
    // Drops stale entries from the front of the queue: its top is then a server's due time.
    void dropStale();
    static bool awaits(const Server& s) { return !s.answered && !s.silent; }
    // Whether s has been asked once more for a reply that tells its first one's round trip, and
    // may be asked again when that reply does not come.
    static bool probing(const Server& s) {
        return s.answered && !s.unsettled.empty() && !s.probeAt &&
               static_cast<int>(s.requests.size()) < maxRequests;
    }
    // The first datagram of s's reply: gives its ping, or nothing when it is not this pass's.
    Heard firstOfReply(const std::string& key, Server& s, std::string_view datagram, uint32_t tick);
    // A further datagram once s has answered.
    Heard furtherPart(Server& s, std::string_view datagram, uint32_t tick);
    // Another reply of s, at tick, while its first one's request is unsettled: the round trip
    // of the first, when exactly one pair of requests fits the two replies with one round trip.
    std::optional<uint32_t> settle(const std::string& key, Server& s, uint32_t tick);
    void sample(History& h, uint32_t roundTrip);

    std::unordered_map<std::string, Server> servers_;
    // The last pass's servers whose request was still within its wait when this pass began.
    std::unordered_map<std::string, Server> carried_;
    std::unordered_map<std::string, History> history_;
    Timers timers_{Later{0}};
    int awaiting_ = 0; // the servers of this pass that awaits() holds for
    int asked_ = 0;
    int answered_ = 0;
};

} // namespace vkr
