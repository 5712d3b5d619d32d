#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tapmill {

// Reads a whole text as a signed 32-bit integer: leading blanks, an optional sign, then decimal
// digits or "0x"/"0X" and hexadecimal digits (up to 8, read as the 32 bits, so "0xFFFFFFFF" is -1).
// Nothing may follow the digits. A value outside 32 bits is no number.
std::optional<int32_t> parseInt32(const std::string& text);

// The lenient reading used for stored values: anything that is no number gives the default.
int32_t parseInt32Or(const std::string& text, int32_t fallback);

// The strict reading used for typed counts: throws Error "'<text>' is not a valid integer value".
int32_t parseInt32Strict(const std::string& text);

}  // namespace tapmill
