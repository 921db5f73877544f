// The mapping each way, and random lists that must come back from either format unchanged.
#include "interchange/Interchange.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "document/Calendar.h"
#include "interchange/ICalendarWriter.h"
#include "list/TaskExchange.h"
#include "list/ToDoList.h"
#include "support/FakePlatform.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::Day;

const FixedClock kClock(Day(2026, 6, 10));
const DateFormat kDates(RegionalSettings{}, kClock);

TaskFields Task(double date, std::optional<Fixed4> priority, std::string description) {
  TaskFields task;
  task.Date = date;
  task.Priority = priority;
  task.Description = std::move(description);
  return task;
}

std::string Export(const TaskFields& task, ExchangeFormat format) {
  return ExportText(TaskList{{task}, false}, format, kDates, 1781082000);
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Interchange, WritesEachFieldWhereTheOtherProgramsLookForIt) {
  const double june10 = EncodeDate(2026, 6, 10);
  struct Case {
    TaskFields Task;
    std::vector<std::string> Ics;  // lines the VTODO holds
    std::string Todo;              // the todo.txt line
  };
  const std::vector<Case> cases = {
      {Task(june10, {}, "Call the bank"),
       {"SUMMARY:Call the bank", "DUE;VALUE=DATE:20260610"},
       "Call the bank due:2026-06-10"},
      {Task(0, 0, "Most urgent"), {"PRIORITY:1"}, "(A) Most urgent"},
      {Task(0, 80000, "Ninth"), {"PRIORITY:9"}, "(I) Ninth"},
      {Task(0, 120000, "Past nine"), {"PRIORITY:9", "X-TASKWELL-PRIORITY:12"}, "(M) Past nine"},
      {Task(0, 25000, "Half"), {"PRIORITY:4", "X-TASKWELL-PRIORITY:2.5"}, "Half tw-pri:2.5"},
      {Task(0, -30000, "Minus"), {"PRIORITY:1", "X-TASKWELL-PRIORITY:-3"}, "Minus tw-pri:-3"},
      {Task(june10, {}, ":biweekly Pay, rent; \\ now"),
       {"SUMMARY:Pay\\, rent\\; \\\\ now", "RRULE:FREQ=WEEKLY;INTERVAL=2",
        "X-TASKWELL-REPEAT:biweekly"},
       "Pay, rent; \\ now due:2026-06-10 rec:+2w tw-repeat:biweekly"},
      {Task(0, {}, ":quarterly:06/30/2028:3MON Review"),
       {"RRULE:FREQ=MONTHLY;INTERVAL=3;UNTIL=20280630;BYDAY=3MO",
        "X-TASKWELL-REPEAT:quarterly%3A06/30/2028%3A3MON"},
       "Review tw-repeat:quarterly:06/30/2028:3MON"},
      {Task(0, {}, ":monthly::1FRI-2 Prepare"),
       {"RRULE:FREQ=MONTHLY;BYDAY=1FR", "X-TASKWELL-DAY-OFFSET:-2"},
       "Prepare tw-repeat:monthly::1FRI-2"},
      {Task(0, {}, ":annual Birthday"), {"RRULE:FREQ=YEARLY"}, "Birthday rec:+1y tw-repeat:annual"},
      // No rule says these; the header travels alone.
      {Task(0, {}, ":Monthly::2TUE Club"),
       {"X-TASKWELL-REPEAT:Monthly%3A%3A2TUE"},
       "Club tw-repeat:Monthly::2TUE"},
      {Task(0, {}, ":weekly::2TUE x"),
       {"X-TASKWELL-REPEAT:weekly%3A%3A2TUE"},
       "tw-text:x x tw-repeat:weekly::2TUE"},  // "x " would read as done
      {Task(0, {}, "x marks  the spot"),
       {"SUMMARY:x marks  the spot"},
       "tw-text:x%20marks%20%20the%20spot x marks the spot"},
      {Task(0, {}, "line\rbreak"),
       {"SUMMARY:line break", "X-TASKWELL-TEXT:line%0Dbreak"},
       "tw-text:line%0Dbreak line break"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Task.Description);
    const std::string ics = Export(c.Task, ExchangeFormat::ICalendar);
    for (const std::string& line : c.Ics) EXPECT_TRUE(Has(ics, line + "\r\n")) << ics;
    const bool rule = std::ranges::any_of(c.Ics, [](auto& l) { return l.starts_with("RRULE"); });
    EXPECT_EQ(Has(ics, "RRULE:"), rule);
    EXPECT_EQ(Export(c.Task, ExchangeFormat::TodoTxt), c.Todo + "\n");
    for (const ExchangeFormat format : {ExchangeFormat::ICalendar, ExchangeFormat::TodoTxt}) {
      const ImportedTasks back = ImportText(Export(c.Task, format), kDates);
      ASSERT_EQ(back.List.Tasks.size(), 1u);
      EXPECT_EQ(back.List.Tasks[0], c.Task);
      EXPECT_TRUE(back.NotKept.empty());
    }
  }
}

