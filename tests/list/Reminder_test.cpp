// What a reminder says: overdue as the grid colours it, due today as Print and --due 0 count day 0.
#include "list/Reminder.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace taskwell {
namespace {

TEST(ReminderOf, CountsByTheDateReadingOfPrintAndTheGrid) {
  struct Case {
    double Hours;
    std::string Summary;
    std::string Body;
  };
  // Wednesday 06/10/2026. From noon on, tomorrow counts as day 0 for Print, so here too.
  const std::vector<Case> cases = {
      {9.0, "home: 2 overdue, 1 due today", "Yesterday\nLast year\nToday <&>"},
      {15.0, "home: 2 overdue, 2 due today", "Yesterday\nLast year\nTomorrow\nToday <&>"},
  };
  LoadedRows list;
  list.Rows.Append({{"06/11/2026", "", "", "Tomorrow"},
                    {"06/09/2026", "", "", ":weekly:12/31/2026 Yesterday"},
                    {"06/10/2026", "", "", "Today <&>"},
                    {"", "0", "", "Undated"},
                    {"06/12/2026", "", "", "Friday"},
                    {"06/10/2026", "", "", " "},
                    {"06/10/2025", "", "", "Last year"}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Hours);
    const FixedClock clock(testing::Day(2026, 6, 10, c.Hours));
    const Reminder reminder = ReminderOf("home", list, DateFormat({}, clock), true);
    EXPECT_EQ(reminder.Summary, c.Summary);
    EXPECT_EQ(reminder.Body(false), c.Body);
  }
  const FixedClock clock(testing::Day(2026, 6, 10));
  EXPECT_EQ(ReminderOf("home", list, DateFormat({}, clock), true).Body(true),
            "Yesterday\nLast year\nToday &lt;&amp;&gt;");
}

}  // namespace
}  // namespace taskwell
