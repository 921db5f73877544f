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

bool RegionalSettings::FromPosixDateFormat(const std::string& posix, RegionalSettings& settings) {
  std::string format;
  char separator = 0;
  int fields = 0;
  for (std::size_t i = 0; i < posix.size(); ++i) {
    const char c = posix[i];
    if (c != '%') {
      if (separator == 0) separator = c;
      if (c != separator) return false;
      format += '/';
      continue;
    }
    if (++i == posix.size()) return false;
    switch (posix[i]) {
      case 'd': format += "dd"; break;
      case 'e': format += "d"; break;
      case 'm': format += "mm"; break;
      case 'y': format += "yy"; break;
      case 'Y': format += "yyyy"; break;
      case 'D': format += "mm/dd/yy"; separator = '/'; fields += 2; break;
      case 'F': format += "yyyy/mm/dd"; separator = '-'; fields += 2; break;
      default: return false;
    }
    ++fields;
  }
  if (fields != 3 || separator == 0) return false;
  settings.ShortDateFormat = format;
  settings.DateSeparator = separator;
  return true;
}

RegionalSettings RegionalSettings::FromSystemLocale() {
  RegionalSettings settings;
  FromPosixDateFormat(nl_langinfo(D_FMT), settings);
  static constexpr nl_item kMonths[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                        ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  static constexpr nl_item kDays[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
  for (int i = 0; i < 12; ++i) {
    const std::string name = nl_langinfo(kMonths[i]);
    if (!name.empty()) settings.ShortMonthNames[static_cast<std::size_t>(i)] = name;
  }
  for (int i = 0; i < 7; ++i) {
    const std::string name = nl_langinfo(kDays[i]);
    if (!name.empty()) settings.ShortDayNames[static_cast<std::size_t>(i)] = name;
  }
  const std::string radix = nl_langinfo(RADIXCHAR);
  if (radix.size() == 1) settings.DecimalSeparator = radix[0];
  return settings;
}

}  // namespace taskwell
