#include <gtest/gtest.h>

#include <random>

#include "dates/RepeatRule.h"
#include "document/Calendar.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell {
namespace {

using testing::FakePlatform;
using testing::ListFixture;
using Message = FakePlatform::Message;

// One task in the table with a priority text that no increment would write.
void OneTask(ListFixture& f, const std::string& date, const std::string& description) {
  f.SetRows({{date, "Pri", "2", description}});
}

void PressIncrement(ListFixture& f) {
  f.List.Guarded([&] { f.List.IncrementButtonClick(); });
}

struct IncrementCase {
  std::string Description;
  std::string Before;
  // Empty when the task must stay exactly as it was.
  std::string After;
  std::string Weekday;
  std::vector<Message> Messages = {};
  // The default error report's text, when the increment ends in a failure.
  std::string Error = {};
};

const Message kEndPassed{"Increment End", "Item has now incremented past it's end date."};
const Message kNoWord{"Increment Error", "Increment needs weekly, monthly, or annual"};
const Message kNotThreeLetters{"Increment Error", "Day must be 3-letter abbreviation"};
const Message kBadSpecial{"Increment Error", "Invalid special increment, date not incremented"};
const Message kNoDate{"Increment Error", "No date to increment"};

TEST(IncrementButtonClick, AdvancesOneStepOrReportsWhyNot) {
  const std::vector<IncrementCase> cases = {
      {":weekly Staff meeting", "03/29/2006", "04/05/2006", "Wed"},
      {"Call the bank", "12/31/2006", "01/01/2007", "Mon"},
      {":daily x", "12/31/2006", "01/01/2007", "Mon"},
      {":biweekly x", "06/15/2006", "06/29/2006", "Thu"},
      {":monthly Rent", "01/31/2006", "02/28/2006", "Tue"},
      {":monthly Pay", "01/30/2006", "02/28/2006", "Tue"},
      {":bimonthly x", "10/31/2006", "12/31/2006", "Sun"},
      {":quarterly x", "11/30/2006", "02/28/2007", "Wed"},
      {":annual x", "02/29/2008", "02/28/2009", "Sat"},
      {":semiannual x", "08/31/2006", "02/28/2007", "Wed"},
      {":monthly::2TUE Club", "01/10/2006", "02/14/2006", "Tue"},
      {":monthly::2tue Club", "01/10/2006", "02/14/2006", "Tue"},
      {":Monthly::2TUE Club", "01/10/2006", "", "", {kNoWord}},
      {":monthly::1FRI-2 Prepare", "01/04/2006", "02/01/2006", "Wed"},
      {":monthly::5FRI x", "03/31/2006", "05/05/2006", "Fri"},
      {":weekly::2TUE x", "01/10/2006", "01/10/2006", "Tue"},
      {":weekly:01/15/2006 x", "01/10/2006", "01/17/2006", "Tue", {kEndPassed}},
      {":weekly:01/17/2006 x", "01/10/2006", "01/17/2006", "Tue"},
      {":monthly:02/28/2006 x", "01/31/2006", "02/28/2006", "Tue"},
      {":weekly", "01/10/2006", "", "", {kNoWord}},
      {": weekly x", "01/10/2006", "", "", {kNoWord}},
      {":monthly::2TU x", "01/10/2006", "", "", {kNotThreeLetters}},
      {":monthly::2XYZ x", "01/10/2006", "", "", {kBadSpecial}},
      {":monthly::2TUEx x", "01/10/2006", "", "", {}, "'x' is not a valid integer value."},
      {":weekly:soon x", "01/10/2006", "", "", {}, "'soon' is not a valid date."},
      {"any text", "", "", "", {kNoDate}},
      {":weekly x", "soon", "", "", {kNoDate}},
      {":weekly x", "12/30/1899", "", "", {kNoDate}},
      // The checks run in the order of the steps: the offset is converted before the word is
      // looked at,
      {":Weekly::2TUEx x", "01/10/2006", "", "", {}, "'x' is not a valid integer value."},
      // the word before the special increment, the special increment before the end date.
      {":fortnightly:soon:2XYZ x", "01/10/2006", "", "", {kNoWord}},
      {":weekly:soon:2TU x", "01/10/2006", "", "", {kNotThreeLetters}},
      {":weekly:soon:9TUE x", "01/10/2006", "", "", {kBadSpecial}},
      // Hexadecimal offsets are whole numbers too; anything after a third colon is ignored.
      {":monthly::1FRI$2 x", "01/04/2006", "02/05/2006", "Sun"},
      {":monthly::1FRI+2:junk x", "01/08/2006", "02/05/2006", "Sun"},
  };
  for (const IncrementCase& c : cases) {
    SCOPED_TRACE(c.Description + " on \"" + c.Before + "\"");
    ListFixture f;
    OneTask(f, c.Before, c.Description);
    const std::vector<std::string> before = f.RowCells(1);
    PressIncrement(f);
    EXPECT_EQ(f.Ui.Messages, c.Messages);
    if (c.Error.empty()) {
      EXPECT_TRUE(f.Ui.Errors.empty());
    } else {
      EXPECT_EQ(f.Ui.Errors, (std::vector<Message>{{f.List.ListTitle(), c.Error}}));
    }
    if (c.After.empty()) {
      EXPECT_EQ(f.RowCells(1), before);
    } else {
      EXPECT_EQ(f.RowCells(1), (std::vector<std::string>{c.After, c.Weekday, "2", c.Description}));
    }
  }
}

struct SeriesCase {
  std::string Description;
  std::string Start;
  std::vector<std::string> Dates;
};

TEST(IncrementButtonClick, RepeatedPressesFollowTheMonthEndRule) {
  const std::vector<SeriesCase> cases = {
      {":monthly Rent", "01/31/2006", {"02/28/2006", "03/31/2006", "04/30/2006"}},
      {":monthly Pay", "01/30/2006", {"02/28/2006", "03/31/2006", "04/30/2006"}},
      {":bimonthly x", "10/31/2006", {"12/31/2006", "02/28/2007", "04/30/2007"}},
      {":quarterly x", "11/30/2006", {"02/28/2007", "05/31/2007"}},
      {":annual x", "02/29/2008", {"02/28/2009", "02/28/2010"}},
      {":annual x", "02/28/2011", {"02/28/2012", "02/28/2013"}},
      {":semiannual x", "08/31/2006", {"02/28/2007", "08/28/2007"}},
      {":monthly::1FRI-2 Prepare", "02/01/2006", {"03/01/2006", "04/05/2006"}},
  };
  for (const SeriesCase& c : cases) {
    SCOPED_TRACE(c.Description + " from " + c.Start);
    ListFixture f;
    OneTask(f, c.Start, c.Description);
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < c.Dates.size(); ++i) {
      PressIncrement(f);
      seen.emplace_back(f.List.Table().Cell(0, 1));
    }
    EXPECT_EQ(seen, c.Dates);
    EXPECT_TRUE(f.Ui.Messages.empty());
  }
}

