#include "dates/DateEntry.h"

#include <algorithm>
#include <cstdint>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/Text.h"

namespace taskwell {
namespace {

// Typed day numbers must fit an unsigned 16-bit day before they are looked at.
constexpr std::int32_t kMaxDayNumber = 65535;

bool IsDayInRange(std::int32_t day) {
  return day >= 0 && day <= kMaxDayNumber;
}

void CheckDayRange(std::int32_t day) {
  if (!IsDayInRange(day)) throw EConvertError("Range check error");
}

// The first `count` characters: UTF-8 code points when the text is UTF-8, else bytes, so a
// regional month name such as "Mär" counts as three characters.
std::string_view FirstChars(std::string_view text, std::size_t count) {
  if (!IsValidUtf8(text)) return text.substr(0, count);
  std::size_t end = 0;
  for (std::size_t seen = 0; end < text.size(); ++end) {
    const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0u) != 0x80u;
    if (starts && seen++ == count) break;
  }
  return text.substr(0, end);
}

// Text form of Copy(text, from, count) with a 1-based `from`; 0 counts as 1.
std::string_view Copy(std::string_view text, std::size_t from, std::size_t count) {
  const std::size_t start = from == 0 ? 0 : from - 1;
  return start < text.size() ? text.substr(start, count) : std::string_view();
}

struct Completion {
  int Year;
  int Month;
};

// A month and a day in the short-date form, e.g. "7/4": a month before the current one means
// next year.
double MonthAndDay(std::string_view text, Completion now, const DateFormat& dates) {
  const auto parts = dates.ParseShortDateParts(text, dates.Regional().Order());
  if (!parts) return 0;
  const int year = parts->Month < now.Month ? now.Year + 1 : now.Year;
  return EncodeDate(year, parts->Month, parts->Day);
}

// A day, a month name, or both in either order, completed with the current year and month.
double DayOrMonthName(std::string_view text, Completion now, const RegionalSettings& regional) {
  const std::size_t blankAt = text.find(' ');
  // b of the forms below: the 1-based position of the first blank, 0 without one.
  const std::size_t b = blankAt == std::string_view::npos ? 0 : blankAt + 1;
  if (b == 0 && CharCount(text) == 3) {
    const int month = MonthFromName(TrimView(text), regional);
    return month == 0 ? 0 : EncodeDate(now.Year, month, 1);
  }
  if (const std::int32_t day = StrToIntOrZero(text); day != 0) {
    CheckDayRange(day);
    return EncodeDate(now.Year, now.Month, day);
  }
  const std::string_view head = TrimView(text.substr(0, b));
  const std::string_view tail = TrimView(Copy(text, b, 99));
  if (const std::int32_t day = StrToIntOrZero(head); day != 0) {
    CheckDayRange(day);
    const int month = MonthFromName(tail, regional);
    return month == 0 ? 0 : EncodeDate(now.Year, month, day);
  }
  if (const std::int32_t day = StrToIntOrZero(tail); day != 0) {
    if (!IsDayInRange(day)) return 0;
    const int month = MonthFromName(head, regional);
    return month == 0 ? 0 : EncodeDate(now.Year, month, day);
  }
  return 0;
}

}  // namespace

int MonthFromName(std::string_view text, const RegionalSettings& regional) {
  const std::string key = UpperAscii(FirstChars(text, 3));
  const std::string typed = UpperAscii(text);
  int found = 0;
  bool foundAgrees = false;
  for (int month = 1; month <= 12; ++month) {
    const std::string& name = regional.ShortMonthNames[static_cast<std::size_t>(month - 1)];
    if (UpperAscii(FirstChars(name, 3)) != key) continue;
    // "juin" and "juil." share three letters; a fourth typed letter tells them apart. A name
    // agrees when no typed letter contradicts it ("june" agrees with "Jun").
    std::string upperName = UpperAscii(name);
    if (upperName.ends_with('.')) upperName.pop_back();
    const std::size_t common = std::min(typed.size(), upperName.size());
    const bool agrees = typed.compare(0, common, upperName, 0, common) == 0;
    if (agrees || !foundAgrees) {
      found = month;
      foundAgrees = agrees;
    }
  }
  return found;
}

double ParseDateText(std::string_view text, double monthStart, const DateFormat& dates) {
  // A trailing slash is dropped whatever the separator, so "7/" is a day and "7/4/" a month and
  // a day.
  if (!text.empty() && text.back() == '/') text.remove_suffix(1);
  const CalendarDate start = DecodeDate(monthStart);
  const Completion now{start.Year, start.Month};
  const char separator = dates.Regional().DateSeparator;
  const std::size_t first = text.find(separator);
  if (first == std::string_view::npos) return DayOrMonthName(text, now, dates.Regional());
  if (Copy(text, first + 2, 99).find(separator) != std::string_view::npos) {
    return dates.ParseShortDate(text);
  }
  return MonthAndDay(text, now, dates);
}

}  // namespace taskwell