TEST(Interchange, ReadsOtherProgramsRulesAsRepeatWordsWhereOneSaysTheSame) {
  const double tuesday = EncodeDate(2026, 6, 9);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"FREQ=DAILY", ":daily "},
      {"FREQ=DAILY;INTERVAL=7", ":weekly "},
      {"FREQ=WEEKLY;BYDAY=TU;WKST=MO", ":weekly "},
      {"FREQ=MONTHLY;INTERVAL=6", ":semiannual "},
      {"FREQ=MONTHLY;INTERVAL=12", ":annual "},
      {"FREQ=MONTHLY;BYDAY=TU;BYSETPOS=2", ":monthly::2TUE "},
      {"FREQ=MONTHLY;BYMONTHDAY=9;UNTIL=20261231T235959Z", ":monthly:12/31/2026 "},
      {"FREQ=YEARLY;BYMONTH=6", ":annual "},
      // No repeat word: a one-off, named in the summary.
      {"FREQ=DAILY;INTERVAL=10", ""},
      {"FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", ""},
      {"FREQ=MONTHLY;BYDAY=-1FR", ""},
      {"FREQ=WEEKLY;COUNT=4", ""},
  };
  for (const auto& [rule, header] : cases) {
    SCOPED_TRACE(rule);
    const ImportedTasks read = ImportText(
        "BEGIN:VCALENDAR\nBEGIN:VTODO\nSUMMARY:Task\nDUE;VALUE=DATE:20260609\nRRULE:" + rule +
            "\nEND:VTODO\nEND:VCALENDAR\n",
        kDates);
    ASSERT_EQ(read.List.Tasks.size(), 1u);
    EXPECT_EQ(read.List.Tasks[0].Date, tuesday);
    EXPECT_EQ(read.List.Tasks[0].Description, header + "Task");
    EXPECT_EQ(read.NotKept.size(), header.empty() ? 1u : 0u);
  }
  const std::vector<std::pair<std::string, std::string>> recs = {{"rec:1d", ":daily "},
                                                                 {"rec:+2w", ":biweekly "},
                                                                 {"rec:12m", ":annual "},
                                                                 {"rec:+3b", ""},
                                                                 {"rec:5d", ""}};
  for (const auto& [rec, header] : recs) {
    const ImportedTasks read = ImportText("Task " + rec + "\n", kDates);
    EXPECT_EQ(read.List.Tasks.at(0).Description, header + "Task") << rec;
  }
}

TEST(Interchange, AnEditByAnotherProgramWinsOverTaskwellsOwnCopy) {
  // The standard field was changed elsewhere, so the X- value no longer describes the task.
  const ImportedTasks ics = ImportText(
      "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:Task\r\nPRIORITY:2\r\nX-TASKWELL-PRIORITY:2.5\r\n"
      "RRULE:FREQ=MONTHLY\r\nX-TASKWELL-REPEAT:weekly\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
      kDates);
  EXPECT_EQ(ics.List.Tasks.at(0), Task(0, 10000, ":monthly Task"));
  const ImportedTasks todo =
      ImportText("(C) Task rec:+1m tw-repeat:weekly tw-text:Old%20text tw-pri:2.5\n", kDates);
  EXPECT_EQ(todo.List.Tasks.at(0), Task(0, 20000, ":monthly Task"));
}

// A random task file as a user could have made it: every field, every awkward text.
std::string RandomTaskFile(std::mt19937& random, bool project) {
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  const auto chance = [&](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };
  const std::vector<std::string> headers = {"",
                                            ":weekly ",
                                            ":monthly:12/31/2027 ",
                                            ":monthly::2TUE ",
                                            ":monthly::1FRI-2 ",
                                            ":quarterly:06/30/2028:3MON ",
                                            ":annual ",
                                            ":Monthly::2TUE ",
                                            ": ",
                                            ":daily::9XYZ ",
                                            ":semiannual:1/2/30 ",
                                            ":bimonthly::5fri+3 ",
                                            ":weekly:soon "};
  const std::vector<std::string> words = {"Call",
                                          "the",
                                          "bank,",
                                          "\"\"quoted\"\"",
                                          "café",
                                          "日本語",
                                          "x",
                                          "(B)",
                                          "due:2026-01-01",
                                          "rec:+1w",
                                          "tw-pri:3",
                                          "%41",
                                          "a;b",
                                          "back\\slash",
                                          "+project",
                                          "@home",
                                          "key:value",
                                          "\t",
                                          "  ",
                                          ":colon",
                                          "2026-06-10",
                                          std::string(300, 'L')};
  const std::vector<std::string> numbers = {"",   "",    "0",  "1",      "7",  "25",
                                            "26", "2.5", "-3", "0.0625", "100"};
  std::string file = project
                         ? "\"Date\",\"Priority\",\"SubPriority\",\"Project\",\"Description\"\r\n"
                         : "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";
  const int tasks = std::uniform_int_distribution<int>(1, 25)(random);
  for (int i = 0; i < tasks; ++i) {
    std::string date;
    if (chance(50)) {
      const CalendarDate d =
          DecodeDate(Day(2000, 1, 1) + std::uniform_int_distribution<int>(0, 15000)(random));
      date = std::to_string(d.Month) + "/" + std::to_string(d.Day) + "/" + std::to_string(d.Year);
    }
    std::string description = pick(headers);
    const int count = std::uniform_int_distribution<int>(1, 6)(random);
    for (int w = 0; w < count; ++w) description += (w > 0 ? " " : "") + pick(words);
    file += date + "," + pick(numbers) + "," + pick(numbers) + "," +
            (project ? pick(numbers) + "," : "") + "\"" + description + "\"\r\n";
  }
  return file;
}

