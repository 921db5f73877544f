// What the user typed, or what the table held, is either kept as meant or refused with a message.
#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace taskwell::testing {
namespace {

// Rows move under the edit position: the next commit or Escape still acts on its own task.
TEST(EditPosition, FollowsItsTaskWhenRowsComeAndGo) {
  {  // Two deletes, then leaving the grid: the last task keeps its priority.
    ListFixture f;
    f.SetRows(
        {{"01/05/2026", "Mon", "", ":weekly Gym"}, {"", "1", "", "Plain"}, {"", "2", "", "Last"}});
    f.List.DeleteButtonClick();
    f.List.DeleteButtonClick();
    EXPECT_TRUE(f.List.Guarded([&] { f.List.GridExit(); }));
    EXPECT_EQ(f.RowCells(1), (Cells{"", "2", "", "Last"}));
  }
  {  // Add from a dated task's date cell, then Escape: the new row stays blank.
    ListFixture f;
    f.SetRows({{"06/12/2026", "Fri", "", "Dated"}});
    f.List.AddButtonClick();
    f.List.GridKeyUp(kEscapeKey);
    EXPECT_EQ(f.RowCells(1), (Cells{"", "", "", ""}));
    EXPECT_EQ(f.RowCells(2), (Cells{"06/12/2026", "Fri", "", "Dated"}));
  }
  {  // Replicate from the description, then Escape: the copy keeps its date and weekday.
    ListFixture f;
    f.SetRows({{"06/12/2026", "Fri", "", ":weekly - Swim"}});
    ASSERT_TRUE(f.Move(kDesc, 1));
    f.List.ReplicateButtonClick();
    f.List.GridKeyUp(kEscapeKey);
    EXPECT_EQ(f.RowCells(1), (Cells{"06/12/2026", "Fri", "", "Swim"}));
    EXPECT_EQ(f.RowCells(2), (Cells{"06/12/2026", "Fri", "", ":weekly - Swim"}));
  }
  {  // A typed date in the new row of Add is still completed on leaving it.
    ListFixture f;
    f.SetRows({{"06/12/2026", "Fri", "", "Dated"}});
    f.List.AddButtonClick();
    f.Type(kDate, "15 Jan");
    ASSERT_TRUE(f.Move(kPri, 1));
    EXPECT_EQ(f.RowCells(1), (Cells{"01/15/2026", "Thu", "", ""}));
  }
}

// The grid's own date text is never read again in the regional order.
TEST(EditPosition, IncrementedDatesAreNotReadAgainUnderRegionalOrders) {
  for (const char* locale : {"de_DE.UTF-8", "sv_SE.UTF-8", "fr_FR.UTF-8", "C"}) {
    SCOPED_TRACE(locale);
    ListFixture f(Day(2026, 6, 10), LocaleSettings(locale));
    const std::string june1 = f.Dates.FormatDateText(EncodeDate(2026, 6, 1));
    f.SetRows({{june1, f.Dates.WeekdayText(EncodeDate(2026, 6, 1)), "", ":weekly Zahnarzt"},
               {"", "", "", "other"}});
    f.List.IncrementButtonClick();
    ASSERT_TRUE(f.Move(kPri, 1));
    ASSERT_TRUE(f.Move(kSub, 1));
    ASSERT_TRUE(f.Move(kSub, 2));
    EXPECT_EQ(f.List.Table().Cell(kDate, 1), f.Dates.FormatDateText(EncodeDate(2026, 6, 8)));
    // Typing the grid's own form of a date gives that date, whatever the regional order.
    const std::string june15 = f.Dates.FormatDateText(EncodeDate(2026, 6, 15));
    ASSERT_TRUE(f.Move(kDate, 2));
    f.Type(kDate, june15);
    EXPECT_TRUE(f.Move(kDesc, 2));
    EXPECT_EQ(f.List.Table().Cell(kDate, 2), june15);
    EXPECT_TRUE(f.Ui.Errors.empty());
    EXPECT_TRUE(f.Ui.Messages.empty());
  }
}

const Cells kTaskX{"", "3", "", "x"};

// Task x above task y: text typed into one of x's cells, then the move down that commits it.
bool TypeIntoTaskXAndMoveDown(ListFixture& f, int col, const std::string& typed) {
  f.SetRows({kTaskX, {"", "", "", "y"}});
  f.Type(col, typed);
  return f.Move(col, 2);
}

struct RefusedCase {
  const char* Locale;
  int Col;
  std::string Typed;
  std::string Message;  // "Invalid Date - …" under "Error", or the error report's text
};

// Text the file could not hold is refused at once: the message, the text kept, the move stopped.
TEST(CommitRefusal, TextThatIsNoDateOrNoNumberKeepsTheCursor) {
  const std::vector<RefusedCase> cases = {
      {"C", kDate, "someday", "Invalid Date - someday"},
      {"C", kDate, "March", "Invalid Date - March"},
      {"C", kDate, "Jan 15th", "Invalid Date - Jan 15th"},
      {"C", kDate, "2/30  ", "Invalid Date - 2/30"},
      {"C", kPri, "high", "'high' is not a valid number."},
      {"C", kSub, "2,5", "'2,5' is not a valid number."},
      {"de_DE.UTF-8", kPri, "2.5", "'2.5' is not a valid number."},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.Typed);
    ListFixture f(Day(2026, 6, 10), LocaleSettings(c.Locale));
    EXPECT_FALSE(TypeIntoTaskXAndMoveDown(f, c.Col, c.Typed));
    const bool isDate = c.Col == kDate;
    ASSERT_EQ(f.Ui.Messages.size() + f.Ui.Errors.size(), 1U);
    EXPECT_EQ(isDate ? f.Ui.Messages[0].Text : f.Ui.Errors[0].Text, c.Message);
    EXPECT_EQ(f.List.Table().Row(), 1);
    EXPECT_EQ(f.List.Table().Cell(c.Col, 1), c.Typed);
    // Escape gives back what the cell held.
    f.List.GridKeyUp(kEscapeKey);
    EXPECT_EQ(f.RowCells(1), kTaskX);
    EXPECT_TRUE(f.Move(c.Col, 2));
  }
}

