#include "document/Regional.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace taskwell {
namespace {

TEST(PosixDateFormat, NumericFormatsGiveFormatSeparatorAndOrder) {
  struct Case {
    std::string Posix;
    std::string Format;
    char Separator;
    DateOrder Order;
  };
  const std::vector<Case> cases = {
      // The C locale's own form is the classic default, written 7/6/09.
      {"%m/%d/%y", "m/d/yy", '/', DateOrder::MonthDayYear},
      {"%D", "m/d/yy", '/', DateOrder::MonthDayYear},
      {"%d.%m.%Y", "dd/mm/yyyy", '.', DateOrder::DayMonthYear},
      {"%d/%m/%y", "dd/mm/yy", '/', DateOrder::DayMonthYear},
      {"%e.%m.%Y", "d/mm/yyyy", '.', DateOrder::DayMonthYear},
      {"%F", "yyyy/mm/dd", '-', DateOrder::YearMonthDay},
      {"%Y-%m-%d", "yyyy/mm/dd", '-', DateOrder::YearMonthDay},
      {"%Y.%m.%d.", "yyyy/mm/dd/", '.', DateOrder::YearMonthDay},
  };
  for (const Case& c : cases) {
    RegionalSettings settings;
    ASSERT_TRUE(RegionalSettings::FromPosixDateFormat(c.Posix, settings)) << c.Posix;
    EXPECT_EQ(settings.ShortDateFormat, c.Format) << c.Posix;
    EXPECT_EQ(settings.DateSeparator, c.Separator) << c.Posix;
    EXPECT_EQ(settings.Order(), c.Order) << c.Posix;
  }
}

TEST(PosixDateFormat, JunkLeavesTheSettingsAlone) {
  const std::vector<std::string> junk = {
      "",         "%H:%M:%S", "%a %d %b %Y", "%d%m%Y", "%d-%m/%Y", "%d.%m",       "%",  "%m/%d/%y%",
      "%y/%y/%y", "%d/%d/%Y", "%D/%y",       "-%D",    "%F-%d",    "%d.%m.%Y %H", "%x", "%b/%d/%Y",
  };
  for (const std::string& posix : junk) {
    RegionalSettings settings;
    settings.ShortDateFormat = "untouched";
    settings.DateSeparator = '#';
    EXPECT_FALSE(RegionalSettings::FromPosixDateFormat(posix, settings)) << posix;
    EXPECT_EQ(settings.ShortDateFormat, "untouched") << posix;
    EXPECT_EQ(settings.DateSeparator, '#') << posix;
  }
}

TEST(RegionalOrder, FirstOfTheLettersDecidesIgnoringCase) {
  const std::vector<std::pair<std::string, DateOrder>> cases = {
      {"m/d/yy", DateOrder::MonthDayYear},     {"dd/mm/yyyy", DateOrder::DayMonthYear},
      {"yyyy/mm/dd", DateOrder::YearMonthDay}, {"D/M/Y", DateOrder::DayMonthYear},
      {"", DateOrder::MonthDayYear},           {"x/y", DateOrder::YearMonthDay},
  };
  for (const auto& [format, order] : cases) {
    RegionalSettings settings;
    settings.ShortDateFormat = format;
    EXPECT_EQ(settings.Order(), order) << format;
  }
}

TEST(RegionalSettingsFromLocale, TheCLocaleGivesTheDefaults) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  const RegionalSettings settings = RegionalSettings::FromSystemLocale();
  std::setlocale(LC_ALL, previous.c_str());
  const RegionalSettings defaults;
  EXPECT_EQ(settings.DateSeparator, '/');
  EXPECT_EQ(settings.ShortDateFormat, "m/d/yy");
  EXPECT_EQ(settings.ShortMonthNames, defaults.ShortMonthNames);
  EXPECT_EQ(settings.ShortDayNames, defaults.ShortDayNames);
  EXPECT_EQ(settings.DecimalSeparator, '.');
}

}  // namespace
}  // namespace taskwell