TEST(IncrementButtonClick, DatesThatWouldLeaveTheCalendarChangeNothing) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Call the bank", "12/31/9999"},    {":daily x", "12/31/9999"},
      {":annual x", "06/30/9999"},        {":monthly::1MON9999 x", "01/01/0001"},
      {":monthly::5SAT x", "11/30/9999"},
  };
  for (const auto& [description, date] : cases) {
    SCOPED_TRACE(description + " on " + date);
    ListFixture f;
    OneTask(f, date, description);
    const std::vector<std::string> before = f.RowCells(1);
    PressIncrement(f);
    EXPECT_EQ(f.RowCells(1), before);
    ASSERT_EQ(f.Ui.Errors.size(), 1u);
    EXPECT_EQ(f.Ui.Errors[0].Text, "Invalid argument to date encode.");
  }
}

TEST(IncrementButtonClick, ChangesOnlyTheCursorRowAndNeitherSortsNorMoves) {
  ListFixture f;
  f.SetRows({{"01/10/2006", "Tue", "", "7", ":weekly a"},
             {"01/02/2006", "Mon", "", "7", ":weekly b"},
             {"01/03/2006", "Tue", "", "7", "c"}},
            true);
  ListTestAccess::SetAutoSort(f.List, true);
  f.List.MoveCursor(2, 2);
  const int repaints = f.Ui.RepaintCount;
  PressIncrement(f);
  EXPECT_EQ(f.Column(0), (std::vector<std::string>{"01/10/2006", "01/09/2006", "01/03/2006"}));
  EXPECT_EQ(f.Column(1), (std::vector<std::string>{"Tue", "Mon", "Tue"}));
  EXPECT_EQ(f.List.Table().Row(), 2);
  EXPECT_EQ(f.List.Table().Col(), 2);
  EXPECT_GT(f.Ui.RepaintCount, repaints);
}

