#include "document/Message.h"

namespace taskwell {

Message Message::Value(std::string text) {
  Message message(std::move(text));
  message.value_ = true;
  return message;
}

Message Message::Join(const std::vector<Message>& parts, std::string_view separator) {
  if (parts.empty()) return {};
  Message joined = parts.back();
  for (std::size_t i = parts.size() - 1; i > 0; --i) {
    joined = Format("%1%2%3", parts[i - 1], Value(std::string(separator)), joined);
  }
  return joined;
}

std::string Message::English() const {
  if (parts_.empty()) return template_;
  std::vector<std::string> filled;
  filled.reserve(parts_.size());
  for (const Message& part : parts_) filled.push_back(part.English());
  return FillPlaceholders<std::string, std::string_view>(template_, filled);
}

}  // namespace taskwell
