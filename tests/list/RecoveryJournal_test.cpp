#include "list/RecoveryJournal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

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

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(RecoveryJournal, OnePrivateJournalPerFileWhateverItsName) {
  TempDir dir;
  const std::string state = dir.Path("state/taskwell");
  WriteBytes(dir.Path("a.todo"), kHeader);
  std::filesystem::create_symlink(dir.Path("a.todo"), dir.Path("link.todo"));
  const RecoveryJournal journal(state, dir.Path("a.todo"));
  EXPECT_EQ(RecoveryJournal(state, dir.Path("link.todo")).Path(), journal.Path());
  EXPECT_NE(RecoveryJournal(state, dir.Path("b.todo")).Path(), journal.Path());
  EXPECT_FALSE(journal.Find());

  journal.Write(kHeader + ",1,,\"kept\"\r\n");
  journal.Write(kHeader + ",1,,\"newer\"\r\n");
  ASSERT_TRUE(journal.Find());
  EXPECT_EQ(journal.Find()->Bytes, kHeader + ",1,,\"newer\"\r\n");
  EXPECT_EQ(ModeOf(journal.Path()), 0600u);
  EXPECT_EQ(ModeOf(state + "/journal"), 0700u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state + "/journal"), {}), 1)
      << "replaced whole, no temporary left";
  journal.Remove();
  EXPECT_FALSE(journal.Find());
  EXPECT_THROW(RecoveryJournal("/proc/taskwell-no", dir.Path("a.todo")).Write("x"), EInOutError);
}

TEST(RecoveryJournal, SaysWhatDiffersFromTheFile) {
  const std::string file = kHeader + ",1,,\"a\"\r\n,2,,\"b\"\r\n";
  EXPECT_EQ(JournalDifference(file, kHeader + ",2,,\"b\"\r\n,1,,\"a\"\r\n"),
            "the same tasks in another order");
  EXPECT_EQ(JournalDifference(file, kHeader + ",1,,\"a\"\r\n,2,,\"B\"\r\n,3,,\"c\"\r\n"),
            "2 tasks new or changed, 1 task of the file not in it");
  EXPECT_EQ(JournalDifference("", file), "2 tasks new or changed");
}

TEST(RecoveryJournal, RestoringIsOneChangeThatUndoTakesBack) {
  TempDir dir;
  ListFixture f;
  ListTestAccess::SetTaskFileName(f.List, dir.Path("a.todo"));
  const std::string file = kHeader + ",1,,\"a\"\r\n,2,,\"b\"\r\n";
  WriteBytes(dir.Path("a.todo"), file);
  ListTestAccess::InitTaskTable(f.List);
  const std::string journal = kHeader + "6/12/26,,,\"a changed\"\r\n,2,,\"b\"\r\n,3,,\"c\"\r\n";
  f.List.Sync().RestoreJournal(journal);
  EXPECT_EQ(f.List.SaveBytes(), journal);
  EXPECT_TRUE(f.List.Sync().HasUnsavedChanges());
  EXPECT_EQ(ReadBytes(dir.Path("a.todo")), file) << "the file waits for a save";
  EXPECT_EQ(f.List.History().UndoSteps(), 1u);
  f.List.Undo();
  EXPECT_EQ(f.List.SaveBytes(), file);
  EXPECT_THROW(
      f.List.Sync().RestoreJournal("\"Date\",\"Priority\",\"SubPriority\",\"Project\",\"Desc\"\r\n"
                                   ",1,,,\"x\"\r\n"),
      EInOutError);
}

}  // namespace
}  // namespace taskwell
