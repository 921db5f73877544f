// VTODOs as other programs write them: dates in their time zones, rules, notes, what is left out.
#include "interchange/ICalendarReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "document/Calendar.h"
#include "support/FakePlatform.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

// The user's own time zone for one test.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* before = std::getenv("TZ")) before_ = before;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (before_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", before_.c_str(), 1);
    }
    tzset();
  }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;

 private:
  std::string before_;
};

const FixedClock kClock(testing::Day(2026, 6, 10));
const DateFormat kDates(RegionalSettings{}, kClock);

ImportedTasks Read(const std::string& text) {
  return ICalendarReader(kDates).Read(text);
}

TEST(ICalendarReader, ReadsAPhoneAppsTasksInTheUsersTimeZone) {
  const TimeZone berlin("Europe/Berlin");
  const ImportedTasks read = Read(testing::DataFile("interchange/phone.ics"));
  EXPECT_EQ(read.Completed, 2);
  ASSERT_EQ(read.List.Tasks.size(), 6u);
  const std::vector<std::pair<double, std::string>> expected = {
      {EncodeDate(2026, 6, 11), "Berlin midnight"},
      {EncodeDate(2026, 6, 11), "Late in UTC"},
      {EncodeDate(2026, 6, 11), "New York evening"},
      {EncodeDate(2026, 6, 9),
       ":bimonthly::2TUE Club night [notes: Bring the cards. And the snacks, too.]"},
      {EncodeDate(2026, 6, 20), "Starts only"},
      {EncodeDate(2026, 6, 15), "Every ten days"},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(read.List.Tasks[i].Date, expected[i].first) << i;
    EXPECT_EQ(read.List.Tasks[i].Description, expected[i].second);
  }
  EXPECT_EQ(read.NotKept,
            (std::vector<Message>{
                "line 27, \"Late in UTC\": priority 5 (a dated task's order is its date)",
                "line 47, \"Club night [notes: Bring the cards. And ...\": not kept: alarm",
                "line 60, \"Starts only\": not kept: categories Work,Home",
                "line 67, \"Every ten days\": repeats as FREQ=DAILY;INTERVAL=10, which no repeat "
                "word says: imported as a one-off task"}));

  const TimeZone newYork("America/New_York");
  EXPECT_EQ(Read(testing::DataFile("interchange/phone.ics")).List.Tasks[0].Date,
            EncodeDate(2026, 6, 10));
}

TEST(ICalendarReader, ReadsTheStandardsOwnExampleFoldedWithCrLf) {
  const ImportedTasks read = Read(testing::DataFile("interchange/rfc5545.ics"));
  EXPECT_EQ(read.Completed, 1);
  ASSERT_EQ(read.List.Tasks.size(), 1u);
  EXPECT_EQ(read.List.Tasks[0].Description, "Submit Quebec Income Tax Return for 2006");
  EXPECT_EQ(read.List.Tasks[0].Date, EncodeDate(2007, 5, 1));
  EXPECT_EQ(read.NotKept, std::vector<Message>{"line 4, \"Submit Quebec Income Tax Return for "
                                               "2006\": not kept: CLASS, categories "
                                               "FAMILY,FINANCE, attachment"});
}

TEST(ICalendarReader, NamesTheLineOfWhatItCannotRead) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "line 1: the file is empty"},
      {"BEGIN:VCALENDAR\nBEGIN:VTODO\nSUMMARY no colon\n",
       "line 3: SUMMARY has no \":\" before its value"},
      {"BEGIN:VCALENDAR\nBEGIN:VTODO\nDUE:20261345\nEND:VTODO\nEND:VCALENDAR\n",
       "line 3: DUE is not a date: 20261345"},
      {"BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VEVENT\n",
       "line 3: END:VEVENT where END:VTODO was expected"},
      {"BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:x\r\n", "line 3: the file ends before END:VTODO"},
      {"BEGIN:VCALENDAR\nBEGIN:VTODO\nRRULE:FREQ=SOMETIMES\nEND:VTODO\nEND:VCALENDAR\n",
       "line 3: RRULE is not a recurrence rule: FREQ=SOMETIMES"},
      {"BEGIN:VCALENDAR\nEND:VCALENDAR\nSUMMARY:after\n",
       "line 3: SUMMARY outside BEGIN:VCALENDAR ... END:VCALENDAR"},
      {"BEGIN:VCALENDAR\nBEGIN:VTODO\nX-TASKWELL-SUBPRIORITY:two\nEND:VTODO\nEND:VCALENDAR\n",
       "line 3: X-TASKWELL-SUBPRIORITY is not a number: two"},
  };
  for (const auto& [text, message] : cases) {
    try {
      Read(text);
      ADD_FAILURE() << "read: " << text;
    } catch (const ImportError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
}

}  // namespace
}  // namespace taskwell
