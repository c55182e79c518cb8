#pragma once

#include "status/protocol.h"

#include <functional>
#include <string>
#include <unordered_map>

class TNMUDP;

namespace vkr {

// One query pass over the server table: each server's step, in table order, and what the steps
// share.
class QueryPass {
public:
    // One server's step: its send tick, the placeholder cells, its players reset, the endpoint
    // pointed at its query port and the status request sent. The row then takes the replies
    // from the address that request was sent to, and its send tick is the tick at which the
    // request was handed to the socket; a request that could not be sent leaves the address
    // 0.0.0.0, which no reply comes from. A server that an earlier row of the pass has asked
    // already (the same address and query port) is not asked again: the row shares that
    // request, and its reply, which answers both rows, lists the players once in each.
    // beforeLookup runs before the send, which can wait for a host look-up: the browser shows
    // the row then. A port text that is not an integer raises EConvertError once the players
    // are reset; nothing is sent then.
    void query(const ServerEntry& e, QueryRow& row, TNMUDP& udps,
               const std::function<void()>& beforeLookup = {});

private:
    // The request of each destination (address:port) that this pass has sent.
    std::unordered_map<std::string, const ServerStatus*> sent_;
};

} // namespace vkr