TEST(IncrementButtonClick, ReadsTableDatesMonthFirstWhateverTheRegion) {
  RegionalSettings regional;
  regional.ShortDateFormat = "dd/mm/yyyy";
  ListFixture f(testing::Day(2026, 6, 10), regional);
  OneTask(f, "01/10/2006", ":weekly:01/15/2006 x");
  PressIncrement(f);
  EXPECT_EQ(f.List.Table().Cell(0, 1), "01/17/2006");
  EXPECT_EQ(f.Ui.Messages, std::vector<Message>{kEndPassed});
}

TEST(IncrementButtonClick, DoesNothingWithoutATaskRow) {
  ListFixture f;
  OneTask(f, "01/10/2006", ":weekly x");
  ListTestAccess::Table(f.List).SetRowCount(1);
  PressIncrement(f);
  EXPECT_TRUE(f.Ui.Messages.empty());
  EXPECT_TRUE(f.Ui.Errors.empty());
}

void PressCatchUp(ListFixture& f) {
  f.List.Guarded([&] { f.List.CatchUpButtonClick(); });
}

// Today is Wednesday 06/10/2026.
TEST(CatchUpButtonClick, LandsOnTheFirstOccurrenceFromTodayInOneStep) {
  const std::vector<IncrementCase> cases = {
      {":weekly x", "05/20/2026", "06/10/2026", "Wed"},
      {":weekly x", "05/21/2026", "06/11/2026", "Thu"},
      {":biweekly x", "05/01/2026", "06/12/2026", "Fri"},
      {":monthly Rent", "01/31/2026", "06/30/2026", "Tue"},
      {":bimonthly x", "10/31/2025", "06/30/2026", "Tue"},
      {":quarterly x", "11/30/2025", "08/31/2026", "Mon"},
      {":semiannual x", "08/31/2024", "08/28/2026", "Fri"},
      {":annual x", "02/29/2008", "02/28/2027", "Sun"},
      {":monthly::2TUE Club", "01/13/2026", "07/14/2026", "Tue"},
      {":monthly::1FRI-2 Prepare", "04/29/2026", "07/01/2026", "Wed"},
      // The end date: passed before today keeps the date; passed on the way is stored.
      {":weekly:06/01/2026 x", "05/20/2026", "", "", {kEndPassed}},
      {":weekly:06/12/2026 x", "05/21/2026", "06/11/2026", "Thu"},
      {":weekly:06/10/2026 x", "05/21/2026", "06/11/2026", "Thu", {kEndPassed}},
      // From today or later it is one Increment, end date and all.
      {":weekly x", "06/10/2026", "06/17/2026", "Wed"},
      {":weekly:06/01/2026 x", "06/12/2026", "06/19/2026", "Fri", {kEndPassed}},
      {"Call the bank", "05/01/2026", "06/10/2026", "Wed"},
      // Centuries back stay one step.
      {":weekly x", "06/04/1626", "06/11/2026", "Thu"},
      {":daily x", "01/01/0001", "06/10/2026", "Wed"},
      {":monthly Rent", "01/31/1726", "06/30/2026", "Tue"},
      // A rule that stops moving the date ends where it stalls.
      {":weekly::2TUE x", "01/13/2026", "01/13/2026", "Tue"},
      {":Monthly x", "01/10/2006", "", "", {kNoWord}},
      {":monthly::6TUE x", "01/10/2006", "", "", {kBadSpecial}},
      {"any text", "", "", "", {kNoDate}},
  };
  for (const IncrementCase& c : cases) {
    SCOPED_TRACE(c.Description + " on \"" + c.Before + "\"");
    ListFixture f;
    OneTask(f, c.Before, c.Description);
    const std::vector<std::string> before = f.RowCells(1);
    PressCatchUp(f);
    EXPECT_EQ(f.Ui.Messages, c.Messages);
    EXPECT_TRUE(f.Ui.Errors.empty());
    if (c.After.empty()) {
      EXPECT_EQ(f.RowCells(1), before);
      continue;
    }
    EXPECT_EQ(f.RowCells(1), (std::vector<std::string>{c.After, c.Weekday, "2", c.Description}));
    f.List.Undo();
    EXPECT_EQ(f.RowCells(1), before);
  }
}

