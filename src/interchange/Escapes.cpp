#include "interchange/Escapes.h"

#include "document/Text.h"

namespace taskwell {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string PercentEncode(std::string_view text, std::string_view alsoEscaped) {
  std::string out;
  out.reserve(text.size());
  AppendPercentEncoded(out, text, alsoEscaped);
  return out;
}

void AppendPercentEncoded(std::string& out, std::string_view text, std::string_view alsoEscaped) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x20 || c == 0x7F || ch == '%' || alsoEscaped.find(ch) != std::string_view::npos) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
}

std::optional<std::string> PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::optional<std::string> PercentDecodeText(std::string_view text) {
  std::optional<std::string> decoded = PercentDecode(text);
  if (decoded && !IsValidUtf8(*decoded)) decoded.reset();
  return decoded;
}

std::string_view AsUtf8(std::string_view text, std::string& converted) {
  if (IsValidUtf8(text)) return text;
  converted = Cp1252ToUtf8(text);
  return converted;
}

bool HasControlCharacters(std::string_view text) {
  for (const char ch : text) {
    if (IsControlByte(static_cast<unsigned char>(ch))) return true;
  }
  return false;
}

std::string ControlsAsBlanks(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    if (IsControlByte(static_cast<unsigned char>(ch))) ch = ' ';
  }
  return out;
}

std::uint64_t StableHash(std::string_view bytes, std::uint64_t seed) {
  std::uint64_t hash = seed;
  for (const char ch : bytes) {
    hash ^= static_cast<unsigned char>(ch);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

}  // namespace taskwell
