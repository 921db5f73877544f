// --export and --import on real files, and an import in the window as one undoable change.
#include "list/TaskExchange.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "list/RecoveryJournal.h"
#include "support/FakePlatform.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::Day;

const std::string& kHeader = testing::kTaskHeader;

struct Outcome {
  int Status;
  std::string Out;
  std::string Err;
};

Outcome Import(const std::string& path, const std::string& file) {
  const FixedClock clock(Day(2026, 6, 10));
  std::ostringstream out;
  std::ostringstream err;
  const int status = ImportIntoTaskFile(path, file, {}, clock, out, err);
  return {status, out.str(), err.str()};
}

TEST(TaskExchange, ImportCreatesAppendsInOrderAndRefusesWithoutTouchingTheList) {
  testing::TempDir dir;
  const std::string list = dir.Path("list.todo");
  const std::string todo = dir.Path("phone.txt");
  testing::WriteBytes(todo, "x done\n(C) Third\nFirst due:2026-06-12\nSecond rec:+3b\n");
  const Outcome created = Import(todo, list);
  EXPECT_EQ(created.Status, 0) << created.Err;
  EXPECT_EQ(created.Out, "Imported 3 tasks into " + list +
                             "; 1 completed or cancelled task left out.\n"
                             "line 4: rec:+3b has no repeat word: imported as a one-off task\n");
  const std::string afterFirst =
      std::string(kHeader) + ",2,,\"Third\"\r\n6/12/26,,,\"First\"\r\n,,,\"Second\"\r\n";
  EXPECT_EQ(testing::ReadBytes(list), afterFirst);

  const std::string ics = dir.Path("more.ics");
  testing::WriteBytes(ics,
                      "BEGIN:VCALENDAR\nBEGIN:VTODO\nSUMMARY:Fourth\nEND:VTODO\nEND:VCALENDAR\n");
  EXPECT_EQ(Import(ics, list).Status, 0);
  EXPECT_EQ(testing::ReadBytes(list), afterFirst + ",,,\"Fourth\"\r\n");

  testing::WriteBytes(
      ics, "BEGIN:VCALENDAR\nBEGIN:VTODO\nSUMMARY:Fifth\nDUE:tomorrow\nEND:VTODO\nEND:VCALENDAR\n");
  const Outcome malformed = Import(ics, list);
  EXPECT_EQ(malformed.Status, 1);
  EXPECT_EQ(malformed.Err,
            "taskwell: " + ics + ", line 4: DUE is not a date: tomorrow; nothing was imported\n");
  EXPECT_EQ(testing::ReadBytes(list), afterFirst + ",,,\"Fourth\"\r\n");
  const Outcome unreadable = Import(dir.Path("missing.ics"), list);
  EXPECT_EQ(unreadable.Status, 1);
  EXPECT_NE(unreadable.Err.find("missing.ics"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("missing.todo")));
}

TEST(TaskExchange, ImportDoesNotRemakeADeletedListWhoseLastKnownCopyHoldsTasks) {
  testing::TempDir dir;
  setenv("XDG_STATE_HOME", dir.Path("state").c_str(), 1);
  const std::string list = dir.Path("list.todo");
  const std::string todo = dir.Path("phone.txt");
  testing::WriteBytes(todo, "New one\n");
  const RecoveryJournal journal(RecoveryJournal::StateFolder(), list);
  journal.WriteShared(std::string(kHeader) + ",,,\"kept\"\r\n");
  const Outcome refused = Import(todo, list);
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(
      refused.Err.find(list + " is missing, but Taskwell's last known copy of it holds 1 task"),
      std::string::npos)
      << refused.Err;
  EXPECT_FALSE(std::filesystem::exists(list));
  // A copy without tasks lost nothing: the list is made.
  journal.WriteShared(kHeader);
  EXPECT_EQ(Import(todo, list).Status, 0);
  EXPECT_EQ(testing::ReadBytes(list), std::string(kHeader) + ",,,\"New one\"\r\n");
  unsetenv("XDG_STATE_HOME");
}

