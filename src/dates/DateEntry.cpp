#include "dates/DateEntry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "dates/RepeatRule.h"
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

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string WithoutFullStop(std::string text) {
  if (text.ends_with('.')) text.pop_back();
  return text;
}

// 0 to 6 (Sunday first) for a weekday name: a regional abbreviation as written, or three or more
// letters of a whole name, English or regional. -1 when the text names no weekday.
int WeekdayFromName(const std::string& word, const RegionalSettings& regional) {
  static constexpr std::array<std::string_view, 7> kEnglish = {
      "sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
  for (std::size_t day = 0; day < 7; ++day) {
    const std::string longName = LowerAscii(regional.LongDayNames[day]);
    const bool prefix = word.size() >= 3 && (kEnglish[day].starts_with(word) ||
                                             std::string_view(longName).starts_with(word));
    if (prefix || word == WithoutFullStop(LowerAscii(regional.ShortDayNames[day]))) {
      return static_cast<int>(day);
    }
  }
  return -1;
}

// "today", "tomorrow", a weekday (the next one after today), "3d" or "2w" (from today); 0 when the
// text is none of them.
double DateWord(std::string_view text, const DateFormat& dates) {
  const std::string word = WithoutFullStop(LowerAscii(TrimView(text)));
  const double today = DateOf(dates.Now());
  if (word == "today") return today;
  if (word == "tomorrow") return AddDays(today, 1);
  if (word.size() >= 2 && word.size() <= 5 && (word.back() == 'd' || word.back() == 'w') &&
      std::all_of(word.begin(), word.end() - 1, [](char c) { return c >= '0' && c <= '9'; })) {
    // At most four digits: 9999 weeks still land well inside the calendar.
    const int count = std::stoi(word.substr(0, word.size() - 1));
    return AddDays(today, word.back() == 'w' ? count * 7 : count);
  }
  const int weekday = WeekdayFromName(word, dates.Regional());
  if (weekday < 0) return 0;
  const int ahead = (weekday - (DayOfWeek(today) - 1) + 6) % 7 + 1;
  return AddDays(today, ahead);
}

double DesignedForms(std::string_view text, double monthStart, const DateFormat& dates) {
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
  // The words only fill in where the established forms find no date, so none changes meaning.
  const double date = DesignedForms(text, monthStart, dates);
  return date != 0 ? date : DateWord(text, dates);
}

}  // namespace taskwell
