#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace taskwell {

// A text the user sees, kept as its English template and the parts that fill its %1 ... %9, so
// that the window can show it in the user's language while the core stays English. A part is a
// value (a file name, a number, what the user typed), shown as it is, or a message of its own,
// translated too.
class Message {
 public:
  Message() = default;
  // A fixed English text, translated as a whole. Implicit: every plain text is one.
  Message(std::string text) : template_(std::move(text)) {}  // NOLINT(google-explicit-constructor)
  Message(const char* text) : template_(text) {}             // NOLINT(google-explicit-constructor)

  // A value, never translated.
  static Message Value(std::string text);

  template <typename... Parts>
  static Message Format(std::string pattern, const Parts&... parts) {
    Message message(std::move(pattern));
    (message.parts_.push_back(Part(parts)), ...);
    return message;
  }

  // Fixed texts and formatted messages joined by a separator value, e.g. ", ".
  static Message Join(const std::vector<Message>& parts, std::string_view separator);

  const std::string& Template() const { return template_; }
  const std::vector<Message>& Parts() const { return parts_; }
  bool IsValue() const { return value_; }
  bool Empty() const { return template_.empty() && parts_.empty(); }
  // What the English program says: the template filled with its parts.
  std::string English() const;
  // Messages compare by what they say in English.
  friend bool operator==(const Message& one, const Message& other) {
    return one.English() == other.English();
  }

 private:
  static Message Part(const Message& part) { return part; }
  static Message Part(const std::string& text) { return Value(text); }
  static Message Part(std::string_view text) { return Value(std::string(text)); }
  static Message Part(const char* text) { return Value(text); }
  template <typename Number, typename = std::enable_if_t<std::is_arithmetic_v<Number>>>
  static Message Part(Number number) {
    return Value(std::to_string(number));
  }

  std::string template_;
  std::vector<Message> parts_;
  bool value_ = false;
};

// Replaces each %1 ... %9 of the pattern in one pass, so a part that itself holds "%2" stays as
// it is; a placeholder without a part is kept.
// Text is std::string or QString, View its view; the parts are in the same form.
template <typename Text, typename View>
Text FillPlaceholders(View pattern, const std::vector<Text>& parts) {
  const auto code = [](auto c) -> int {
    if constexpr (std::is_same_v<decltype(c), char>) {
      return static_cast<unsigned char>(c);
    } else {
      return c.unicode();
    }
  };
  Text filled;
  const auto size = static_cast<std::size_t>(pattern.size());
  for (std::size_t i = 0; i < size; ++i) {
    const auto at = static_cast<decltype(pattern.size())>(i);
    const int next = i + 1 < size ? code(pattern[at + 1]) : 0;
    if (code(pattern[at]) == '%' && next >= '1' && next <= '9') {
      const auto index = static_cast<std::size_t>(next - '1');
      if (index < parts.size()) {
        filled += parts[index];
        ++i;
        continue;
      }
    }
    filled += pattern[at];
  }
  return filled;
}

}  // namespace taskwell
