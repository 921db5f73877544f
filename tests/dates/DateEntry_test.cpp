#include "dates/DateEntry.h"

#include <gtest/gtest.h>

#include "document/Errors.h"
#include "support/FakePlatform.h"

namespace taskwell {
namespace {

using testing::Day;
using testing::FakePlatform;
using testing::ListFixture;

// What a typed text came to: its date text, "0", or "!" and the failure's message.
std::string Outcome(ListFixture& f, const std::string& typed) {
  const CalendarDate now = DecodeDate(f.Dates.Now());
  try {
    const double date = ParseDateText(typed, EncodeDate(now.Year, now.Month, 1), f.Dates);
    return date == 0 ? "0" : f.Dates.FormatDateText(date);
  } catch (const EConvertError& e) {
    return std::string("!") + e.what();
  }
}

struct TypedCase {
  std::string Typed;
  std::string Expected;
};

// The parser itself never speaks: a text that gives no date is the commit's to report.
void ExpectCases(ListFixture& f, const std::vector<TypedCase>& cases) {
  for (const TypedCase& c : cases) {
    SCOPED_TRACE("typed \"" + c.Typed + "\"");
    EXPECT_EQ(Outcome(f, c.Typed), c.Expected);
    EXPECT_TRUE(f.Ui.Messages.empty());
  }
}

TEST(ParseDateText, CompletesTypedTextAgainstJune2026) {
  ListFixture f;
  const std::string encode = "!Invalid argument to date encode";
  const std::string range = "!Range check error";
  ExpectCases(f, {
                     {"25", "06/25/2026"},
                     {"5", "06/05/2026"},
                     {" 25", "06/25/2026"},
                     {"31", encode},
                     {"-5", range},
                     {"0", "0"},
                     {"Mar", "03/01/2026"},
                     {"mar", "03/01/2026"},
                     {"MAR", "03/01/2026"},
                     {"Dec", "12/01/2026"},
                     {"March", "0"},
                     {"Mar.", "0"},
                     {"xyz", "0"},
                     {"123", "0"},
                     {"15 Jan", "01/15/2026"},
                     {"January 15", "01/15/2026"},
                     {"Jan 15th", "0"},
                     {"15 ", "0"},
                     {"Jan -15", "0"},
                     {"-15 Jan", range},
                     {"99 Jan", encode},
                     {"7/4", "07/04/2026"},
                     {"7/4/", "07/04/2026"},
                     {"7/", "06/07/2026"},
                     {"7/4/ ", "!'7/4/ ' is not a valid date"},
                     {"7/4 ", "07/04/2026"},
                     {"6/1", "06/01/2026"},
                     {"3/1", "03/01/2027"},
                     {"2/30", "0"},
                     {"2/30/", "0"},
                     {"12/25/26", "12/25/2026"},
                     {"1/1/06", "01/01/2006"},
                     {"1/1/05", "01/01/2105"},
                     {"1/1/76", "01/01/2076"},
                     {"13/45/2026", "!'13/45/2026' is not a valid date"},
                     {"7/4/2026 10:00", "!'7/4/2026 10:00' is not a valid date"},
                     {"+3", "06/03/2026"},
                     {"Monday", "06/15/2026"},
                     {"today", "06/10/2026"},
                     {"", "0"},
                 });
}

TEST(ParseDateText, BareNumbersAreDaysAndOnlyThreeDigitsGiveNothing) {
  ListFixture f;
  ExpectCases(f, {
                     {"2026", "!Invalid argument to date encode"},
                     {"26", "06/26/2026"},
                     {"May", "05/01/2026"},
                     {"$1E", "0"},
                     {" $1E", "06/30/2026"},
                     {"70000", "!Range check error"},
                     {"70000 Jan", "!Range check error"},
                     {"Jan 70000", "0"},
                     {"15 Xyz", "0"},
                     {"Jan 15", "01/15/2026"},
                     {"Jan  15", "01/15/2026"},
                 });
}

TEST(ParseDateText, LeapDayOfAMonthAndDayMovesIntoTheNextYear) {
  ListFixture leapYear(Day(2028, 6, 10));
  ExpectCases(leapYear, {
                            {"2/29", "!Invalid argument to date encode"},
                            {"29 Feb", "02/29/2028"},
                        });
  ListFixture commonYear;
  ExpectCases(commonYear, {{"2/29", "0"}});
}

TEST(ParseDateText, DayMonthYearSettingsWithFullStops) {
  RegionalSettings regional;
  regional.DateSeparator = '.';
  regional.ShortDateFormat = "dd.mm.yyyy";
  ListFixture f(Day(2026, 6, 10), regional);
  ExpectCases(f, {
                     {"4.7", "07.04.2026"},
                     {"4.3", "03.04.2027"},
                     {"04.07.26", "07.04.2026"},
                     {"7/4", "0"},
                     {"12/25", "0"},
                     {"31.2", "0"},
                     {"15 Jan", "01.15.2026"},
                 });
}

// 10 June 2026 is a Wednesday. Words fill in only where the other forms give no date.
TEST(ParseDateText, DateWordsCountFromToday) {
  ListFixture f;
  ExpectCases(f, {
                     {"today", "06/10/2026"},
                     {"TODAY", "06/10/2026"},
                     {"tomorrow", "06/11/2026"},
                     {"Wed", "06/17/2026"},
                     {"friday", "06/12/2026"},
                     {"mon", "06/15/2026"},
                     {"3d", "06/13/2026"},
                     {"0d", "06/10/2026"},
                     {"2w", "06/24/2026"},
                     {"Mar", "03/01/2026"},
                     {"tu", "0"},
                     {"3x", "0"},
                     {"12345d", "0"},
                 });
  for (const auto& [locale, word] :
       std::vector<std::pair<const char*, const char*>>{{"de_DE.UTF-8", "Mo"},
                                                        {"de_DE.UTF-8", "Montag"},
                                                        {"fr_FR.UTF-8", "lun."},
                                                        {"fr_FR.UTF-8", "lundi"},
                                                        {"sv_SE.UTF-8", "m\xC3\xA5ndag"}}) {
    ListFixture regional(testing::Day(2026, 6, 10), testing::LocaleSettings(locale));
    const CalendarDate monday =
        DecodeDate(ParseDateText(word, EncodeDate(2026, 6, 1), regional.Dates));
    EXPECT_EQ(monday.Day, 15) << locale << " " << word;
  }
}

TEST(MonthFromName, MatchesTheFirstThreeLettersWithoutRegardToCase) {
  const RegionalSettings regional;
  const std::vector<std::pair<std::string, int>> cases = {
      {"jan", 1},  {"JAN", 1}, {"January", 1}, {"Janx", 1}, {"Ja", 0},  {"", 0},
      {"dec", 12}, {"sEp", 9}, {"Mai", 0},     {"J", 0},    {"1an", 0},
  };
  for (const auto& [text, month] : cases) {
    EXPECT_EQ(MonthFromName(text, regional), month) << text;
  }
}

TEST(MonthFromName, LaterMonthWinsAndRegionalNamesCountCharacters) {
  RegionalSettings regional;
  regional.ShortMonthNames[6] = "Junio";  // shares "JUN" with June
  regional.ShortMonthNames[2] = "M\xC3\xA4r";
  EXPECT_EQ(MonthFromName("jun", regional), 7);
  EXPECT_EQ(MonthFromName("juni", regional), 7);
  EXPECT_EQ(MonthFromName("june", regional), 6);
  EXPECT_EQ(MonthFromName("M\xC3\xA4rz", regional), 3);

  // A three-letter name with a non-ASCII letter is still a month name alone.
  ListFixture f(Day(2026, 6, 10), regional);
  ExpectCases(f, {{"M\xC3\xA4r", "03/01/2026"}, {"5 m\xC3\xA4r", "03/05/2026"}});
}

}  // namespace
}  // namespace taskwell
