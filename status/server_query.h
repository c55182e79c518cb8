#pragma once

#include "net/address.h"
#include "status/protocol.h"
#include "status/query_schedule.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class QTimer;
class TNMUDP;

namespace vkr {

// The requests of the browser's query passes, sent through its endpoint as a QuerySchedule
// says: each row's first request, and the requests sent again. They go to the socket a few
// dozen at a time (see flush).
class QueryPass {
public:
    QueryPass(TNMUDP& udps, QuerySchedule& schedule);

    // Whether a host text needs a look-up before a request can go to it: neither a dotted
    // address nor too long to resolve, read as the endpoint reads it (up to a NUL).
    static bool needsLookUp(const std::string& host);

    // Where the request of a row of server e goes once its host is at address.
    static Destination destination(const ServerEntry& e, const std::string& address);

    // A row's start of a pass: the placeholder cells, its players reset, and no address, so
    // that no datagram is taken for it until its request has gone out. A port text that is not
    // an integer then raises EConvertError.
    static void reset(const ServerEntry& e, QueryRow& row);

    // A row's request to server e, once its host's address is known: looked is what the
    // look-up of a host name gave (0.0.0.0: it did not resolve), unused for a dotted address.
    // The row takes the replies from the address the request goes to. A host that does not
    // resolve, or the address 0.0.0.0, is left to the endpoint, which reports it; the row is
    // then not asked and nothing is given. Otherwise gives what the schedule said, and sends
    // the request when it said so (a server that an earlier row asked is not asked again). A
    // port text that is not an integer raises EConvertError. A server asked alone, outside a
    // pass, is asked anew even when the last pass had its answer.
    std::optional<QuerySchedule::Ask> query(const ServerEntry& e, QueryRow& row,
                                            IPv4Bytes looked = {}, bool alone = false);
    // Asks the server at d again.
    void resend(const Destination& d);
    // Hands the requests not yet sent to the socket, and tells the schedule (and their rows'
    // send ticks) when. The pass does so itself every few dozen requests; the caller does
    // after the last.
    void flush();

private:
    void send(const Destination& d, ServerStatus* status);

    TNMUDP& udps_;
    QuerySchedule& schedule_;
    // The requests waiting for the next flush: the server's key, and the row that asked first.
    std::vector<std::pair<std::string, ServerStatus*>> held_;
};

// Starts timer for when the schedule has something due next, or stops it when nothing will be.
void timeNextDue(QTimer& timer, const QuerySchedule& schedule);

} // namespace vkr
