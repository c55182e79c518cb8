#pragma once

#include "status/protocol.h"

#include <functional>

class TClientSocket;
class TNMUDP;

namespace vkr {

// One server's step of a query pass: its send tick, its host looked up into its address, the
// placeholder cells, its players reset, the endpoint pointed at its query port and the status
// request sent. The send tick ends as the tick at which the request was handed to the socket.
// beforeLookup runs right before the look-up, which can block: the browser shows the row then.
// A port text that is not an integer raises EConvertError once the address is set and the
// players are reset; nothing is sent then.
void queryServer(const ServerEntry& e, QueryRow& row, TClientSocket& lookup, TNMUDP& udps,
                 const std::function<void()>& beforeLookup = {});

} // namespace vkr
