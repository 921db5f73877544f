#include "document/Text.h"

#include <algorithm>

#include <array>
#include <cstdint>
#include <cstring>

#include "document/Errors.h"

namespace taskwell {
namespace {

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one; its code
// point goes to `code`.
std::size_t Utf8Sequence(std::string_view text, std::size_t i, std::uint32_t& code) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  code = lead;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (next & 0x3Fu);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) return 0;
  return length;
}

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0u | (code >> 6));
    text += static_cast<char>(0x80u | (code & 0x3Fu));
  } else {
    text += static_cast<char>(0xE0u | (code >> 12));
    text += static_cast<char>(0x80u | ((code >> 6) & 0x3Fu));
    text += static_cast<char>(0x80u | (code & 0x3Fu));
  }
}

// Bytes 0x80 to 0x9F of Windows-1252; the undefined ones keep their own number.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a code point, or -1 when it has none.
int Cp1252Byte(std::uint32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == code) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

std::string_view TrimView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Trim(std::string_view text) {
  return std::string(TrimView(text));
}

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

bool ContainsUpperAscii(std::string_view text, std::string_view upperNeedle) {
  return std::search(text.begin(), text.end(), upperNeedle.begin(), upperNeedle.end(),
                     [](char a, char b) { return UpperAscii(a) == b; }) != text.end();
}

std::string_view TrimBlanksView(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::size_t CountByte(std::string_view text, char byte) {
  // Blocks of a fixed length that a byte-wide counter holds: the compiler compares and adds a
  // vector register's worth of bytes at a time, where a count in a machine word cannot.
  constexpr std::size_t kBlock = 240;
  std::size_t count = 0;
  std::size_t i = 0;
  for (; i + kBlock <= text.size(); i += kBlock) {
    unsigned char inBlock = 0;
    for (std::size_t j = 0; j < kBlock; ++j)
      inBlock = static_cast<unsigned char>(inBlock + (text[i + j] == byte ? 1 : 0));
    count += inBlock;
  }
  for (; i < text.size(); ++i) count += text[i] == byte ? 1 : 0;
  return count;
}

bool ValidUtf8Run(std::string_view text, std::size_t& at, std::size_t limit) {
  std::uint32_t code = 0;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = at;
  while (i < limit) {
    // Plain ASCII, the most of any task file, 32 bytes at a time, then eight.
    std::uint64_t words[4] = {};
    if (i + sizeof words <= text.size()) {
      std::memcpy(words, text.data() + i, sizeof words);
      if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) == 0) {
        i += sizeof words;
        continue;
      }
    }
    std::uint64_t word = 0;
    if (i + sizeof word <= text.size()) {
      std::memcpy(&word, text.data() + i, sizeof word);
      if ((word & kHighBits) == 0) {
        i += sizeof word;
        continue;
      }
    }
    const std::size_t length = Utf8Sequence(text, i, code);
    if (length == 0) {
      at = i;
      return false;
    }
    i += length;
  }
  at = i;
  return true;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t at = 0;
  return ValidUtf8Run(text, at, text.size());
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(text, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80u] : byte);
  }
  return text;
}

bool TryUtf8ToCp1252(std::string_view utf8, std::string& bytes) {
  bytes.clear();
  bytes.reserve(utf8.size());
  std::uint32_t code = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length = Utf8Sequence(utf8, i, code);
    const int byte = length == 0 ? -1 : Cp1252Byte(code);
    if (byte < 0) return false;
    bytes += static_cast<char>(byte);
    i += length;
  }
  return true;
}

std::string CharsMissingFromCp1252(std::string_view utf8) {
  std::string missing;
  std::uint32_t code = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = Utf8Sequence(utf8, i, code);
    if (length == 0) length = 1;  // not UTF-8 at all: nothing to name
    const std::string_view character = utf8.substr(i, length);
    if (length > 1 && Cp1252Byte(code) < 0 && missing.find(character) == std::string::npos) {
      missing += character;
    }
    i += length;
  }
  return missing;
}

std::size_t CharCount(std::string_view text) {
  if (!IsValidUtf8(text)) return text.size();
  std::size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++count;
  }
  return count;
}

bool TryStrToInt(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return false;
  std::int64_t magnitude = 0;
  if (hex) {
    if (text.size() - i > 8) return false;
    for (; i < text.size(); ++i) {
      const int digit = HexDigit(text[i]);
      if (digit < 0) return false;
      magnitude = magnitude * 16 + digit;
    }
    // Eight hex digits cover the whole 32-bit pattern, as in $FFFFFFFF = -1.
    auto bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    value = static_cast<std::int32_t>(bits);
    return true;
  }
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 2147483648LL) return false;
  }
  if (!negative && magnitude > 2147483647LL) return false;
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

std::int32_t StrToInt(std::string_view text) {
  std::int32_t value = 0;
  if (!TryStrToInt(text, value)) ThrowNotValid(text, "integer value");
  return value;
}

std::int32_t StrToIntOrZero(std::string_view text) {
  std::int32_t value = 0;
  return TryStrToInt(text, value) ? value : 0;
}

}  // namespace taskwell
