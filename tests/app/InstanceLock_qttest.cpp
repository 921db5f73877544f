// The single-instance lock between real processes.
#include "app/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

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

TEST(LockName, BackslashesBecomeSlashesAndNothingElseChanges) {
  EXPECT_EQ(InstanceLock::LockNameOf("D:\\Lists\\Home.todo"), "D:/Lists/Home.todo");
  EXPECT_EQ(InstanceLock::LockNameOf("./a/../B.todo"), "./a/../B.todo");
  EXPECT_EQ(InstanceLock::LockNameOf(""), "");
}

}  // namespace
}  // namespace taskwell
