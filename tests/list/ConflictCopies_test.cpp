#include "list/ConflictCopies.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
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

std::string Tasks(const std::vector<std::string>& descriptions) {
  std::string bytes = kHeader;
  for (const std::string& d : descriptions) bytes += ",,,\"" + d + "\"\r\n";
  return bytes;
}

TEST(ConflictCopies, TheThreeToolsNamesAreFoundAndNothingElse) {
  TempDir dir;
  const std::vector<std::string> copies = {
      "list (Ann's conflicted copy 2026-06-10).todo",
      "list (conflicted copy 2026-06-10 101500).todo",
      "list.sync-conflict-20260610-101500-ABCDEF7.todo",
  };
  for (const std::string& name : copies) WriteBytes(dir.Path(name), kHeader);
  for (const char* other :
       {"list.todo", "list.todo.bak", "other.sync-conflict-20260610-101500-ABCDEF7.todo",
        "list.sync-conflict-2026-101500-ABCDEF7.todo", "list (conflicted copy).todo",
        "listx (conflicted copy 2026-06-10 101500).todo",
        "list.sync-conflict-20260610-101500-abcdef7.todo",
        "list (A(n) conflicted copy 2026-06-10).todo", "list (conflicted copy 2026-06-10).todox"}) {
    WriteBytes(dir.Path(other), kHeader);
  }
  std::vector<std::string> expected;
  for (const std::string& name : copies) expected.push_back(dir.Path(name));
  EXPECT_EQ(FindConflictCopies(dir.Path("list.todo")), expected);
}

// A list loaded from the file both machines last shared.
struct SharedList {
  SharedList() {
    WriteBytes(Path, Shared);
    ListTestAccess::SetTaskFileName(F.List, Path);
    ListTestAccess::InitTaskTable(F.List);
  }
  TempDir Dir;
  std::string Path = Dir.Path("list.todo");
  std::string Shared = Tasks({"x", "y"});
  ListFixture F;
};

// Two machines shared X; here "a" was added and saved, there "b". The sync tool made the file
// theirs and kept ours as a copy: merged with X as the base, the list holds both.
TEST(ConflictCopies, BothMachinesEditsAreMergedAndTheCopyMovesAsideAfterTheSave) {
  SharedList s;
  TempDir& dir = s.Dir;
  const std::string& path = s.Path;
  const std::string& shared = s.Shared;
  ListFixture& f = s.F;
  f.List.TypeInCell(f.List.Layout().DescCol(), 2, "y and a");
  ASSERT_TRUE(f.List.SaveButtonClick());
  const std::string copy = dir.Path("list.sync-conflict-20260610-101500-ABCDEF7.todo");
  std::filesystem::rename(path, copy);
  WriteBytes(path, Tasks({"x", "y", "b"}));
  WriteBytes(dir.Path("list (conflicted copy 2026-06-10 101500).todo"),
             "\"Date\",\"Priority\",\"SubPriority\",\"Project\",\"Description\"\r\n,,,4,\"p\"\r\n");

  const ConflictMerge merge = MergeConflictCopies(f.List, FindConflictCopies(path), shared);
  EXPECT_EQ(merge.Merged, std::vector<std::string>{copy});
  ASSERT_EQ(merge.Refused.size(), 1u);
  EXPECT_NE(merge.Report.English().find("cannot be merged cleanly"), std::string::npos)
      << merge.Report.English();
  EXPECT_EQ(f.List.SaveBytes(), Tasks({"x", "b", "y and a"}));
  ASSERT_TRUE(f.List.SaveButtonClick());
  EXPECT_EQ(ReadBytes(path), Tasks({"x", "b", "y and a"}));
  EXPECT_TRUE(f.Ui.Confirms.empty()) << "the save needed no question";
  EXPECT_TRUE(MoveCopiesAside(merge.Merged, dir.Path("state/conflicts")).empty());
  EXPECT_FALSE(std::filesystem::exists(copy));
  EXPECT_TRUE(std::filesystem::exists(
      dir.Path("state/conflicts/" + std::filesystem::path(copy).filename().string())));
  EXPECT_TRUE(std::filesystem::exists(merge.Refused[0])) << "a refused copy is left untouched";
  // Another machine moved it aside first, and the sync tool removed it here: nothing is left over.
  EXPECT_TRUE(MoveCopiesAside({copy}, dir.Path("elsewhere")).empty());
}

// A cancelled merge of a copy leaves the list, its base and the copy as they were, and the copy
// merges at the next try.
TEST(ConflictCopies, ACancelledMergeLeavesTheCopyForTheNextTry) {
  SharedList s;
  s.F.List.TypeInCell(s.F.List.Layout().DescCol(), 1, "x here");
  const std::string copy = s.Dir.Path("list.sync-conflict-20260610-101500-ABCDEF7.todo");
  WriteBytes(copy, Tasks({"x", "y", "there"}));
  WriteBytes(s.Path, Tasks({"x", "y", "file"}));
  const std::string shown = s.F.List.SaveBytes();

  s.F.Ui.CancelWorkAt = 0;
  ConflictMerge merge = MergeConflictCopies(s.F.List, {copy}, s.Shared);
  EXPECT_TRUE(merge.Merged.empty() && merge.Refused.empty());
  EXPECT_TRUE(merge.Report.Empty());
  EXPECT_EQ(s.F.List.SaveBytes(), shown);
  EXPECT_EQ(s.F.List.File().BaseBytes(), s.Shared);

  s.F.Ui.CancelWorkAt = -1;
  merge = MergeConflictCopies(s.F.List, {copy}, s.Shared);
  EXPECT_EQ(merge.Merged, std::vector<std::string>{copy});
  EXPECT_EQ(s.F.List.SaveBytes(), Tasks({"x here", "y", "file", "there"}));
}

}  // namespace
}  // namespace taskwell
