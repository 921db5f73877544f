#include "document/SafeFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "document/Errors.h"
#include "document/TempFiles.h"

namespace taskwell {
namespace {

using testing::DropToNobody;
using testing::ReadBytes;
using testing::RunInChild;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> Names(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Root)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

mode_t Mode(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

void Replace(const std::string& path, const std::string& bytes) {
  AtomicFileWriter writer;
  if (!writer.Open(path)) throw EInOutError(103);
  writer.Append(bytes);
  writer.Commit();
}

TEST(AtomicSave, ReplacesTheWholeFileAndLeavesNothingElse) {
  TempDir dir;
  const std::string path = dir.Path("a.todo");
  WriteBytes(path, std::string(10000, 'x'));
  Replace(path, "short");
  EXPECT_EQ(ReadBytes(path), "short");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.todo"});

  Replace(dir.Path("new.todo"), "");
  EXPECT_EQ(ReadBytes(dir.Path("new.todo")), "");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(Mode(dir.Path("new.todo")), 0666u & ~mask);
}

TEST(AtomicSave, KeepsPermissionBitsAndLinks) {
  TempDir dir;
  const std::string real = dir.Path("real.todo");
  WriteBytes(real, "old");
  for (const mode_t mode : {0600u, 0640u, 0444u, 0755u}) {
    ::chmod(real.c_str(), mode);
    Replace(real, "new");
    EXPECT_EQ(Mode(real), mode);
  }
  std::filesystem::create_directory(dir.Path("sub"));
  std::filesystem::create_symlink("../real.todo", dir.Path("sub/link.todo"));
  Replace(dir.Path("sub/link.todo"), "through the link");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("sub/link.todo")));
  EXPECT_EQ(ReadBytes(real), "through the link");
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"real.todo", "sub"}));
}

TEST(AtomicSave, DroppedWriterLeavesNoTemporaryFile) {
  TempDir dir;
  WriteBytes(dir.Path("a.todo"), "old");
  {
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(dir.Path("a.todo")));
    writer.Append("never committed");
  }
  EXPECT_EQ(ReadBytes(dir.Path("a.todo")), "old");
  EXPECT_EQ(Names(dir), std::vector<std::string>{"a.todo"});
}

TEST(AtomicSave, FailuresLeaveTheOldFileByteForByte) {
  struct Case {
    std::string Name;
    std::function<void(TempDir&)> Prepare;
    std::function<void()> InChild;
    int Code;
  };
  const std::string original = "old content\r\n";
  const std::vector<Case> cases = {
      {"read-only folder",
       [](TempDir& dir) {
         ::chmod(dir.Path("a.todo").c_str(), 0666);
         ::chmod(dir.Root.c_str(), 0555);
       },
       [] { DropToNobody(); }, 103},
      {"full disk", [](TempDir&) {},
       [] {
         const struct rlimit limit { 4, 4 };
         ::signal(SIGXFSZ, SIG_IGN);
         ::setrlimit(RLIMIT_FSIZE, &limit);
       },
       101},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.Path("a.todo"), original);
    c.Prepare(dir);
    const int code = RunInChild([&] {
      c.InChild();
      try {
        Replace(dir.Path("a.todo"), std::string(1000, 'n'));
      } catch (const EInOutError& e) {
        return e.Code;
      }
      return 0;
    });
    EXPECT_EQ(code, c.Code) << c.Name;
    EXPECT_EQ(ReadBytes(dir.Path("a.todo")), original) << c.Name;
    ::chmod(dir.Root.c_str(), 0700);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.todo"}) << c.Name;
  }
}

TEST(AtomicSave, FolderThatVanishesFails) {
  TempDir dir;
  const std::string folder = dir.Path("gone");
  std::filesystem::create_directory(folder);
  AtomicFileWriter writer;
  EXPECT_FALSE(writer.Open(dir.Path("missing/a.todo")));
  ASSERT_TRUE(writer.Open(folder + "/a.todo"));
  writer.Append("bytes");
  std::filesystem::rename(folder, dir.Path("moved"));
  EXPECT_THROW(writer.Commit(), EInOutError);
}

TEST(FileStamps, OnlyRealChangesCount) {
  TempDir dir;
  const std::string path = dir.Path("a.todo");
  WriteBytes(path, "one");
  FileStamp stamp;
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes, &stamp));
  EXPECT_EQ(bytes, "one");
  const auto setTime = [&](long seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  };
  EXPECT_FALSE(ChangedOnDisk(path, stamp));
  setTime(1000000000);
  EXPECT_FALSE(ChangedOnDisk(path, stamp)) << "touched, same bytes";
  WriteBytes(path, "two");
  setTime(1000000001);
  EXPECT_TRUE(ChangedOnDisk(path, stamp)) << "same size, other bytes";
  WriteBytes(path, "three");
  EXPECT_TRUE(ChangedOnDisk(path, stamp));
  std::filesystem::remove(path);
  EXPECT_FALSE(ChangedOnDisk(path, stamp)) << "nothing left to overwrite";
  WriteBytes(path, "");
  EXPECT_TRUE(ChangedOnDisk(path, FileStamp{})) << "created since we looked";
  EXPECT_FALSE(ReadWholeFile(dir.Path("missing"), bytes));
  EXPECT_FALSE(ReadWholeFile(dir.Root.string(), bytes));
}

TEST(FileCopy, CopiesBytesOrFails) {
  TempDir dir;
  const std::string bytes("a\0b\xE9\r\n", 6);
  WriteBytes(dir.Path("a"), bytes);
  CopyFileAtomically(dir.Path("a"), dir.Path("b"));
  EXPECT_EQ(ReadBytes(dir.Path("b")), bytes);
  EXPECT_THROW(CopyFileAtomically(dir.Path("missing"), dir.Path("c")), EInOutError);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("c")));
}

}  // namespace
}  // namespace taskwell
