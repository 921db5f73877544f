#pragma once

#include <cstdint>
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
// How many bytes of `text` are `byte`: a file's lines, counted at memory speed.
std::size_t CountByte(std::string_view text, char byte);
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
