// What a reminder says: overdue as the grid colours it, due today as Print and --due 0 count day 0.
#include "list/Reminder.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace taskwell {
namespace {

using testing::Day;

LoadedRows Rows(const std::vector<TaskCells>& tasks) {
  LoadedRows list;
  list.Rows.insert(list.Rows.end(), tasks.begin(), tasks.end());
  return list;
}

TEST(ReminderOf, CountsByTheDateReadingOfPrintAndTheGrid) {
  struct Case {
    double Hours;
    std::string Summary;
    std::string Body;
  };
  // Wednesday 06/10/2026. From noon on, tomorrow counts as day 0 for Print, so here too.
  const std::vector<Case> cases = {
      {9.0, "home: 2 overdue, 1 due today", "Yesterday\nLast year\nToday"},
      {15.0, "home: 2 overdue, 2 due today", "Yesterday\nLast year\nTomorrow\nToday"},
  };
  const LoadedRows list = Rows({{"06/11/2026", "", "", "Tomorrow"},
                                {"06/09/2026", "", "", ":weekly:12/31/2026 Yesterday"},
                                {"06/10/2026", "", "", "Today"},
                                {"", "0", "", "Undated"},
                                {"06/12/2026", "", "", "Friday"},
                                {"06/10/2026", "", "", " "},
                                {"06/10/2025", "", "", "Last year"}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Hours);
    const FixedClock clock(Day(2026, 6, 10, c.Hours));
    const Reminder reminder = ReminderOf("home", list, DateFormat({}, clock), true);
    EXPECT_EQ(reminder.Summary, c.Summary);
    EXPECT_EQ(reminder.Body(false), c.Body);
  }
}

TEST(ReminderOf, ListsFiveThenHowManyMoreInUtf8AndEscapesForMarkup) {
  const FixedClock clock(Day(2026, 6, 10));
  const DateFormat dates({}, clock);
  std::vector<TaskCells> tasks;
  for (int i = 1; i <= 6; ++i) {
    tasks.push_back({"06/10/2026", "", "", "Caf\xe9 <" + std::to_string(i) + "> & go"});
  }
  tasks.push_back({"06/01/2026", "", "", "Late"});
  const Reminder reminder = ReminderOf("home", Rows(tasks), dates, false);
  EXPECT_EQ(reminder.Summary, "home: 1 overdue, 6 due today");
  EXPECT_EQ(reminder.Body(false),
            "Late\nCaf\u00e9 <1> & go\nCaf\u00e9 <2> & go\nCaf\u00e9 <3> & go\nCaf\u00e9 <4> & "
            "go\nand 2 more");
  EXPECT_EQ(reminder.Body(true).substr(0, 30), "Late\nCaf\u00e9 &lt;1&gt; &amp; go\n");
  EXPECT_TRUE(ReminderOf("home", Rows({{"06/20/2026", "", "", "Later"}}), dates, true).Empty());
}

}  // namespace
}  // namespace taskwell
