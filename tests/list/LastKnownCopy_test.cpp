#include "list/LastKnownCopy.h"

#include <gtest/gtest.h>

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
const std::string kTwoTasks = kHeader + ",1,,\"alpha\"\r\n,2,,\"beta\"\r\n";

// The list opened on `file` as it is on disk, with `known` as the last known copy.
struct Start {
  Start(TempDir& dir, const std::string* file, const std::string& known)
      : Path(dir.Path("list.todo")), Journal(dir.Path("state"), Path) {
    if (file != nullptr) WriteBytes(Path, *file);
    if (!known.empty()) Journal.WriteShared(known);
    ListTestAccess::SetTaskFileName(F.List, Path);
    ListTestAccess::InitTaskTable(F.List);
  }
  std::string Path;
  RecoveryJournal Journal;
  ListFixture F;
};

TEST(LastKnownCopy, AnEmptiedFileWhoseLastKnownCopyHoldsTasksIsAskedAbout) {
  TempDir dir;
  const std::string empty;
  Start start(dir, &empty, kTwoTasks);
  ASSERT_TRUE(OfferLastKnownCopy(start.F.List, start.F.Ui, start.Journal));
  ASSERT_EQ(start.F.Ui.Confirms.size(), 1u);
  const std::string& question = start.F.Ui.Confirms[0];
  EXPECT_NE(question.find(start.Path + " is empty"), std::string::npos) << question;
  EXPECT_NE(question.find("holds 2 tasks (" + start.Journal.SharedPath()), std::string::npos);
  EXPECT_EQ(start.F.Descriptions(), (std::vector<std::string>{"alpha", "beta"}));
  // One change, unsaved: Undo gives the empty list back, and Save writes the tasks again.
  start.F.List.Undo();
  EXPECT_EQ(start.F.Descriptions(), std::vector<std::string>{""});
  start.F.List.Redo();
  ASSERT_TRUE(start.F.List.SaveButtonClick());
  EXPECT_EQ(ReadBytes(start.Path), kTwoTasks);
}

TEST(LastKnownCopy, NothingIsAskedWhereNothingWasLostOrTheUserSaysNo) {
  const std::string empty;
  const std::string oneTask = kHeader + ",,,\"gamma\"\r\n";
  struct Case {
    const char* Name;
    const std::string* File;  // nullptr: no file yet
    std::string Known;
    bool Asked;
  };
  const std::vector<Case> cases = {
      {"a new list", nullptr, "", false},
      {"the user keeps a deleted list deleted", nullptr, kTwoTasks, true},
      {"no last known copy", &empty, "", false},
      {"a last known copy without tasks", &empty, kHeader, false},
      {"a file with tasks", &oneTask, kTwoTasks, false},
      {"the user keeps the empty list", &empty, kTwoTasks, true},
  };
  for (const Case& c : cases) {
    TempDir dir;
    Start start(dir, c.File, c.Known);
    start.F.Ui.ConfirmAnswers.push_back(false);
    EXPECT_FALSE(OfferLastKnownCopy(start.F.List, start.F.Ui, start.Journal)) << c.Name;
    EXPECT_EQ(start.F.Ui.Confirms.size(), c.Asked ? 1u : 0u) << c.Name;
    EXPECT_EQ(start.F.Descriptions(), std::vector<std::string>{c.File == &oneTask ? "gamma" : ""})
        << c.Name;
  }
}

}  // namespace
}  // namespace taskwell
