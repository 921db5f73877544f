// What a reminder says: overdue as the grid colours it, due today as Print and --due 0 count day 0.
#include "list/Reminder.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace taskwell {
namespace {

using testing::Day;
using testing::ListFixture;

TEST(ReminderOf, CountsByTheDateReadingOfPrintAndTheGrid) {
  struct Case {
    double Hours;
    int Overdue;
    int DueToday;
    std::string Summary;
    std::string Body;
  };
  // Wednesday 06/10/2026. From noon on, tomorrow counts as day 0 for Print, so here too.
  const std::vector<Case> cases = {
      {9.0, 2, 1, ": 2 overdue, 1 due today", "Yesterday\nLast year\nToday"},
      {15.0, 2, 2, ": 2 overdue, 2 due today", "Yesterday\nLast year\nTomorrow\nToday"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Hours);
    ListFixture f(Day(2026, 6, 10, c.Hours));
    f.SetRows({{"06/11/2026", "", "", "Tomorrow"},
               {"06/09/2026", "", "", ":weekly:12/31/2026 Yesterday"},
               {"06/10/2026", "", "", "Today"},
               {"", "0", "", "Undated"},
               {"06/12/2026", "", "", "Friday"},
               {"06/10/2025", "", "", "Last year"}});
    const Reminder reminder = ReminderOf(f.List);
    EXPECT_EQ(reminder.Overdue, c.Overdue);
    EXPECT_EQ(reminder.DueToday, c.DueToday);
    EXPECT_EQ(reminder.Summary, f.List.ListTitle() + c.Summary);
    EXPECT_EQ(reminder.Body(false), c.Body);
  }
}

TEST(ReminderOf, ListsFiveThenHowManyMoreAndEscapesForMarkup) {
  ListFixture f;
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 6; ++i)
    rows.push_back({"06/10/2026", "", "", "Pay <" + std::to_string(i) + "> & go"});
  rows.push_back({"06/01/2026", "", "", "Late"});
  f.SetRows(rows);
  const Reminder reminder = ReminderOf(f.List);
  EXPECT_EQ(reminder.Body(false),
            "Late\nPay <1> & go\nPay <2> & go\nPay <3> & go\nPay <4> & go\nand 2 more");
  EXPECT_EQ(reminder.Body(true).substr(0, 28), "Late\nPay &lt;1&gt; &amp; go\n");
  f.SetRows({{"06/20/2026", "", "", "Later"}});
  EXPECT_TRUE(ReminderOf(f.List).Empty());
}

}  // namespace
}  // namespace taskwell
