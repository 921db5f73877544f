#pragma once

#include <array>
#include <string>

namespace taskwell {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The user's regional settings, read once at start-up. The defaults are those of the C locale.
struct RegionalSettings {
  char DateSeparator = '/';
  // Letters d, m and y with "/" standing for DateSeparator, as in "m/d/yy" or "dd/mm/yyyy".
  std::string ShortDateFormat = "m/d/yy";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  char DecimalSeparator = '.';

  // The field order given by the first of the letters d, m and y in ShortDateFormat.
  DateOrder Order() const;

  // Reads the settings of the process's current locale (call setlocale first); anything the
  // locale does not say keeps its default.
  static RegionalSettings FromSystemLocale();
  // Turns an nl_langinfo date format such as "%d.%m.%Y" into our form; false if it is not a
  // plain numeric day, month and year.
  static bool FromPosixDateFormat(const std::string& posix, RegionalSettings& settings);
};

}  // namespace taskwell
