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
  return std::string(Missing(text, width), ' ') + std::string(text);
}

std::string PadRightWith(std::string_view text, std::size_t width, char fill) {
  return std::string(text) + std::string(Missing(text, width), fill);
}

}  // namespace taskwell
