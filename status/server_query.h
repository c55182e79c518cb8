#pragma once

#include "status/protocol.h"

#include <functional>

class TNMUDP;

namespace vkr {

// One server's step of a query pass: its send tick, the placeholder cells, its players reset,
// the endpoint pointed at its query port and the status request sent. The row then takes the
// replies from the address that request was sent to, and its send tick is the tick at which
// the request was handed to the socket; a request that could not be sent leaves the address
// 0.0.0.0, which no reply comes from. beforeLookup runs before the send, which can wait for a
// host look-up: the browser shows the row then. A port text that is not an integer raises
// EConvertError once the players are reset; nothing is sent then.
void queryServer(const ServerEntry& e, QueryRow& row, TNMUDP& udps,
                 const std::function<void()>& beforeLookup = {});

} // namespace vkr