TEST(Interchange, RandomListsComeBackLineForLineFromEitherFormat) {
  std::mt19937 random(20260610);
  testing::TempDir dir;
  const std::string original = dir.Path("original.todo");
  const std::string exported = dir.Path("exported");
  for (int round = 0; round < 60; ++round) {
    const bool project = round % 3 == 0;
    testing::WriteBytes(original, RandomTaskFile(random, project));
    // The list's own save is the measure: loading already trims what the task file cannot hold.
    {
      testing::FakePlatform quiet;
      ToDoList list(quiet, kDates);
      list.FormCreate(original, "");
      ASSERT_TRUE(list.SaveTaskFile());
    }
    std::ostringstream out;
    std::ostringstream err;
    for (const ExchangeFormat format : {ExchangeFormat::ICalendar, ExchangeFormat::TodoTxt}) {
      SCOPED_TRACE(testing::ReadBytes(original));
      std::ostringstream text;
      ASSERT_EQ(ExportTaskFile(original, format, {}, kClock, 0, text, err), 0) << err.str();
      testing::WriteBytes(exported, text.str());
      const std::string back = dir.Path("back" + std::to_string(round) + ".todo");
      ASSERT_EQ(ImportIntoTaskFile(exported, back, {}, kClock, out, err), 0) << err.str();
      EXPECT_EQ(testing::ReadBytes(back), testing::ReadBytes(original)) << text.str();
      std::filesystem::remove(back);
    }
  }
}

TEST(Interchange, IcalendarOutputPassesLibicalsChecksAndFoldsAt75Octets) {
  std::string description = ":monthly::2TUE ";
  for (int i = 0; i < 40; ++i) description += "é日, ";
  description += "end";
  TaskList list{{Task(EncodeDate(2026, 6, 9), {}, description), Task(0, 25000, "Plain")}, true};
  list.Tasks[1].Project = 30000;
  const std::string ics = ExportText(list, ExchangeFormat::ICalendar, kDates, 1781082000);
  std::istringstream lines(ics);
  for (std::string line; std::getline(lines, line);) {
    ASSERT_TRUE(line.ends_with('\r'));
    EXPECT_LE(line.size(), 76u);
  }
  icalcomponent* calendar = icalparser_parse_string(ics.c_str());
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
  EXPECT_EQ(icalrestriction_check(calendar), 1);
  EXPECT_EQ(icalcomponent_count_components(calendar, ICAL_VTODO_COMPONENT), 2);
  icalcomponent* first = icalcomponent_get_first_component(calendar, ICAL_VTODO_COMPONENT);
  EXPECT_EQ(std::string(icalcomponent_get_summary(first)), description.substr(15));
  icalcomponent_free(calendar);
  // The same list exported later keeps its UIDs.
  const auto uids = [](const std::string& text) {
    std::string found;
    for (std::size_t at = text.find("UID:"); at != std::string::npos;
         at = text.find("UID:", at + 1))
      found += text.substr(at, text.find('\r', at) - at) + " ";
    return found;
  };
  EXPECT_EQ(uids(ExportText(list, ExchangeFormat::ICalendar, kDates, 1781090000)), uids(ics));
  EXPECT_NE(uids(ics).substr(0, 20), uids(ics).substr(uids(ics).find(' ') + 1, 20));
}

TEST(Interchange, ASecondParserReadsTheSameTasks) {
  testing::TempDir dir;
  const std::string path = dir.Path("out.ics");
  TaskList list{{Task(EncodeDate(2026, 6, 9), {}, ":weekly Füße, \"waschen\""),
                 Task(0, 0, std::string(200, 'x') + " ende")},
                false};
  testing::WriteBytes(path, ExportText(list, ExchangeFormat::ICalendar, kDates, 1781082000));
  const std::string script =
      "import icalendar,sys\n"
      "c=icalendar.Calendar.from_ical(open(sys.argv[1],'rb').read())\n"
      "for t in c.walk('VTODO'):\n"
      " print(t['SUMMARY'], t.get('DUE').to_ical().decode() if t.get('DUE') else '-', "
      "t['RRULE'].to_ical().decode() if t.get('RRULE') else '-', t.get('PRIORITY', '-'))\n";
  testing::WriteBytes(dir.Path("check.py"), script);
  FILE* pipe = popen(("/usr/bin/python3 " + dir.Path("check.py") + " " + path).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  ASSERT_EQ(pclose(pipe), 0) << output;
  EXPECT_EQ(output,
            "Füße, \"waschen\" 20260609 FREQ=WEEKLY -\n" + std::string(200, 'x') + " ende - - 1\n");
}

}  // namespace
}  // namespace taskwell
