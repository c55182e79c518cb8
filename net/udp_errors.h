#pragma once

#include "settings/errors.h"

namespace vkr {

// A failure of the UDP endpoint's socket or of a host look-up inside a send ("Host Lookup
// Canceled", "Null Remote Address", "Unknown Error No. <n>").
class UDPSockError : public Exception {
public:
    using Exception::Exception;
};

} // namespace vkr
