#include "document/DateText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/Text.h"

namespace taskwell {
namespace {

// 10 June 2026, in the morning.
const FixedClock kJune2026(EncodeDate(2026, 6, 10) + 0.375);

RegionalSettings Settings(char separator, const std::string& shortFormat) {
  RegionalSettings settings;
  settings.DateSeparator = separator;
  settings.ShortDateFormat = shortFormat;
  return settings;
}

struct ParseCase {
  std::string Text;
  std::optional<CalendarDate> Date;  // nothing: the parser rejects the text
};

void ExpectParses(const DateFormat& dates, const std::vector<ParseCase>& cases) {
  for (const ParseCase& c : cases) {
    double value = -1;
    const bool ok = dates.TryParseShortDate(c.Text, value);
    EXPECT_EQ(ok, c.Date.has_value()) << "'" << c.Text << "'";
    if (ok && c.Date) {
      EXPECT_EQ(DecodeDate(value), *c.Date) << "'" << c.Text << "'";
    }
  }
}

TEST(DateTextFormat, IsMonthFirstWithTheRegionalSeparator) {
  const DateFormat slash({}, kJune2026);
  const DateFormat dot(Settings('.', "dd/mm/yyyy"), kJune2026);
  EXPECT_EQ(slash.FormatDateText(0), "");
  EXPECT_EQ(slash.FormatDateText(EncodeDate(2026, 7, 4)), "07/04/2026");
  EXPECT_EQ(dot.FormatDateText(EncodeDate(2026, 7, 4)), "07.04.2026");
  EXPECT_EQ(slash.FormatDateText(EncodeDate(1, 1, 1)), "01/01/0001");
  EXPECT_EQ(slash.FormatDateText(EncodeDate(9999, 12, 31)), "12/31/9999");
  // The time of day plays no part.
  EXPECT_EQ(slash.FormatDateText(EncodeDate(2009, 7, 6) + 0.75), "07/06/2009");
  EXPECT_EQ(slash.FormatDateText(0.5), "12/30/1899");
}

TEST(ShortDateParser, MonthFirstWithTheTwoDigitYearWindow) {
  ExpectParses(DateFormat({}, kJune2026),
               {
                   {"12/25/26", CalendarDate{2026, 12, 25}},
                   {"1/1/06", CalendarDate{2006, 1, 1}},
                   {"1/1/05", CalendarDate{2105, 1, 1}},
                   {"1/1/76", CalendarDate{2076, 1, 1}},
                   {"1/1/0", CalendarDate{2100, 1, 1}},
                   {"7/4", CalendarDate{2026, 7, 4}},
                   {"07/04/2026", CalendarDate{2026, 7, 4}},
                   {" 7 / 4 / 26 ", CalendarDate{2026, 7, 4}},
                   {"7/4/2026/", CalendarDate{2026, 7, 4}},
                   {"1/1/026", CalendarDate{26, 1, 1}},  // three digits stand as written
                   {"2/29/2028", CalendarDate{2028, 2, 29}},
                   {"2/29/2000", CalendarDate{2000, 2, 29}},
                   {"7/4/", std::nullopt},
                   {"13/45/2026", std::nullopt},
                   {"7/4/2026 10:00", std::nullopt},
                   {"2/30", std::nullopt},
                   {"2/29/2027", std::nullopt},
                   {"2/29/2100", std::nullopt},
                   {"0/1/2026", std::nullopt},
                   {"1/0/2026", std::nullopt},
                   {"1/1/0000", std::nullopt},
                   {"1/1/10000", std::nullopt},
                   {"12345/1/1", std::nullopt},
                   {"7/4/2026//", std::nullopt},
                   {"7 /", std::nullopt},
                   {"7", std::nullopt},
                   {"/4", std::nullopt},
                   {"", std::nullopt},
                   {"7.4.2026", std::nullopt},
                   {"7-4-2026", std::nullopt},
                   {"Jul/4", std::nullopt},
               });
}

TEST(ShortDateParser, OtherFieldOrders) {
  ExpectParses(DateFormat(Settings('.', "dd/mm/yy"), kJune2026),
               {
                   {"04.07.26", CalendarDate{2026, 7, 4}},
                   {"4.7", CalendarDate{2026, 7, 4}},
                   {"31.12.1999", CalendarDate{1999, 12, 31}},
                   {"7/4/26", std::nullopt},
                   {"12.25.26", std::nullopt},
               });
  ExpectParses(DateFormat(Settings('-', "yyyy/mm/dd"), kJune2026),
               {
                   {"2026-07-04", CalendarDate{2026, 7, 4}},
                   {"26-7-4", CalendarDate{2026, 7, 4}},
                   {"7-4", CalendarDate{2026, 7, 4}},  // without a year: month, then day
                   {"2026-13-01", std::nullopt},
               });
}

TEST(ShortDateParser, WindowFollowsTheClock) {
  // A file written with two-digit years reads differently in later years.
  const FixedClock later(EncodeDate(2030, 1, 1));
  ExpectParses(DateFormat({}, later),
               {{"7/6/09", CalendarDate{2109, 7, 6}}, {"7/6/10", CalendarDate{2010, 7, 6}}});
  DateFormat wide({}, kJune2026);
  wide.TwoDigitYearWindow = 50;
  ExpectParses(wide, {{"1/1/76", CalendarDate{1976, 1, 1}}, {"1/1/75", CalendarDate{2075, 1, 1}}});
}

TEST(ShortDateParser, AYearHoldKeepsTheWindowUntilItEnds) {
  FixedClock clock(EncodeDate(2029, 12, 31));
  const DateFormat dates(RegionalSettings{}, clock);
  double date = 0;
  {
    const DateFormat::YearHold hold(dates);
    clock.Value = EncodeDate(2030, 1, 1);
    // A copy, as a list loading a second file would make, reads the clock itself.
    DateFormat copy = dates;
    copy.TwoDigitYearWindow = 20;
    ASSERT_TRUE(dates.TryParseShortDate("7/6/09", date));
    EXPECT_EQ(date, EncodeDate(2009, 7, 6));
    ASSERT_TRUE(copy.TryParseShortDate("7/6/09", date));
    EXPECT_EQ(date, EncodeDate(2109, 7, 6));
  }
  ASSERT_TRUE(dates.TryParseShortDate("7/6/09", date));
  EXPECT_EQ(date, EncodeDate(2109, 7, 6));
}

TEST(ShortDateParser, FailureNamesTheText) {
  const DateFormat dates({}, kJune2026);
  EXPECT_EQ(dates.ParseShortDate("7/4/26"), EncodeDate(2026, 7, 4));
  try {
    dates.ParseShortDate("13/45/2026");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'13/45/2026' is not a valid date");
  }
}

TEST(TableDateParser, IsMonthFirstWhateverTheRegionalOrder) {
  const DateFormat german(Settings('.', "dd/mm/yyyy"), kJune2026);
  double date = 0;
  ASSERT_TRUE(german.TryParseTableDate("07.04.2026", date));
  EXPECT_EQ(DecodeDate(date), (CalendarDate{2026, 7, 4}));
  ASSERT_TRUE(german.TryParseShortDate("07.04.2026", date));
  EXPECT_EQ(DecodeDate(date), (CalendarDate{2026, 4, 7}));
  EXPECT_FALSE(german.TryParseTableDate("12.31.2026x", date));
  EXPECT_THROW(german.ParseTableDate("31.12.2026"), EConvertError);
}

TEST(WeekdayText, UsesTheRegionalNames) {
  const DateFormat dates({}, kJune2026);
  const std::vector<std::string> week = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(dates.WeekdayText(EncodeDate(2026, 7, 5 + i)), week[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(dates.WeekdayText(EncodeDate(2026, 7, 4)), "Sat");
  EXPECT_EQ(dates.WeekdayText(EncodeDate(1899, 12, 30)), "Sat");
  EXPECT_EQ(dates.WeekdayText(EncodeDate(1, 1, 1)), "Mon");

  RegionalSettings spanish;
  spanish.ShortDayNames = {"dom",
                           "lun",
                           "mar",
                           "mi\xC3\xA9",
                           "jue",
                           "vie",
                           "s\xC3\xA1"
                           "b"};
  const DateFormat es(spanish, kJune2026);
  EXPECT_EQ(es.WeekdayText(EncodeDate(2026, 7, 4)),
            "s\xC3\xA1"
            "b");
  EXPECT_EQ(CharCount(es.WeekdayText(EncodeDate(2026, 7, 1))), 3u);
}

TEST(ShortDateText, FollowsTheRegionalShortFormat) {
  const double july6 = EncodeDate(2009, 7, 6);
  struct Case {
    char Separator;
    std::string Format;
    std::string Text;
  };
  const std::vector<Case> cases = {
      {'/', "m/d/yy", "7/6/09"},     {'/', "mm/dd/yy", "07/06/09"},
      {'/', "M/D/YYYY", "7/6/2009"}, {'.', "dd/mm/yyyy", "06.07.2009"},
      {'.', "d/m/yy", "6.7.09"},     {'-', "yyyy/mm/dd", "2009-07-06"},
  };
  for (const Case& c : cases) {
    const DateFormat dates(Settings(c.Separator, c.Format), kJune2026);
    EXPECT_EQ(dates.ShortDateText(july6), c.Text) << c.Format;
    // What is written reads back as the same day (two-digit years within the window).
    EXPECT_EQ(dates.ParseShortDate(c.Text), july6) << c.Format;
  }
}

TEST(FileDateText, WritesTheFullYearWhereTwoDigitsWouldReadBackWrong) {
  const DateFormat dates({}, kJune2026);  // two-digit years mean 2006 to 2105
  const std::vector<std::pair<CalendarDate, std::string>> cases = {
      {{2009, 7, 6}, "7/6/09"},       {{2006, 1, 1}, "1/1/06"},       {{2105, 12, 31}, "12/31/05"},
      {{2005, 12, 31}, "12/31/2005"}, {{2106, 1, 1}, "1/1/2106"},     {{2000, 2, 29}, "2/29/2000"},
      {{50, 1, 1}, "1/1/0050"},       {{9999, 12, 31}, "12/31/9999"},
  };
  for (const auto& [day, text] : cases) {
    const double date = EncodeDate(day.Year, day.Month, day.Day);
    EXPECT_EQ(dates.FileDateText(date), text);
    EXPECT_EQ(dates.ParseShortDate(text), date) << text;
  }
  const DateFormat german(Settings('.', "dd/mm/yyyy"), kJune2026);
  EXPECT_EQ(german.FileDateText(EncodeDate(2005, 7, 6)), "06.07.2005");
}

}  // namespace
}  // namespace taskwell
