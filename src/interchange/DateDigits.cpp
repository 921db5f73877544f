#include "interchange/DateDigits.h"

#include <charconv>
#include <cstdio>

#include "document/Calendar.h"

namespace taskwell {
namespace {

bool ReadNumber(std::string_view text, std::size_t at, std::size_t length, int& value) {
  if (at + length > text.size()) return false;
  const char* start = text.data() + at;
  const auto [ptr, ec] = std::from_chars(start, start + length, value);
  return ec == std::errc() && ptr == start + length && value > 0;
}

}  // namespace

std::string DateDigits(double date, std::string_view separator) {
  const CalendarDate d = DecodeDate(date);
  const std::string sep(separator);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%s%02d%s%02d", d.Year, sep.c_str(), d.Month, sep.c_str(),
                d.Day);
  return text;
}

bool ReadDateDigits(std::string_view text, std::string_view separator, double& date) {
  const std::size_t sep = separator.size();
  int year = 0;
  int month = 0;
  int day = 0;
  return ReadNumber(text, 0, 4, year) && text.substr(4, sep) == separator &&
         ReadNumber(text, 4 + sep, 2, month) && text.substr(6 + sep, sep) == separator &&
         ReadNumber(text, 6 + 2 * sep, 2, day) && TryEncodeDate(year, month, day, date);
}

}  // namespace taskwell
