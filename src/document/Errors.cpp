#include "document/Errors.h"

namespace taskwell {

EInOutError::EInOutError(int code)
    : MessageError(Message::Format("I/O error %1", code)), Code(code) {}

EInOutError::EInOutError(int code, const std::string& detail)
    : MessageError(Message::Format("I/O error %1%2", code, detail)), Code(code) {}

void ThrowNotValid(std::string_view text, const char* what) {
  throw EConvertError(Message::Format("'%1' is not a valid %2", text, Message(what)));
}

std::string ErrorReportText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace taskwell

namespace taskwell {

Message ErrorReport(const Message& message) {
  const std::string text = message.English();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
    return Message::Format("%1.", message);
  }
  return message;
}

Message ShownText(const std::exception& failure) {
  if (const auto* shown = dynamic_cast<const MessageError*>(&failure)) return shown->Shown();
  return Message(failure.what());
}

}  // namespace taskwell