// Increment pressed until the date is no longer before today (or stops moving forward).
double PressedUntilToday(double date, const RepeatRule& rule, const DateFormat& dates,
                         double today) {
  double at = NextOccurrence(date, rule, dates).Date;
  if (date >= today) return at;
  while (at < today) {
    const double next = NextOccurrence(at, rule, dates).Date;
    if (next <= at) break;
    at = next;
  }
  return at;
}

TEST(CatchUpOccurrence, EqualsIncrementPressedUntilToday) {
  const std::vector<std::string> words = {"daily",     "weekly",    "biweekly",   "monthly",
                                          "bimonthly", "quarterly", "semiannual", "annual"};
  const std::vector<std::string> specials = {"", "", "1MON", "2TUE-3", "3FRI+10", "5SAT", "4SUN-1"};
  ListFixture f;
  const double today = DateOf(f.Dates.Now());
  std::mt19937 random(24);
  std::uniform_int_distribution<int> daysBack(-400, 9000);
  for (int i = 0; i < 3000; ++i) {
    RepeatRule rule;
    rule.Word = words[random() % words.size()];
    rule.Special = specials[random() % specials.size()];
    const double date = today - daysBack(random);
    SCOPED_TRACE(rule.Word + "::" + rule.Special + " from " + f.Dates.FormatDateText(date));
    const IncrementOutcome outcome = CatchUpOccurrence(date, rule, f.Dates, f.Dates.Now());
    ASSERT_TRUE(outcome.Error.empty());
    EXPECT_EQ(outcome.Date, PressedUntilToday(date, rule, f.Dates, today));
  }
}

TEST(RepeatRule, SplitsTheHeaderIntoThreeFieldsCutByPosition) {
  struct Case {
    std::string Description;
    std::string Word, EndDate, Special, Ordinal, Weekday, Offset;
  };
  const std::vector<Case> cases = {
      {":weekly Staff meeting", "weekly", "", "", "", "", ""},
      {":monthly:12/31/2007 Pay rent", "monthly", "12/31/2007", "", "", "", ""},
      {":monthly::2TUE Club night", "monthly", "", "2TUE", "2", "TUE", ""},
      {":monthly::1fRi-2 Prepare", "monthly", "", "1fRi-2", "1", "FRI", "-2"},
      {":quarterly:06/30/2008:3MON Review", "quarterly", "06/30/2008", "3MON", "3", "MON", ""},
      {":a:b:1SUN-12345:d x", "a", "b", "1SUN-12345", "1", "SUN", "-123"},
      {":monthly::2 x", "monthly", "", "2", "2", "", ""},
      {":weekly", "", "", "", "", "", ""},
      {": weekly x", "", "", "", "", "", ""},
      {"weekly x", "", "", "", "", "", ""},
      {" :weekly x", "", "", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Description);
    const RepeatRule rule = ParseRepeatHeader(c.Description);
    EXPECT_EQ(rule.Word, c.Word);
    EXPECT_EQ(rule.EndDate, c.EndDate);
    EXPECT_EQ(rule.Special, c.Special);
    EXPECT_EQ(rule.Ordinal(), c.Ordinal);
    EXPECT_EQ(rule.Weekday(), c.Weekday);
    EXPECT_EQ(rule.DayOffset(), c.Offset);
  }
}

TEST(RepeatRule, LooksUpOrdinalsAndWeekdaysByPosition) {
  const std::vector<std::pair<std::string, int>> weekdays = {
      {"SUN", 1}, {"MON", 2}, {"TUE", 3}, {"WED", 4}, {"THU", 5}, {"FRI", 6}, {"SAT", 7},
      {"UNM", 1}, {"NMO", 1}, {"ONT", 2}, {"  S", 0}, {"XYZ", 0}, {"sun", 0}, {"", 0},
  };
  for (const auto& [text, number] : weekdays) EXPECT_EQ(WeekdayNumber(text), number) << text;
  const std::vector<std::pair<std::string, int>> ordinals = {
      {"1", 1}, {"5", 5}, {"0", 0}, {"6", 0}, {"x", 0}, {"", 0},
  };
  for (const auto& [text, number] : ordinals) EXPECT_EQ(OrdinalNumber(text), number) << text;
}

}  // namespace
}  // namespace taskwell
