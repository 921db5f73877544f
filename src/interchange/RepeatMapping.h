#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/DateText.h"

namespace taskwell {

// A description cut at its repeat header, ":header rest", as views into it. A description that
// does not start with ":" or has no blank has no header, and Rest is all of it.
struct RepeatParts {
  bool HasHeader = false;
  std::string_view Header;  // as typed, without the leading ":"
  std::string_view Rest;

  static RepeatParts Of(std::string_view description);
};

// The translation of repeat headers to and from the recurrence rules of iCalendar (RRULE values)
// and todo.txt (rec: values). Where no rule says the same, the header travels on its own.
class RepeatMapping {
 public:
  // The RRULE value, or empty when iCalendar cannot say what the header says.
  static std::string RuleOf(std::string_view header, const DateFormat& dates);
  // The header for an RRULE value; nothing when no repeat word says the same. `due` (0 for none)
  // lets a weekly rule name the due date's own weekday.
  static std::optional<std::string> HeaderOfRule(std::string_view rule, double due,
                                                 const DateFormat& dates);
  // The same rule in one spelling: parts in a fixed order, defaults left out.
  static std::string CanonicalRule(std::string_view rule);

  // The rec: value ("+1w"), or empty when the header's word has none or the header says more.
  static std::string RecOf(std::string_view header);
  // The header for a rec: value; nothing when no repeat word says the same.
  static std::optional<std::string> HeaderOfRec(std::string_view rec);

  // The special increment's day offset as a whole number, when the header has one.
  static std::optional<int> DayOffsetOf(std::string_view header);
};

}  // namespace taskwell
