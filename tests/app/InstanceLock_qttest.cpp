// The single-instance lock between real processes.
#include "app/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace taskwell {
namespace {

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Runtime =
        std::filesystem::temp_directory_path() / ("taskwell-lock-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Runtime);
    ::setenv("XDG_RUNTIME_DIR", Runtime.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(Runtime); }

  // Runs a child that takes the lock and holds it until killed; returns once it holds it.
  pid_t HoldInChild(const std::string& name) {
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(ready[0]);
      InstanceLock lock;
      const char answer = lock.Acquire(name) ? 'y' : 'n';
      if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char answer = 0;
    EXPECT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(answer, 'y');
    return child;
  }

  static void Kill(pid_t child) {
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
  }

  std::filesystem::path Runtime;
};

TEST_F(InstanceLockTest, TheSameNameIsRefusedWhileItsOwnerLives) {
  const pid_t owner = HoldInChild("D:/Lists/Home.todo");
  InstanceLock second;
  EXPECT_FALSE(second.Acquire("D:/Lists/Home.todo"));
  Kill(owner);
}

TEST_F(InstanceLockTest, ADifferentSpellingIsAnotherLock) {
  const pid_t owner = HoldInChild("D:/Lists/Home.todo");
  InstanceLock other;
  EXPECT_TRUE(other.Acquire("d:/lists/home.todo"));
  Kill(owner);
}

TEST_F(InstanceLockTest, TheEmptyNameNeverConflicts) {
  const pid_t owner = HoldInChild("");
  InstanceLock again;
  EXPECT_TRUE(again.Acquire(""));
  Kill(owner);
}

TEST_F(InstanceLockTest, AKilledOwnerFreesTheName) {
  const pid_t owner = HoldInChild("/home/ann/home.todo");
  Kill(owner);
  InstanceLock next;
  EXPECT_TRUE(next.Acquire("/home/ann/home.todo"));
}

TEST_F(InstanceLockTest, LongNamesAndSlashesAreFine) {
  const std::string name(5000, 'x');
  InstanceLock lock;
  EXPECT_TRUE(lock.Acquire(name + "/../a"));
}

// Without a runtime folder the lock folder would be in the shared temporary folder, where anyone
// can take the name first.
class SquattedLockFolderTest : public InstanceLockTest {
 protected:
  void SetUp() override {
    InstanceLockTest::SetUp();
    ::unsetenv("XDG_RUNTIME_DIR");
    std::filesystem::create_directories(Runtime / "tmp");
    std::filesystem::create_directories(Runtime / "home");
    ::chmod(Runtime.c_str(), 0755);
    ::chmod((Runtime / "tmp").c_str(), 01777);
    ::setenv("TMPDIR", (Runtime / "tmp").c_str(), 1);
    ::setenv("HOME", (Runtime / "home").c_str(), 1);
    Shared = Runtime / "tmp" / ("taskwell-locks-" + std::to_string(::getuid()));
  }
  void TearDown() override {
    ::unsetenv("TMPDIR");
    InstanceLockTest::TearDown();
  }
  std::filesystem::path Shared;
};

TEST_F(SquattedLockFolderTest, AFolderThatIsNotOursAloneIsPassedOver) {
  constexpr uid_t kNobody = 65534;
  const bool root = ::geteuid() == 0;
  struct Case {
    std::string Name;
    std::function<void(const std::filesystem::path&)> Squat;
  };
  const std::vector<Case> cases = {
      {"our folder, open to others",
       [](const std::filesystem::path& p) {
         std::filesystem::create_directory(p);
         ::chmod(p.c_str(), 0755);
       }},
      {"a link to our folder",
       [this](const std::filesystem::path& p) {
         std::filesystem::create_directory(Runtime / "elsewhere");
         ::chmod((Runtime / "elsewhere").c_str(), 0700);
         std::filesystem::create_directory_symlink(Runtime / "elsewhere", p);
       }},
      {"another user's file",
       [&](const std::filesystem::path& p) {
         std::ofstream(p.string()) << "";
         if (root) {
           EXPECT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
         }
       }},
      {"another user's folder",
       [&](const std::filesystem::path& p) {
         std::filesystem::create_directory(p);
         ::chmod(p.c_str(), 0777);
         if (root) {
           EXPECT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
         }
       }},
  };
  const std::filesystem::path privateFolder = Runtime / "home" / ".cache" / "taskwell-locks";
  for (const Case& c : cases) {
    std::filesystem::remove_all(Shared);
    std::filesystem::remove_all(Runtime / "elsewhere");
    c.Squat(Shared);
    EXPECT_EQ(InstanceLock::LockFolder(), privateFolder.string()) << c.Name;
    const pid_t owner = HoldInChild("/home/ann/home.todo");
    InstanceLock second;
    EXPECT_EQ(second.Take("/home/ann/home.todo"), InstanceLock::Outcome::Busy) << c.Name;
    Kill(owner);
    EXPECT_EQ(second.Take("/home/ann/home.todo"), InstanceLock::Outcome::Held) << c.Name;
    if (std::filesystem::exists(Runtime / "elsewhere")) {
      EXPECT_TRUE(std::filesystem::is_empty(Runtime / "elsewhere")) << c.Name;
    }
  }
}

TEST_F(InstanceLockTest, ALinkAsTheLockFileIsNotFollowedNorCalledBusy) {
  std::filesystem::path lockFile;
  {
    InstanceLock probe;
    ASSERT_EQ(probe.Take("/a.todo"), InstanceLock::Outcome::Held);
    for (const auto& entry : std::filesystem::directory_iterator(InstanceLock::LockFolder()))
      lockFile = entry.path();
  }
  std::filesystem::remove(lockFile);
  std::filesystem::create_symlink(Runtime / "victim", lockFile);
  InstanceLock lock;
  EXPECT_EQ(lock.Take("/a.todo"), InstanceLock::Outcome::Unavailable);
  EXPECT_NE(lock.Problem().find("Cannot lock /a.todo"), std::string::npos) << lock.Problem();
  EXPECT_TRUE(lock.Acquire("/a.todo")) << "the program starts, with the problem shown";
  EXPECT_FALSE(std::filesystem::exists(Runtime / "victim"));
}

TEST(LockName, BackslashesBecomeSlashesAndNothingElseChanges) {
  EXPECT_EQ(InstanceLock::LockNameOf("D:\\Lists\\Home.todo"), "D:/Lists/Home.todo");
  EXPECT_EQ(InstanceLock::LockNameOf("./a/../B.todo"), "./a/../B.todo");
  EXPECT_EQ(InstanceLock::LockNameOf(""), "");
}

}  // namespace
}  // namespace taskwell
