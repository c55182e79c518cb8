#pragma once

#include "net/address.h"
#include "status/protocol.h"

#include <string>
#include <unordered_map>
#include <vector>

class TNMUDP;

namespace vkr {

// One query pass over the server table: each server's step, in table order, and what the steps
// share.
class QueryPass {
public:
    // The host texts of servers that a send would look up: neither dotted addresses nor too
    // long to resolve, each once, as the endpoint reads them (up to a NUL).
    static std::vector<std::string> namesToLookUp(const ServerTable& servers);

    // A pass that sends through udps. names: the table's host names, looked up at the start
    // of the pass; a send to a name that is not among them looks it up itself.
    explicit QueryPass(TNMUDP& udps, HostAddresses names = {});

    // One server's step: its send tick, the placeholder cells, its players reset, the endpoint
    // pointed at its query port and the status request sent. The row then takes the replies
    // from the address that request was sent to, and its send tick is the tick at which the
    // request was handed to the socket; a request that could not be sent (a name that did not
    // resolve among them) leaves the address 0.0.0.0, which no reply comes from. A server that
    // an earlier row of the pass has asked already (the same address and query port) is not
    // asked again: the row shares that request, and its reply, which answers both rows, lists
    // the players once in each. A port text that is not an integer raises EConvertError once
    // the players are reset; nothing is sent then. The requests go to the socket a few dozen
    // at a time (see flush).
    void query(const ServerEntry& e, QueryRow& row);
    // Hands the requests not yet sent to the socket; their rows' send ticks become the tick of
    // that hand-over. The pass calls it itself every few dozen rows; the caller calls it after
    // the last row.
    void flush();

private:
    TNMUDP& udps_;
    HostAddresses names_;
    // The rows whose requests wait for the next flush.
    std::vector<ServerStatus*> held_;
    // The request of each destination (address:port) that this pass has sent.
    std::unordered_map<std::string, const ServerStatus*> sent_;
};

} // namespace vkr
