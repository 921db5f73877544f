#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::ListFixture;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string& kHeader = testing::kTaskHeader;
const std::string kProjectHeader =
    "\"Date\",\"Priority\",\"SubPriority\",\"Project\",\"Description\"\r\n";

// A file of undated tasks with these descriptions, as a save writes it.
std::string TaskFile(const std::vector<std::string>& descriptions) {
  std::string bytes = kHeader;
  for (const std::string& d : descriptions) bytes += ",,,\"" + d + "\"\r\n";
  return bytes;
}

// What a sync tool does: write a new file beside the old one and rename it over.
void ReplaceByRename(const std::string& path, const std::string& bytes) {
  WriteBytes(path + ".sync-tmp", bytes);
  std::filesystem::rename(path + ".sync-tmp", path);
}

struct SyncFixture {
  SyncFixture() { ListTestAccess::SetTaskFileName(F.List, Path); }
  void Load(const std::string& bytes) {
    WriteBytes(Path, bytes);
    ListTestAccess::InitTaskTable(F.List);
  }

  TempDir Dir;
  std::string Path = Dir.Path("List.todo");
  ListFixture F;
};

// --- Save when the file changed elsewhere: merge, or ask where a merge cannot be trusted.

struct SaveCase {
  const char* Name;
  std::string Base;  // the file the window loaded
  std::function<void(ToDoList&)> Edit;
  std::string Theirs;    // the file written elsewhere meanwhile
  std::string Expected;  // the file after Save
  std::string Message;   // "" for none
  bool Asked;            // the old question instead of a merge
};

TEST(FileSyncSave, MergesOrAsksWhereAMergeCannotBeTrusted) {
  const auto setDesc = [](int row, std::string text) {
    return [row, text](ToDoList& list) { list.TypeInCell(list.Layout().DescCol(), row, text); };
  };
  const std::vector<SaveCase> cases = {
      {"edit here, add and delete there; their line ends and date form do not matter",
       TaskFile({"a", "b", "c"}), setDesc(1, "a edited"),
       "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\n,,,\"a\"\n,,,b\n,,,\"d\"\n",
       TaskFile({"a edited", "b", "d"}), "Merged with changes made elsewhere: 1 changed", false},
      {"edit/edit of one task keeps both", TaskFile({"a", "b"}), setDesc(2, "b mine"),
       TaskFile({"a", "b theirs"}), TaskFile({"a", "b theirs", "b mine"}),
       "Merged with changes made elsewhere: 1 task changed in both places (both versions kept)",
       false},
      {"rewritten there with the same tasks: no news", TaskFile({"a"}), setDesc(1, "a2"),
       "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\n,,,\"a\"\n", TaskFile({"a2"}), "",
       false},
      {"project column on both sides: their task keeps its project",
       kProjectHeader + ",,,4,\"a\"\r\n", setDesc(1, "a2"),
       kProjectHeader + ",,,4,\"a\"\r\n,,,5,\"b\"\r\n",
       kProjectHeader + ",,,4,\"a2\"\r\n,,,5,\"b\"\r\n",
       "Merged with changes made elsewhere: 1 task added", false},
      {"project column there only", TaskFile({"a"}), setDesc(1, "a2"),
       kProjectHeader + ",,,4,\"a\"\r\n", TaskFile({"a2"}), "", true},
      {"theirs does not load cleanly", TaskFile({"a"}), setDesc(1, "a2"),
       TaskFile({"a"}) + "99/99/99,,,\"bad date\"\r\n", TaskFile({"a2"}), "", true},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SyncFixture s;
    s.Load(c.Base);
    c.Edit(s.F.List);
    ReplaceByRename(s.Path, c.Theirs);
    ASSERT_TRUE(s.F.List.SaveButtonClick());
    EXPECT_EQ(ReadBytes(s.Path), c.Expected);
    EXPECT_EQ(s.F.Ui.Confirms.size(), c.Asked ? 1u : 0u);
    std::vector<testing::FakePlatform::Message> messages;
    if (!c.Message.empty()) messages.push_back({"List", c.Message});
    EXPECT_EQ(s.F.Ui.Messages, messages);
    // The window shows what was saved, and the next save has nothing to add.
    EXPECT_EQ(s.F.List.FileBytes(), ReadBytes(s.Path));
    EXPECT_FALSE(s.F.List.Sync().HasUnsavedChanges());
    if (!c.Asked) {
      EXPECT_EQ(s.F.List.Edit().OldText,
                s.F.List.Table().Cell(s.F.List.Edit().Col, s.F.List.Edit().Row));
    }
  }
}

