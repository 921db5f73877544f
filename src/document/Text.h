#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace taskwell {

// Removes all leading and trailing characters with codes 0 to 32.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// Only a to z become A to Z; every other byte stays as it is.
std::string UpperAscii(std::string_view text);

// The number of characters: UTF-8 code points when the text is valid UTF-8, else bytes.
std::size_t CharCount(std::string_view text);
bool IsValidUtf8(std::string_view text);

// Optional leading blanks, an optional sign, then decimal digits that fit 32 bits, or after
// "$", "x", "X", "0x" or "0X" up to eight hexadecimal digits. Nothing else, not even a trailing
// blank.
bool TryStrToInt(std::string_view text, std::int32_t& value);
// Throws EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
// A failure counts as 0.
std::int32_t StrToIntOrZero(std::string_view text);

}  // namespace taskwell
