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
  std::string text;
  AppendDateDigits(text, date, separator);
  return text;
}

void AppendDateDigits(std::string& out, double date, std::string_view separator) {
  const CalendarDate d = DecodeDate(date);
  const auto digits = [&out](int value, int width) {
    char text[8];
    for (int i = width - 1; i >= 0; --i, value /= 10) text[i] = static_cast<char>('0' + value % 10);
    out.append(text, static_cast<std::size_t>(width));
  };
  // Years before 1000 keep four digits; the table holds none after 9999.
  digits(d.Year, 4);
  out.append(separator);
  digits(d.Month, 2);
  out.append(separator);
  digits(d.Day, 2);
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
