#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace taskwell {

// Removes all leading and trailing characters with codes 0 to 32.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);
// Removes leading and trailing blanks (spaces and tabs) only: other control characters are content.
std::string_view TrimBlanksView(std::string_view text);

// Only a to z become A to Z; every other byte stays as it is.
std::string UpperAscii(std::string_view text);
char UpperAscii(char c);
// Whether text contains upperNeedle once a to z in text are read as A to Z.
bool ContainsUpperAscii(std::string_view text, std::string_view upperNeedle);

// The number of characters: UTF-8 code points when the text is valid UTF-8, else bytes.
std::size_t CharCount(std::string_view text);
bool IsValidUtf8(std::string_view text);
// Goes over the UTF-8 characters that start in text[at, limit), moving `at` past them: false,
// with `at` on it, at the first that is not one. `at` may end up past `limit`, never past the text.
bool ValidUtf8Run(std::string_view text, std::size_t& at, std::size_t limit);
// How many bytes of `text` are `byte`: a file's lines, counted at memory speed.
std::size_t CountByte(std::string_view text, char byte);
// Up to eight bytes as a word, the first in the lowest byte and zeros past the last, from reads
// that stay within them. Words are loaded low byte first: the program is built little-endian only.
inline std::uint64_t LowBytes(const char* bytes, std::size_t size) {
  static_assert(std::endian::native == std::endian::little, "bytes are loaded low byte first");
  if (size >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  if (size >= 4) {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::memcpy(&first, bytes, sizeof first);
    std::memcpy(&last, bytes + size - 4, sizeof last);
    return first | (std::uint64_t{last} << (8 * (size - 4)));
  }
  if (size == 0) return 0;
  const auto byte = [&](std::size_t i) {
    return std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  };
  return byte(0) | byte(size / 2) | byte(size - 1);
}
// The UTF-8 byte-order mark that some programs put before a file's text.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The text after its byte-order mark, or the text itself when it has none.
inline std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

// Windows-1252, the code page of old single-byte task files. Its five undefined bytes (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 controls of the same number, so any byte string survives the
// trip to UTF-8 and back.
std::string Cp1252ToUtf8(std::string_view bytes);
// False when the text is not valid UTF-8 or holds a character that Windows-1252 lacks.
bool TryUtf8ToCp1252(std::string_view utf8, std::string& bytes);
// The characters of a UTF-8 text that Windows-1252 lacks, each once, in the order they appear.
std::string CharsMissingFromCp1252(std::string_view utf8);

// Optional leading blanks, an optional sign, then decimal digits that fit 32 bits, or after
// "$", "x", "X", "0x" or "0X" up to eight hexadecimal digits. Nothing else, not even a trailing
// blank.
bool TryStrToInt(std::string_view text, std::int32_t& value);
// Throws EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
// A failure counts as 0.
std::int32_t StrToIntOrZero(std::string_view text);

}  // namespace taskwell
