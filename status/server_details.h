#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vkr {

// A reply's keys and values as the server sent them: its datagrams in part order (a reply marked
// with "queryid" N.k; unmarked datagrams as they came), each datagram's backslash-separated
// tokens two by two, up to its first NUL. A key without a value has an empty one, and the text
// after the last backslash, when there is any, is a token too.
using ReplyPair = std::pair<std::string, std::string>;
std::vector<ReplyPair> replyPairs(const std::vector<std::string>& datagrams);

// A server's answers over its last passes (a refresh of the server alone is a pass too), oldest
// first: each pass's round trip, or no answer. The pass under way is open until its reply or its
// give-up, and counts for nothing until then.
class PingHistory {
public:
    static constexpr size_t capacity = 20;

    struct Pass {
        bool open = true;
        bool answered = false;
        std::optional<uint32_t> ping; // none while the reply's round trip is not known
    };
    struct Summary {
        std::optional<uint32_t> lowest, median, highest; // over the known round trips
        int answered = 0;
        int asked = 0; // the passes that are over
    };

    // A pass asks the server; while the last pass is still open, that one goes on.
    void begin();
    // The pass's reply came, with its round trip when known. A reply that comes after its pass
    // gave the server up still counts, and a round trip told later fills in the pass's.
    void answer(std::optional<uint32_t> ping);
    // The pass has had no reply.
    void giveUp();

    const std::deque<Pass>& passes() const { return passes_; }
    // The last pass's round trip, if it is known.
    std::optional<uint32_t> lastPing() const;
    Summary summary() const;

private:
    std::deque<Pass> passes_;
};

} // namespace vkr
