#pragma once

#include <cstdint>
#include <string>

namespace vkr {

// Appends the UTF-8 bytes of one Unicode code point (at most U+10FFFF).
void appendUtf8(std::string& out, uint32_t codePoint);

} // namespace vkr
