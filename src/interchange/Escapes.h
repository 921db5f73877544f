#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace taskwell {

// Percent-encoding of the bytes that a value may not hold as they are: control characters,
// blanks, "%" and the characters in `alsoEscaped`. Other bytes, UTF-8 included, stay.
std::string PercentEncode(std::string_view text, std::string_view alsoEscaped = {});
void AppendPercentEncoded(std::string& out, std::string_view text,
                          std::string_view alsoEscaped = {});
// Nothing when a "%" is not followed by two hexadecimal digits.
std::optional<std::string> PercentDecode(std::string_view text);
// The same for a value that holds text: nothing also when the bytes decoded are not UTF-8.
std::optional<std::string> PercentDecodeText(std::string_view text);

// A control character other than the tab.
inline bool IsControlByte(unsigned char c) {
  return (c < 0x20 && c != '\t') || c == 0x7F;
}
// The text itself when it is UTF-8, else its Windows-1252 bytes converted into `converted`.
std::string_view AsUtf8(std::string_view text, std::string& converted);
// Whether the text holds a control character other than the tab.
bool HasControlCharacters(std::string_view text);
// Control characters (the tab aside) become blanks: what a format that has no room for them shows.
std::string ControlsAsBlanks(std::string_view text);

// A 64-bit FNV-1a hash: stable across runs and versions, so it may be stored by others.
std::uint64_t StableHash(std::string_view bytes, std::uint64_t seed = 0xcbf29ce484222325ULL);

}  // namespace taskwell
