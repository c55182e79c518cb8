#pragma once

#include <cstdint>
#include <optional>
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
// A request without a reply is sent again once its wait has run out, up to maxRequests requests
// per pass; the wait is twice the longest round trip that the pass has seen, so that no server
// is asked again before the reply that the pass's slowest answer says could still come. After
// the last request's wait the server's rows have no reply. Datagrams count once per pass: the
// first one answers the server, later ones only as further parts of that reply (different
// datagrams that arrive with it), never a second time nor as another request's reply.
class QuerySchedule {
public:
    static constexpr int maxRequests = 4;
    // The wait before any reply has been seen (by this pass or the one before), and its bounds.
    static constexpr uint32_t firstWait = 1000;
    static constexpr uint32_t minWait = 250;
    static constexpr uint32_t maxWait = 2000;
    // A reply's datagrams are sent together: a different datagram from the server within this
    // time of the reply's first one is a further part of it; any later one is another reply.
    static constexpr uint32_t partWindow = 100;

    // What a row's ask means for the caller.
    enum class Ask {
        send,     // send the request now, then call sent()
        wait,     // the request is out already (this pass's, or the last pass's still waiting)
        answered, // the server has answered this pass: the row takes the reply another row took
        silent,   // the server has not answered this pass's last request: the row has no reply
    };

    // A new pass at now: the rows of the last one are forgotten. A server whose last request is
    // still within its wait stays asked: the row of the new pass that asks it waits for that
    // request's reply, so that the reply is never taken for the new pass's own request.
    void beginPass(uint32_t now);
    // A row of this pass asks the server at d.
    Ask ask(const Destination& d, uint32_t now);
    // The tick at which the request that ask() or due() just asked for was handed to the socket.
    void sent(const std::string& key, uint32_t tick);

    // A datagram from key, received at tick. When it counts as the server's reply, or as a part
    // of it, gives the tick of the request it answers (the ping is measured from there);
    // nothing for a datagram that answers no request of this pass, a duplicate and a second
    // reply.
    std::optional<uint32_t> received(const std::string& key, std::string_view datagram,
                                     uint32_t tick);

    struct Due {
        std::vector<Destination> resend; // ask these again now, then call sent() for each
        std::vector<Destination> silent; // their last request has had no reply: nor do their rows
    };
    // What is due at now. Called again and again while awaiting(); each thing is due once.
    Due due(uint32_t now);
    // The milliseconds from now until something is due; nothing when nothing will be.
    std::optional<uint32_t> untilDue(uint32_t now) const;

    // Whether a server asked in this pass has neither answered nor run out of requests.
    bool awaiting() const;
    // The rows asked in this pass, and those of them answered.
    int asked() const { return asked_; }
    int answered() const { return answered_; }
    // The wait after a request before its server is asked again.
    uint32_t wait() const;

private:
    struct Server {
        Destination destination;
        int rows = 0;                   // the rows of the pass that ask it
        std::vector<uint32_t> requests; // this pass's, the first perhaps the last pass's
        bool answered = false;
        bool silent = false;
        uint32_t firstReply = 0;   // when the first datagram of the reply was received
        uint32_t request = 0;      // the request that the reply answers
        std::vector<size_t> parts; // the reply's datagrams, by hash
    };

    // The request of s that a datagram received at tick answers; nothing when s sent none
    // before it.
    std::optional<uint32_t> answeredRequest(const Server& s, const std::string& key,
                                            uint32_t tick) const;

    std::unordered_map<std::string, Server> servers_;
    // The last pass's servers whose request was still within its wait when this pass began.
    std::unordered_map<std::string, Server> carried_;
    // Each server's last round trip, from earlier passes: of two requests that a reply can
    // answer, it tells which one it does.
    std::unordered_map<std::string, uint32_t> lastRoundTrip_;
    std::optional<uint32_t> longest_;         // this pass's longest round trip
    std::optional<uint32_t> previousLongest_; // the last pass's
    int asked_ = 0;
    int answered_ = 0;
};

} // namespace vkr