struct AcceptedCase {
  const char* Locale;
  int Col;
  std::string Typed;
  Cells After;
};

TEST(CommitRefusal, NumbersDatesAndMonthNamesThatAreMeantAreKept) {
  const std::vector<AcceptedCase> cases = {
      {"C", kDate, "15 ", {"06/15/2026", "Mon", "", "x"}},
      {"C", kPri, "", {"", "", "", "x"}},
      {"de_DE.UTF-8", kSub, "2,5", {"", "3", "2,5", "x"}},
      {"fr_FR.UTF-8", kDate, "15 juin", {"06/15/2026", "lun.", "", "x"}},
      {"fr_FR.UTF-8", kDate, "15 juil.", {"07/15/2026", "mer.", "", "x"}},
      {"fr_FR.UTF-8", kDate, "15 jui", {"07/15/2026", "mer.", "", "x"}},
  };
  for (const AcceptedCase& c : cases) {
    SCOPED_TRACE(c.Typed);
    ListFixture f(Day(2026, 6, 10), LocaleSettings(c.Locale));
    EXPECT_TRUE(TypeIntoTaskXAndMoveDown(f, c.Col, c.Typed));
    Cells expected = c.After;
    if (c.Locale != std::string("C")) {  // the regional separator in the grid's date text
      for (char& ch : expected[0]) ch = ch == '/' ? f.Dates.Regional().DateSeparator : ch;
    }
    EXPECT_EQ(f.RowCells(1), expected);
  }
}

// Only a date cell that reads as a date makes a task dated.
TEST(CommitRefusal, APriorityOutlivesADateCellThatNeverHeldADate) {
  ListFixture f;
  f.SetRows({{"2/30", "3", "", "x"}, {"", "", "", "y"}});
  f.Type(kDate, "");
  EXPECT_TRUE(f.Move(kDate, 2));
  EXPECT_EQ(f.RowCells(1), (Cells{"", "3", "", "x"}));
}

}  // namespace
}  // namespace taskwell::testing
