#include "document/DateText.h"

#include <array>

#include "document/Calendar.h"
#include "document/Errors.h"

namespace taskwell {
namespace {

struct NumberRead {
  int Value = 0;
  int Digits = 0;
};

class Scanner {
 public:
  explicit Scanner(std::string_view text) : Text(text) {}

  void SkipBlanks() {
    while (Pos < Text.size() && Text[Pos] == ' ') ++Pos;
  }
  bool Take(char c) {
    if (Pos < Text.size() && Text[Pos] == c) {
      ++Pos;
      return true;
    }
    return false;
  }
  // A run of digits that stops once the value reaches 1000.
  std::optional<NumberRead> Number() {
    SkipBlanks();
    NumberRead read;
    while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9' && read.Value < 1000) {
      read.Value = read.Value * 10 + (Text[Pos++] - '0');
      ++read.Digits;
    }
    if (read.Digits == 0) return std::nullopt;
    return read;
  }
  bool AtEnd() const { return Pos == Text.size(); }

 private:
  std::string_view Text;
  std::size_t Pos = 0;
};

// What printf's "%0<width>d" writes, without printf: a load or save formats a date per task.
void AppendZeroPadded(std::string& out, int value, int width) {
  if (value < 0) {
    out += '-';
    --width;
  }
  unsigned magnitude = value < 0 ? 0U - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  std::array<char, 16> digits{};
  int count = 0;
  do {
    digits[static_cast<std::size_t>(count++)] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (count < width) out.append(static_cast<std::size_t>(width - count), '0');
  while (count > 0) out += digits[static_cast<std::size_t>(--count)];
}

}  // namespace

DateFormat::DateFormat(RegionalSettings regional, const Clock& clock)
    : settings_(std::move(regional)), clock_(&clock) {}

int DateFormat::CurrentYear() const {
  if (heldYear_.Value != 0) return heldYear_.Value;
  return DecodeDate(Now()).Year;
}

std::string DateFormat::FormatDateText(double date) const {
  if (date == 0) return {};
  const CalendarDate day = DecodeDate(date);
  std::string text;
  text.reserve(10);
  AppendZeroPadded(text, day.Month, 2);
  text += settings_.DateSeparator;
  AppendZeroPadded(text, day.Day, 2);
  text += settings_.DateSeparator;
  AppendZeroPadded(text, day.Year, 4);
  return text;
}

std::string DateFormat::WeekdayText(double date) const {
  return settings_.ShortDayNames[static_cast<std::size_t>(DayOfWeek(date) - 1)];
}

std::string DateFormat::ShortDateText(double date) const {
  return ShortDateTextIn(date, false);
}

std::string DateFormat::FileDateText(double date) const {
  std::string text = ShortDateTextIn(date, false);
  double back = 0;
  if (TryParseShortDate(text, back) && back == DateOf(date)) return text;
  return ShortDateTextIn(date, true);
}

std::string DateFormat::ShortDateTextIn(double date, bool fullYear) const {
  const CalendarDate day = DecodeDate(date);
  const std::string& format = settings_.ShortDateFormat;
  std::string text;
  for (std::size_t i = 0; i < format.size();) {
    const char c = format[i];
    std::size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    const char lower = static_cast<char>(c | 0x20);
    if (lower == 'd') {
      AppendZeroPadded(text, day.Day, run >= 2 ? 2 : 1);
    } else if (lower == 'm') {
      AppendZeroPadded(text, day.Month, run >= 2 ? 2 : 1);
    } else if (lower == 'y') {
      const bool twoDigits = run <= 2 && !fullYear;
      AppendZeroPadded(text, twoDigits ? day.Year % 100 : day.Year, twoDigits ? 2 : 4);
    } else if (c == '/') {
      text.append(run, settings_.DateSeparator);
    } else {
      text.append(run, c);
    }
    i += run;
  }
  return text;
}

std::optional<ShortDate> DateFormat::ParseShortDateParts(std::string_view text,
                                                         DateOrder order) const {
  const char separator = settings_.DateSeparator;
  Scanner scan(text);
  const auto first = scan.Number();
  if (!first) return std::nullopt;
  scan.SkipBlanks();
  if (!scan.Take(separator)) return std::nullopt;
  const auto second = scan.Number();
  if (!second) return std::nullopt;
  scan.SkipBlanks();
  ShortDate date;
  if (scan.Take(separator)) {
    const auto third = scan.Number();
    if (!third) return std::nullopt;
    NumberRead year = *third;
    if (order == DateOrder::MonthDayYear) {
      date.Month = first->Value;
      date.Day = second->Value;
    } else if (order == DateOrder::DayMonthYear) {
      date.Day = first->Value;
      date.Month = second->Value;
    } else {
      year = *first;
      date.Month = second->Value;
      date.Day = third->Value;
    }
    date.Year = year.Value;
    if (year.Digits <= 2) {
      const int base = CurrentYear() - TwoDigitYearWindow;
      date.Year += base / 100 * 100;
      if (date.Year < base) date.Year += 100;
    }
    date.HadYear = true;
  } else {
    date.Year = CurrentYear();
    const bool dayFirst = order == DateOrder::DayMonthYear;
    date.Day = dayFirst ? first->Value : second->Value;
    date.Month = dayFirst ? second->Value : first->Value;
  }
  scan.Take(separator);
  scan.SkipBlanks();
  if (!scan.AtEnd()) return std::nullopt;
  if (!IsValidDate(date.Year, date.Month, date.Day)) return std::nullopt;
  return date;
}

bool DateFormat::TryParseIn(std::string_view text, DateOrder order, double& date) const {
  const auto parts = ParseShortDateParts(text, order);
  return parts && TryEncodeDate(parts->Year, parts->Month, parts->Day, date);
}

bool DateFormat::TryParseShortDate(std::string_view text, double& date) const {
  return TryParseIn(text, settings_.Order(), date);
}

double DateFormat::ParseShortDate(std::string_view text) const {
  double date = 0;
  if (!TryParseShortDate(text, date)) ThrowNotValid(text, "date");
  return date;
}

bool DateFormat::TryParseTableDate(std::string_view text, double& date) const {
  return TryParseIn(text, DateOrder::MonthDayYear, date);
}

double DateFormat::ParseTableDate(std::string_view text) const {
  double date = 0;
  if (!TryParseTableDate(text, date)) ThrowNotValid(text, "date");
  return date;
}

}  // namespace taskwell
