#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "document/Message.h"

namespace taskwell {

// A failure whose text is a message the window can show in the user's language; what() is the
// English text.
class MessageError : public std::runtime_error {
 public:
  explicit MessageError(Message message)
      : std::runtime_error(message.English()), message_(std::move(message)) {}
  const Message& Shown() const { return message_; }

 private:
  Message message_;
};

// A text that does not convert to the value a handler needs. Its message is what the user sees.
class EConvertError : public MessageError {
 public:
  using MessageError::MessageError;
};

// A file that could not be read or written; Code follows the classic run-time I/O codes
// (103: file not open, 101: disk write error).
class EInOutError : public MessageError {
 public:
  explicit EInOutError(int code);
  EInOutError(int code, const std::string& detail);
  int Code;

 protected:
  // A failure that says what went wrong in place of the bare code.
  EInOutError(Message message, int code) : MessageError(std::move(message)), Code(code) {}
};

inline constexpr int kFileNotOpen = 103;

// Stops a handler with a message of the program's own (its message dialog, with this caption)
// instead of the default error report; a refused cursor move stays refused.
class Refusal : public MessageError {
 public:
  Refusal(std::string caption, Message text)
      : MessageError(std::move(text)), caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }

 private:
  std::string caption_;
};

// "'<text>' is not a valid <what>" failures share one shape; what is a fixed text.
[[noreturn]] void ThrowNotValid(std::string_view text, const char* what);

// The text of the default error report: a full stop is added when the message's last character
// sorts after one.
std::string ErrorReportText(std::string_view message);
Message ErrorReport(const Message& message);

// What a failure says: its message, or its English text where it has none.
Message ShownText(const std::exception& failure);

}  // namespace taskwell
