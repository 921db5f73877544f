#include "document/Padding.h"

#include "document/Text.h"

namespace taskwell {
namespace {

std::size_t Missing(std::string_view text, std::size_t width) {
  const std::size_t count = CharCount(text);
  return count < width ? width - count : 0;
}

}  // namespace

std::string PadRight(std::string_view text, std::size_t width) {
  return PadRightWith(text, width, ' ');
}

std::string PadLeft(std::string_view text, std::size_t width) {
  std::string out;
  AppendPadLeft(out, text, width);
  return out;
}

std::string PadRightWith(std::string_view text, std::size_t width, char fill) {
  return std::string(text) + std::string(Missing(text, width), fill);
}

void AppendPadRight(std::string& out, std::string_view text, std::size_t width) {
  out.append(text).append(Missing(text, width), ' ');
}

void AppendPadLeft(std::string& out, std::string_view text, std::size_t width) {
  out.append(Missing(text, width), ' ').append(text);
}

}  // namespace taskwell
