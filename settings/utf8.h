#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vkr {

// Appends the UTF-8 bytes of one Unicode code point (at most U+10FFFF).
void appendUtf8(std::string& out, uint32_t codePoint);

// Whether the bytes are UTF-8 throughout (shortest forms, no surrogates, at most U+10FFFF).
bool isUtf8(std::string_view bytes);

// The text as UTF-8 for showing: itself when it is UTF-8, otherwise each byte its Latin-1
// character, so that every byte shows as something readable.
std::string readableUtf8(std::string_view bytes);

// Text of one character per byte (Latin-1, as servers send names), as UTF-8.
std::string utf8OfLatin1(std::string_view bytes);

} // namespace vkr