TEST(TaskExchange, ExportOnlyReadsTheListAndRefusesOneItCannotReadWhole) {
  testing::TempDir dir;
  const std::string list = dir.Path("list.todo");
  const std::string content = std::string(kHeader) + "6/12/26,,,\"First\"\r\n";
  testing::WriteBytes(list, content);
  const FixedClock clock(Day(2026, 6, 10));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(ExportTaskFile(list, ExchangeFormat::TodoTxt, {}, clock, 0, out, err), 0);
  EXPECT_EQ(out.str(), "First due:2026-06-12\n");
  EXPECT_EQ(testing::ReadBytes(list), content);
  testing::WriteBytes(list, std::string(kHeader) + "6/12/26,,,\"First\"\r\nsoon,,,\"Bad\"\r\n");
  std::ostringstream partial;
  EXPECT_EQ(ExportTaskFile(list, ExchangeFormat::ICalendar, {}, clock, 0, partial, err), 1);
  EXPECT_EQ(partial.str(), "");
  EXPECT_EQ(
      ExportTaskFile(dir.Path("none.todo"), ExchangeFormat::ICalendar, {}, clock, 0, partial, err),
      1);
}

TEST(TaskExchange, AnImportInTheWindowIsOneUndoableChange) {
  testing::ListFixture f;
  f.SetRows({{"", "1", "", "Existing"}});
  TaskList tasks;
  tasks.Tasks.resize(2);
  tasks.Tasks[0].Description = "New one";
  tasks.Tasks[1].Description = "New two";
  tasks.Tasks[1].Project = 20000;
  const std::vector<Message> notKept = f.List.ImportTasks(tasks);
  EXPECT_EQ(notKept,
            std::vector<Message>{"\"New two\": project 2 (the list has no project column)"});
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"Existing", "New one", "New two"}));
  EXPECT_EQ(f.List.History().UndoSteps(), 1u);
  f.List.Undo();
  EXPECT_EQ(f.Descriptions(), std::vector<std::string>{"Existing"});
  // The undone rows are kept for a redo, and given back to the step by the next undo.
  f.List.Redo();
  EXPECT_EQ(f.Descriptions(), (std::vector<std::string>{"Existing", "New one", "New two"}));
  f.List.Undo();
  EXPECT_EQ(f.Descriptions(), std::vector<std::string>{"Existing"});
}

TEST(TaskExchange, ImportKeepsASingleByteListSingleByteOrRefusesAndMakesNewListsWithTheColumn) {
  testing::TempDir dir;
  const std::string list = dir.Path("old.todo");
  const std::string old = std::string(kHeader) + ",1,,\"Caf\xE9\"\r\n";
  testing::WriteBytes(list, old);
  const std::string todo = dir.Path("todo.txt");
  testing::WriteBytes(todo, "Cr\xC3\xA8me\n");
  EXPECT_EQ(Import(todo, list).Status, 0);
  EXPECT_EQ(testing::ReadBytes(list), old + ",,,\"Cr\xE8me\"\r\n");

  testing::WriteBytes(todo, "\xE6\x97\xA5\xE6\x9C\xAC\n");
  const Outcome refused = Import(todo, list);
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(refused.Err.find("Windows-1252"), std::string::npos) << refused.Err;
  EXPECT_EQ(testing::ReadBytes(list), old + ",,,\"Cr\xE8me\"\r\n");

  const std::string ics = dir.Path("projects.ics");
  testing::WriteBytes(ics,
                      "BEGIN:VCALENDAR\nX-TASKWELL-PROJECT-COLUMN:TRUE\nBEGIN:VTODO\nSUMMARY:A\n"
                      "X-TASKWELL-PROJECT:3\nEND:VTODO\nEND:VCALENDAR\n");
  EXPECT_EQ(Import(ics, dir.Path("new.todo")).Status, 0);
  EXPECT_EQ(testing::ReadBytes(dir.Path("new.todo")),
            "\"Date\",\"Priority\",\"SubPriority\",\"Project\",\"Description\"\r\n,,,3,\"A\"\r\n");
}

}  // namespace
}  // namespace taskwell
