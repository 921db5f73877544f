// What Save asks before it replaces the task file, and what it refuses.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::ListFixture;
using testing::ReadBytes;
using testing::RunInChild;
using testing::TempDir;
using testing::WriteBytes;

constexpr uid_t kNobody = 65534;
const std::string kTasks =
    "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n,1,,\"Mine\"\r\n";

struct SaveFixture {
  SaveFixture() { ListTestAccess::SetTaskFileName(F.List, Path); }
  // Loads the file as the window does at start; the error report's text, or "".
  std::string Load() {
    F.List.Guarded([&] { ListTestAccess::InitTaskTable(F.List); });
    return F.Ui.Errors.empty() ? std::string() : F.Ui.Errors.back().Text;
  }
  bool Save() { return F.List.SaveButtonClick(); }

  TempDir Dir;
  std::string Path = Dir.Path("list.todo");
  ListFixture F;
};

TEST(SaveQuestions, AskBeforeLosingSomethingAndDeclineKeepsEverything) {
  struct Case {
    std::string Name;
    std::function<void(SaveFixture&)> Prepare;  // before the load
    std::string Mentions;
  };
  const std::vector<Case> cases = {
      {"hard link",
       [](SaveFixture& f) { std::filesystem::create_hard_link(f.Path, f.Dir.Path("other")); },
       "has 1 other name (hard links)"},
      {"earlier backup",
       [](SaveFixture& f) {
         WriteBytes(f.Path, testing::DataFile("taskfile_broken_fields.todo"));
         WriteBytes(f.Path + ".bak", "earlier backup");
       },
       ", in place of the earlier backup there"},
  };
  for (const Case& c : cases) {
    SaveFixture f;
    WriteBytes(f.Path, kTasks);
    c.Prepare(f);
    const std::string before = ReadBytes(f.Path);
    f.Load();
    f.F.List.TypeInCell(3, 1, "Changed");
    f.F.Ui.ConfirmAnswers = {false};
    EXPECT_FALSE(f.Save()) << c.Name;
    ASSERT_EQ(f.F.Ui.Confirms.size(), 1u) << c.Name;
    EXPECT_NE(f.F.Ui.Confirms[0].find(c.Mentions), std::string::npos) << f.F.Ui.Confirms[0];
    EXPECT_EQ(ReadBytes(f.Path), before) << c.Name;
    const std::vector<std::filesystem::path> files(std::filesystem::directory_iterator(f.Dir.Root),
                                                   {});
    for (const auto& file : files) {
      if (file.filename() == "other") {
        EXPECT_EQ(ReadBytes(file), before);
      }
      if (file.extension() == ".bak") {
        EXPECT_EQ(ReadBytes(file), "earlier backup");
      }
    }
    EXPECT_TRUE(f.Save()) << c.Name << ": Yes";
    EXPECT_NE(ReadBytes(f.Path), before) << c.Name;
    if (std::filesystem::exists(f.Path + ".bak")) {
      EXPECT_EQ(ReadBytes(f.Path + ".bak"), before);
    }
  }
}

// A save sets the old base aside and reads it back when it fails. Where the file is gone or
// changed by then, nothing tells their changes from ours: the next save asks instead of merging.
TEST(SaveQuestions, AFailedSaveThatCannotReadTheFileBackAsksBeforeTheNextSave) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("sub"));
  ListFixture f;
  const std::string path = dir.Path("sub/list.todo");
  WriteBytes(path, kTasks);
  ListTestAccess::SetTaskFileName(f.List, path);
  ListTestAccess::InitTaskTable(f.List);
  f.List.TypeInCell(3, 1, "Changed");
  std::filesystem::rename(dir.Path("sub"), dir.Path("away"));
  EXPECT_FALSE(f.List.Guarded([&] { f.List.SaveButtonClick(); }));
  EXPECT_TRUE(f.List.File().BaseLost());
  std::filesystem::rename(dir.Path("away"), dir.Path("sub"));
  const std::string theirs = kTasks + ",2,,\"Theirs\"\r\n";
  WriteBytes(path, theirs);
  f.Ui.ConfirmAnswers = {false};
  EXPECT_FALSE(f.List.SaveButtonClick());
  EXPECT_NE(f.Ui.Confirms.back().find("has been changed by another program"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), theirs);
  EXPECT_TRUE(f.List.SaveButtonClick());
  EXPECT_NE(ReadBytes(path).find("Changed"), std::string::npos);
  EXPECT_FALSE(f.List.File().BaseLost());
}

TEST(SaveQuestions, AFileThatBecameAPipeIsRefusedWithoutWaiting) {
  SaveFixture f;
  WriteBytes(f.Path, kTasks);
  f.Load();
  std::filesystem::remove(f.Path);
  ASSERT_EQ(::mkfifo(f.Path.c_str(), 0600), 0);
  const int code = RunInChild([&] {
    ::alarm(30);
    if (f.F.List.Guarded([&] { f.F.List.CloseButtonClick(); })) return 1;
    return f.F.Ui.Errors.back().Text == "Cannot save " + f.Path + ": it is a pipe, not a file." ? 0
                                                                                                : 2;
  });
  EXPECT_EQ(code, 0);
  struct stat st {};
  ASSERT_EQ(::lstat(f.Path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(SaveQuestions, AsAnotherUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  struct Case {
    std::string Name;
    uid_t Owner;
    mode_t Mode;
    std::string LoadError;  // "" when the load works
    std::string Question;   // what the first Save asks; "" for an error report instead
  };
  const std::vector<Case> cases = {
      {"unreadable", kNobody, 0200, "Cannot read %: permission denied.",
       "% could not be read when this list was opened, so the list does not show the tasks in "
       "it. Saving keeps the present file as %.bak.\r\nSave the tasks shown here?"},
      {"read-only", kNobody, 0444, "", ""},
      {"another user's", 0, 0666, "",
       "Saving cannot keep its owner (user 0) and its group (group 0) of %; the new file will be "
       "yours.\r\nSave the tasks shown here?"},
  };
  const auto fill = [](std::string text, const std::string& path) {
    for (std::size_t at; (at = text.find('%')) != std::string::npos;) text.replace(at, 1, path);
    return text;
  };
  for (const Case& c : cases) {
    SaveFixture f;
    ASSERT_EQ(::chown(f.Dir.Root.c_str(), kNobody, kNobody), 0);
    WriteBytes(f.Path, kTasks);
    ASSERT_EQ(::chown(f.Path.c_str(), c.Owner, c.Owner), 0);
    ASSERT_EQ(::chmod(f.Path.c_str(), c.Mode), 0);
    const int code = RunInChild([&] {
      if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
          ::setresuid(kNobody, kNobody, kNobody) != 0) {
        return 97;
      }
      if (f.Load() != fill(c.LoadError, f.Path)) return 1;
      f.F.Ui.ConfirmAnswers = {false};
      const bool saved = f.F.List.Guarded([&] { f.Save(); });
      if (c.Question.empty()) {
        return !saved && f.F.Ui.Confirms.empty() &&
                       f.F.Ui.Errors.back().Text == "Cannot save " + f.Path + ": permission denied."
                   ? 0
                   : 2;
      }
      return f.F.Ui.Confirms == std::vector<std::string>{fill(c.Question, f.Path)} ? 0 : 3;
    });
    EXPECT_EQ(code, 0) << c.Name;
    ::chmod(f.Path.c_str(), 0600);
    EXPECT_EQ(ReadBytes(f.Path), kTasks) << c.Name;
    EXPECT_FALSE(std::filesystem::exists(f.Path + ".bak")) << c.Name;
  }
}

}  // namespace
}  // namespace taskwell
