#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace taskwell {

// A text that does not convert to the value a handler needs. Its message is what the user sees.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that could not be read or written; Code follows the classic run-time I/O codes
// (103: file not open, 101: disk write error).
class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int code);
  EInOutError(int code, const std::string& detail);
  int Code;
};

inline constexpr int kFileNotOpen = 103;

// Stops a handler with a message of the program's own (its message dialog, with this caption)
// instead of the default error report; a refused cursor move stays refused.
class Refusal : public std::runtime_error {
 public:
  Refusal(std::string caption, const std::string& text)
      : std::runtime_error(text), caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }

 private:
  std::string caption_;
};

// "'<text>' is not a valid <what>" failures share one shape.
[[noreturn]] void ThrowNotValid(std::string_view text, std::string_view what);

// The text of the default error report: a full stop is added when the message's last character
// sorts after one.
std::string ErrorReportText(std::string_view message);

}  // namespace taskwell