// A file in the list's own form is merged line by line, loading only the lines that are not
// already ours; a file in another form (here LF line ends) is loaded whole. Both give one result.
TEST(FileSyncSave, MergingLineByLineEqualsLoadingWhole) {
  const std::vector<std::string> pool = {
      ",,,\"a\"",
      ",,,\"b\"",
      ",2,,\"c\"",
      ",,,d",
      ",01,,\"e\"",
      "6/13/26,,,\"due\"",
      "6/13/2026,,,\"long year\"",
      ",,,\"\xC3\xA4 \"\"q\"\"\"",
      ",,,\"\"",
      ",,,\"f, g\"",
      "",
  };
  std::mt19937 random(11);
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const auto someLines = [&] {
    std::string bytes = kHeader;
    for (std::size_t i = pick(7); i > 0; --i) bytes += pool[pick(pool.size())] + "\r\n";
    return bytes;
  };
  for (int round = 0; round < 150; ++round) {
    const std::string base = someLines();
    const std::string theirs = someLines();
    std::vector<std::string> outcomes;
    for (const bool lineFeedsOnly : {false, true}) {
      SyncFixture s;
      s.Load(base);
      s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "mine");
      std::string written = theirs;
      if (lineFeedsOnly) std::erase(written, '\r');
      ReplaceByRename(s.Path, written);
      ASSERT_TRUE(s.F.List.SaveButtonClick());
      outcomes.push_back(ReadBytes(s.Path));
      EXPECT_EQ(s.F.List.FileBytes(), outcomes.back());
      for (const auto& message : s.F.Ui.Messages) outcomes.back() += "|" + message.Text;
    }
    EXPECT_EQ(outcomes[0], outcomes[1]) << "base:\n" << base << "theirs:\n" << theirs;
  }
}

TEST(FileSyncSave, CloseMergesThenEndsTheProgram) {
  SyncFixture s;
  s.Load(TaskFile({"a"}));
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "a2");
  ReplaceByRename(s.Path, TaskFile({"a", "b"}));
  s.F.List.CloseButtonClick();
  EXPECT_EQ(ReadBytes(s.Path), TaskFile({"a2", "b"}));
  EXPECT_EQ(s.F.Ui.CloseCount, 1);
}

// A long merge can be cancelled at any report of its progress, in its own-form and whole-load
// ways alike: Save and Close then do nothing, the list and the file stay as they were, and
// nothing is said. Without Cancel the same merge saves.
TEST(FileSyncSave, ACancelledMergeSavesNothingAndChangesNothing) {
  std::vector<std::string> ours;
  for (int i = 0; i < 3000; ++i) ours.push_back("task " + std::to_string(i));
  const std::string mine = TaskFile(ours);
  ours.emplace_back("added elsewhere");
  std::string theirLf = TaskFile(ours);
  std::erase(theirLf, '\r');
  for (const std::string& their : {TaskFile(ours), theirLf}) {
    for (int cancelAt = 0;; ++cancelAt) {
      SCOPED_TRACE(cancelAt);
      SyncFixture s;
      s.Load(mine);
      s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 7, "edited here");
      const std::string shown = s.F.List.SaveBytes();
      ReplaceByRename(s.Path, their);
      s.F.Ui.CancelWorkAt = cancelAt;
      const bool saved = s.F.List.SaveButtonClick();
      if (!saved) {
        s.F.List.CloseButtonClick();
        EXPECT_EQ(s.F.Ui.CloseCount, 0);
        EXPECT_EQ(ReadBytes(s.Path), their);
        EXPECT_EQ(s.F.List.SaveBytes(), shown);
        EXPECT_TRUE(s.F.Ui.Messages.empty() && s.F.Ui.Errors.empty() && s.F.Ui.Confirms.empty());
        s.F.Ui.CancelWorkAt = -1;
        ASSERT_TRUE(s.F.List.SaveButtonClick()) << "the merge after a cancelled one";
      }
      const std::string file = ReadBytes(s.Path);
      EXPECT_EQ(file, s.F.List.SaveBytes());
      EXPECT_TRUE(file.find("edited here") != file.npos &&
                  file.find("added elsewhere") != file.npos);
      if (!saved) continue;
      EXPECT_GT(cancelAt, 4) << "the merge reports its progress now and then";
      EXPECT_EQ(s.F.Ui.WorkShown,
                std::vector<std::string>{"Merging the changes made elsewhere..."});
      break;
    }
  }
}

