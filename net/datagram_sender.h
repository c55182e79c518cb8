#pragma once

#include <cstdint>
#include <string>

namespace vkr {

// What the status request needs of a UDP endpoint: sending the first n bytes of a buffer to the
// endpoint's current destination, and the tick at which the last datagram was handed to the
// socket.
class DatagramSender {
public:
    virtual void SendDatagram(const std::string& buff, int n) = 0;
    virtual uint32_t LastSendTick() const = 0;

protected:
    ~DatagramSender() = default;
};

} // namespace vkr
