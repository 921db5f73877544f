#include "document/Regional.h"

#include <langinfo.h>

#include <cctype>

namespace taskwell {

DateOrder RegionalSettings::Order() const {
  for (char c : ShortDateFormat) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
      case 'd':
        return DateOrder::DayMonthYear;
      case 'y':
        return DateOrder::YearMonthDay;
      case 'm':
        return DateOrder::MonthDayYear;
      default:
        break;
    }
  }
  return DateOrder::MonthDayYear;
}

namespace {

// The shorthands glibc uses in date formats.
std::string ExpandPosixShorthands(const std::string& posix) {
  std::string expanded;
  for (std::size_t i = 0; i < posix.size(); ++i) {
    if (posix[i] == '%' && i + 1 < posix.size() && (posix[i + 1] == 'D' || posix[i + 1] == 'F')) {
      expanded += posix[++i] == 'D' ? "%m/%d/%y" : "%Y-%m-%d";
    } else {
      expanded += posix[i];
    }
  }
  return expanded;
}

}  // namespace

bool RegionalSettings::FromPosixDateFormat(const std::string& posix, RegionalSettings& settings) {
  const std::string expanded = ExpandPosixShorthands(posix);
  // The C locale's numeric form stands for the classic short date, which writes 7/6/09.
  if (expanded == "%m/%d/%y") {
    settings.ShortDateFormat = "m/d/yy";
    settings.DateSeparator = '/';
    return true;
  }
  std::string format;
  char separator = 0;
  int days = 0;
  int months = 0;
  int years = 0;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    const char c = expanded[i];
    if (c != '%') {
      if (separator == 0) separator = c;
      if (c != separator) return false;
      format += '/';
      continue;
    }
    if (++i == expanded.size()) return false;
    switch (expanded[i]) {
      case 'd':
        format += "dd";
        ++days;
        break;
      case 'e':
        format += "d";
        ++days;
        break;
      case 'm':
        format += "mm";
        ++months;
        break;
      case 'y':
        format += "yy";
        ++years;
        break;
      case 'Y':
        format += "yyyy";
        ++years;
        break;
      default:
        return false;
    }
  }
  // Exactly one day, one month and one year, and something between them.
  if (days != 1 || months != 1 || years != 1 || separator == 0) return false;
  if (format.find("//") != std::string::npos || format.front() == '/') return false;
  settings.ShortDateFormat = format;
  settings.DateSeparator = separator;
  return true;
}

RegionalSettings RegionalSettings::FromSystemLocale() {
  RegionalSettings settings;
  FromPosixDateFormat(nl_langinfo(D_FMT), settings);
  static constexpr nl_item kMonths[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                        ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  static constexpr nl_item kDays[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                      ABDAY_5, ABDAY_6, ABDAY_7};
  for (int i = 0; i < 12; ++i) {
    const std::string name = nl_langinfo(kMonths[i]);
    if (!name.empty()) settings.ShortMonthNames[static_cast<std::size_t>(i)] = name;
  }
  static constexpr nl_item kLongDays[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
  for (int i = 0; i < 7; ++i) {
    const std::string name = nl_langinfo(kDays[i]);
    if (!name.empty()) settings.ShortDayNames[static_cast<std::size_t>(i)] = name;
    const std::string longName = nl_langinfo(kLongDays[i]);
    if (!longName.empty()) settings.LongDayNames[static_cast<std::size_t>(i)] = longName;
  }
  const std::string radix = nl_langinfo(RADIXCHAR);
  if (radix.size() == 1) settings.DecimalSeparator = radix[0];
  return settings;
}

}  // namespace taskwell
