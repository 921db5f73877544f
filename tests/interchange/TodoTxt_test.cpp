// todo.txt as plain-text tools keep it.
#include "interchange/TodoTxt.h"

#include <gtest/gtest.h>

#include "document/Calendar.h"
#include "document/Text.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

TEST(TodoTxt, ReadsADesktopToolsFileAndKeepsItsWordsInTheDescription) {
  const ImportedTasks read = TodoTxt::Read(testing::DataFile("interchange/desktop.txt"));
  EXPECT_EQ(read.Completed, 1);
  ASSERT_EQ(read.List.Tasks.size(), 4u);
  const auto& tasks = read.List.Tasks;
  EXPECT_EQ(tasks[0].Description, "2026-05-01 Call Mom +family @phone t:2026-06-01");
  EXPECT_EQ(tasks[0].Priority, Fixed4{10000});
  EXPECT_EQ(tasks[0].Date, 0);
  EXPECT_EQ(tasks[1].Description, ":weekly Water plants");
  EXPECT_EQ(tasks[1].Date, EncodeDate(2026, 6, 12));
  EXPECT_EQ(tasks[2].Description, "Book club");
  EXPECT_EQ(tasks[3].Priority, std::nullopt);
  EXPECT_EQ(read.NotKept,
            (std::vector<Message>{"line 5: rec:+1b has no repeat word: imported as a one-off task",
                                  "line 6: priority 0 (a dated task's order is its date)"}));
}

TEST(TodoTxt, NamesTheLineOfAValueItCannotRead) {
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"ok\nBad due:2026-13-01\n",
            "line 2: due:2026-13-01 is not a date of the form due:YYYY-MM-DD"},
           {"a tw-sub:x\n", "line 1: tw-sub:x is not a number"},
           {"\n\na tw-text:%zz\n", "line 3: tw-text:%zz is not readable"},
           // Bytes that are not UTF-8 would make the saved task file read as Windows-1252.
           {"a tw-repeat:%80\n", "line 1: tw-repeat:%80 is not readable"}}) {
    try {
      TodoTxt::Read(text);
      ADD_FAILURE() << text;
    } catch (const ImportError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
}

TEST(TodoTxt, AByteOrderMarkAtTheStartOfTheFirstTaskComesBack) {
  TaskList list;
  for (const char* rest : {"", "x done?", "a"})
    list.Tasks.push_back({.Priority = 0, .Description = std::string(kByteOrderMark) + rest});
  EXPECT_EQ(TodoTxt::Read(TodoTxt::Write(list)).List.Tasks, list.Tasks);
}

}  // namespace
}  // namespace taskwell
