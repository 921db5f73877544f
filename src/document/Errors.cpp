#include "document/Errors.h"

namespace taskwell {

EInOutError::EInOutError(int code)
    : std::runtime_error("I/O error " + std::to_string(code)), Code(code) {}

EInOutError::EInOutError(int code, const std::string& detail)
    : std::runtime_error("I/O error " + std::to_string(code) + detail), Code(code) {}

void ThrowNotValid(std::string_view text, std::string_view what) {
  throw EConvertError("'" + std::string(text) + "' is not a valid " + std::string(what));
}

std::string ErrorReportText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace taskwell