// Two windows on two spellings of one file (a symbolic link): each edits its own task, both save.
TEST(FileSyncSave, TwoWindowsOnTwoNamesOfOneFileKeepBothEdits) {
  SyncFixture one;
  one.Load(TaskFile({"a", "b"}));
  const std::string other = one.Dir.Path("Other.todo");
  std::filesystem::create_symlink(one.Path, other);
  ListFixture two;
  ListTestAccess::SetTaskFileName(two.List, other);
  ListTestAccess::InitTaskTable(two.List);

  one.F.List.TypeInCell(one.F.List.Layout().DescCol(), 1, "a by one");
  two.List.TypeInCell(two.List.Layout().DescCol(), 2, "b by two");
  ASSERT_TRUE(one.F.List.SaveButtonClick());
  ASSERT_TRUE(two.List.SaveButtonClick());
  // Their edit has nothing before it there, so it goes last.
  EXPECT_EQ(ReadBytes(one.Path), TaskFile({"b by two", "a by one"}));
  EXPECT_TRUE(std::filesystem::is_symlink(other));
  EXPECT_TRUE(two.Ui.Confirms.empty());
}

// --- Reload when the file settled after a change.

struct ReloadCase {
  const char* Name;
  std::vector<std::string> Before;
  int CursorRow;
  std::vector<std::string> After;
  int ExpectedRow;
};

TEST(FileSyncReload, KeepsTheCursorOnItsTaskElseItsRowNumber) {
  const std::vector<ReloadCase> cases = {
      {"task moved down", {"a", "b", "c"}, 2, {"new", "a", "b", "c"}, 3},
      {"task gone: same row", {"a", "b", "c"}, 2, {"a", "c", "d"}, 2},
      {"task gone: row clamped", {"a", "b", "c"}, 3, {"a"}, 1},
      {"nearest of two copies", {"x", "b", "c", "x"}, 4, {"x", "b", "c", "d", "x"}, 5},
  };
  for (const ReloadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SyncFixture s;
    s.Load(TaskFile(c.Before));
    ListTestAccess::SetSortMode(s.F.List, 2);
    s.F.List.MoveCursor(s.F.List.Layout().DescCol(), c.CursorRow);
    ReplaceByRename(s.Path, TaskFile(c.After));
    ASSERT_TRUE(s.F.List.Sync().FileChangedOnDisk());
    EXPECT_EQ(s.F.Descriptions(), c.After);
    EXPECT_EQ(s.F.List.Table().Row(), c.ExpectedRow);
    EXPECT_EQ(s.F.List.Table().Col(), s.F.List.Layout().DescCol());
    EXPECT_EQ(s.F.List.Edit().Row, c.ExpectedRow);
    EXPECT_EQ(s.F.List.Edit().OldText, c.After[c.ExpectedRow - 1]);
    EXPECT_EQ(static_cast<int>(s.F.List.Sorting().Mode), 2);
    EXPECT_TRUE(s.F.Ui.Messages.empty());
    EXPECT_FALSE(s.F.List.Sync().HasUnsavedChanges());
    EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk()) << "nothing new";
  }
}

TEST(FileSyncReload, AFileWrittenByAnotherProgramStillCountsAsUnchangedHere) {
  SyncFixture s;
  s.Load("\"Date\",\"Priority\",\"SubPriority\",\"Description\"\n,1,,a\n");
  ReplaceByRename(s.Path, "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\n,1,,a\n,2,,b\n");
  ASSERT_TRUE(s.F.List.Sync().FileChangedOnDisk());
  EXPECT_EQ(s.F.Descriptions(), (std::vector<std::string>{"a", "b"}));
}

TEST(FileSyncReload, AfterAReloadTheTableAsShownDecides) {
  SyncFixture s;
  const std::string foreign = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\n,1,,a\n";
  s.Load(TaskFile({"x"}));
  ReplaceByRename(s.Path, foreign);
  ASSERT_TRUE(s.F.List.Sync().FileChangedOnDisk());
  // Typed and typed back: nothing unsaved, so the next change elsewhere reloads.
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "typed");
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "a");
  ReplaceByRename(s.Path, foreign + ",2,,b\n");
  ASSERT_TRUE(s.F.List.Sync().FileChangedOnDisk());
  // Typed and left: kept for the merge at save.
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 2, "mine");
  ReplaceByRename(s.Path, foreign);
  EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk());
  EXPECT_EQ(s.F.Descriptions(), (std::vector<std::string>{"a", "mine"}));
}

TEST(FileSyncReload, UnsavedChangesWaitForTheMergeAtSave) {
  SyncFixture s;
  s.Load(TaskFile({"a"}));
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "typed");
  ReplaceByRename(s.Path, TaskFile({"a", "b"}));
  EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk());
  EXPECT_EQ(s.F.Descriptions(), std::vector<std::string>{"typed"});
}

