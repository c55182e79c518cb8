// Any typed text either gives an error, or a host without spaces or colons and a port from 1
// to 65535 that read back the same when written as "host:port". Adding the text to a server
// table adds one row the first time and finds that row the second time.
#include "status/typed_address.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const vkr::TypedAddress a = vkr::parseTypedAddress(text);
    vkr::ServerTable table;
    int32_t next = 1;
    const vkr::IdSource draw = [&] { return next++; };
    const vkr::TypedServer first = vkr::addTypedServer(table, text, draw);
    if (!a.error.empty()) {
        if (first.row != -1 || first.added || first.error.empty() || table.count() != 0) {
            std::abort();
        }
        return 0;
    }
    if (a.host.empty() || a.host.find_first_of(" :\t") != std::string::npos || a.port < 1 ||
        a.port > 65535) {
        std::abort();
    }
    const vkr::TypedAddress again = vkr::parseTypedAddress(a.host + ":" + std::to_string(a.port));
    if (!again.error.empty() || again.host != a.host || again.port != a.port) {
        std::abort();
    }
    const vkr::TypedServer second = vkr::addTypedServer(table, text, draw);
    if (!first.added || first.row != 0 || second.added || second.row != 0 || table.count() != 1 ||
        table[0].ip != a.host || table[0].port != std::to_string(a.port)) {
        std::abort();
    }
    return 0;
}
