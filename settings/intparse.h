#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vkr {

// The value of a digit in base 10 or 16 (either case), -1 for any other character.
int digitValue(char c, int base);

// Reads a 32-bit integer the way the registry subkey names and port texts are read: optional
// leading spaces, an optional sign, then decimal digits, or hexadecimal digits after "$", "0x"
// or "0X". Nothing may follow the digits. A value outside the 32-bit range is not an integer,
// except that hexadecimal texts of up to 8 digits wrap into the signed range.
std::optional<int32_t> tryParseInt(std::string_view text);

// As tryParseInt, raising EConvertError "'<text>' is not a valid integer value" on failure.
int32_t parseInt(std::string_view text);

} // namespace vkr