TEST(FileSyncReload, APartialLoadDoesNotReplaceTheListAndIsToldOncePerChange) {
  SyncFixture s;
  s.Load(TaskFile({"a"}));
  const std::string bad = TaskFile({"a", "b"}) + "99/99/99,,,\"c\"\r\n";
  ReplaceByRename(s.Path, bad);
  EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk());
  EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk());
  ASSERT_EQ(s.F.Ui.Messages.size(), 1u);
  EXPECT_NE(s.F.Ui.Messages[0].Text.find("cannot be loaded completely"), std::string::npos);
  EXPECT_EQ(s.F.Descriptions(), std::vector<std::string>{"a"});

  ReplaceByRename(s.Path, bad + ",,,\"d\"\r\n");
  EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk());
  EXPECT_EQ(s.F.Ui.Messages.size(), 2u);
  // Saving does not trust a merge with it: it asks, as before.
  s.F.Ui.ConfirmAnswers = {false};
  EXPECT_FALSE(s.F.List.SaveButtonClick());
  EXPECT_EQ(s.F.Ui.Confirms.size(), 1u);
}

TEST(FileSyncReload, KeepsColumnWidthsTheUserSet) {
  SyncFixture s;
  s.Load(TaskFile({"a"}));
  s.F.List.Geometry().SetColumnWidth(0, 123);
  ReplaceByRename(s.Path, TaskFile({"a", "b"}));
  ASSERT_TRUE(s.F.List.Sync().FileChangedOnDisk());
  EXPECT_EQ(s.F.List.Table().ColWidth(0), 123);
}

// An emptied or truncated file is never taken as the list's new content; a deleted one is asked
// about before Save writes it again.
TEST(FileSyncCutShort, TheWindowsListIsKeptAndTheOddFileGoesToTheBackup) {
  const std::vector<std::pair<const char*, std::string>> cuts = {
      {"emptied", ""},
      {"shorter than its header", "\"Date\",\"Pri"},
      {"header lost", ",,,\"b\"\r\n"},
  };
  for (const bool unsaved : {false, true}) {
    for (const auto& [name, bytes] : cuts) {
      SCOPED_TRACE(std::string(name) + (unsaved ? ", unsaved edit" : ""));
      SyncFixture s;
      s.Load(TaskFile({"a", "b"}));
      if (unsaved) s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "a mine");
      const std::string shown = s.F.List.FileBytes();
      ReplaceByRename(s.Path, bytes);
      EXPECT_FALSE(s.F.List.Sync().FileChangedOnDisk());
      EXPECT_EQ(s.F.List.FileBytes(), shown);
      ASSERT_EQ(s.F.Ui.Messages.size(), 1u);
      EXPECT_NE(s.F.Ui.Messages[0].Text.find("emptied or cut short"), std::string::npos);
      ASSERT_TRUE(s.F.List.SaveButtonClick());
      EXPECT_EQ(ReadBytes(s.Path), shown);
      EXPECT_EQ(ReadBytes(s.Path + ".bak"), bytes);
      EXPECT_EQ(s.F.Ui.Messages.size(), 2u);
      EXPECT_TRUE(s.F.Ui.Confirms.empty());
    }
  }
  SyncFixture s;
  s.Load(TaskFile({"a"}));
  std::filesystem::remove(s.Path);
  s.F.Ui.ConfirmAnswers = {false, true};
  EXPECT_FALSE(s.F.List.SaveButtonClick());
  EXPECT_FALSE(std::filesystem::exists(s.Path));
  ASSERT_EQ(s.F.Ui.Confirms.size(), 1u);
  EXPECT_NE(s.F.Ui.Confirms[0].find("has been deleted by another program"), std::string::npos);
  EXPECT_TRUE(s.F.List.SaveButtonClick());
  EXPECT_EQ(ReadBytes(s.Path), TaskFile({"a"}));
}

// A sync tool that deletes the file before it writes its copy: a save in between waits for the
// copy and merges it, without asking about a deletion.
TEST(FileSyncSave, AFileMissingForAMomentIsMergedNotReportedDeleted) {
  SyncFixture s;
  s.Load(TaskFile({"a", "b"}));
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "a mine");
  std::filesystem::remove(s.Path);
  std::thread tool([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    testing::WriteBytes(s.Path, TaskFile({"a", "b theirs"}));
  });
  const bool saved = s.F.List.SaveButtonClick();
  tool.join();
  EXPECT_TRUE(saved);
  EXPECT_TRUE(s.F.Ui.Confirms.empty());
  EXPECT_EQ(ReadBytes(s.Path), TaskFile({"a mine", "b theirs"}));
}

}  // namespace
}  // namespace taskwell
