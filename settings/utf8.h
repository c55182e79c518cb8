#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vkr {

// Appends the UTF-8 bytes of one Unicode code point (at most U+10FFFF).
void appendUtf8(std::string& out, uint32_t codePoint);

// Text of one character per byte (Latin-1, as servers send names), as UTF-8.
std::string utf8OfLatin1(std::string_view bytes);

} // namespace vkr
