#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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

// Stops a handler after it has told the user why itself: the guard reports nothing more, and a
// refused cursor move stays refused.
class AlreadyReported : public std::runtime_error {
 public:
  AlreadyReported() : std::runtime_error("already reported") {}
};

// "'<text>' is not a valid <what>" failures share one shape.
[[noreturn]] void ThrowNotValid(std::string_view text, std::string_view what);

// The text of the default error report: a full stop is added when the message's last character
// sorts after one.
std::string ErrorReportText(std::string_view message);

}  // namespace taskwell
