#include "net/address.h"

namespace vkr {

std::string addressText(const IPv4Bytes& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += '.';
        }
        text += std::to_string(bytes[i]);
    }
    return text;
}

} // namespace vkr
