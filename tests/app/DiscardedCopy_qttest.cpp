#include "app/DiscardedCopy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "support/TempFiles.h"

namespace taskwell::testing {
namespace {

int ModeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

TEST(DiscardedCopy, FolderFollowsXdgStateHomeWithTheHomeDefault) {
  ::setenv("HOME", "/home/ann", 1);
  ::unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(DiscardedFolder(), "/home/ann/.local/state/taskwell/discarded");
  ::setenv("XDG_STATE_HOME", "relative/ignored", 1);
  EXPECT_EQ(DiscardedFolder(), "/home/ann/.local/state/taskwell/discarded");
  ::setenv("XDG_STATE_HOME", "/var/state", 1);
  EXPECT_EQ(DiscardedFolder(), "/var/state/taskwell/discarded");
}

TEST(DiscardedCopy, PrivateNamedCopiesAndOnlyTheNewestTwentyStay) {
  TempDir dir;
  const std::string folder = dir.Path("state/taskwell/discarded");
  const std::time_t t0 = 1781082000;  // 2026-06-10
  // A copy from a clock set ahead must not push out the one written now.
  std::filesystem::create_directories(folder);
  WriteBytes(folder + "/Later-2099-01-01-000000.todo", "");
  std::filesystem::last_write_time(
      folder + "/Later-2099-01-01-000000.todo",
      std::filesystem::file_time_type::clock::now() + std::chrono::hours(24 * 365));
  std::string first;
  std::string last;
  for (int i = 0; i < 23; ++i) {
    // Two copies in the same second still get names of their own.
    last = KeepDiscardedCopy(folder, "Chores", "bytes " + std::to_string(i), t0 + i / 2);
    ASSERT_FALSE(last.empty());
    if (i == 0) first = last;
  }
  EXPECT_EQ(ReadBytes(last), "bytes 22");
  EXPECT_EQ(ModeOf(last), 0600);
  EXPECT_EQ(ModeOf(folder), 0700);
  EXPECT_NE(last.find("/Chores-"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(first));
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  EXPECT_EQ(count, 20);
}

// A list whose name is as long as a file name may be still gets its copy, under a shortened name.
TEST(DiscardedCopy, ALongTitleIsShortened) {
  const TempDir dir;
  const std::string path =
      KeepDiscardedCopy(dir.Path("copies"), std::string(250, 'a'), "bytes", 1781082000);
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(ReadBytes(path), "bytes");
}

TEST(DiscardedCopy, AnUnwritableFolderGivesNoPathAndNoThrow) {
  EXPECT_EQ(KeepDiscardedCopy("/proc/taskwell-no", "x", "y", 0), "");
}

}  // namespace
}  // namespace taskwell::testing
