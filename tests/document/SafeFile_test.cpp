#include "document/SafeFile.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "document/Errors.h"
#include "document/Text.h"
#include "support/TempFiles.h"

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

TEST(FileHoldsBytes, OnlyTheSameBytesWholeMatch) {
  TempDir dir;
  const std::string path = dir.Path("copy");
  // Longer than one piece of the comparison, so that a difference in a later piece counts.
  const std::string bytes(200000, 'x');
  WriteBytes(path, bytes);
  std::string later = bytes;
  later[150000] = 'y';
  EXPECT_TRUE(FileHoldsBytes(path, bytes));
  EXPECT_FALSE(FileHoldsBytes(path, later));
  EXPECT_FALSE(FileHoldsBytes(path, bytes.substr(1)));
  EXPECT_FALSE(FileHoldsBytes(path, bytes + "x"));
  EXPECT_FALSE(FileHoldsBytes(dir.Path("missing"), ""));
  EXPECT_FALSE(FileHoldsBytes(dir.Path(""), ""));
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

// A file is read a piece at a time: every byte arrives once and in order, on both sides of a
// piece's end, whatever the string held before.
TEST(ReadWholeFile, GivesEveryByteInOrder) {
  TempDir dir;
  const std::string path = dir.Path("a.todo");
  constexpr std::size_t kPiece = std::size_t{128} << 10;
  std::string bytes = "left from before";
  // The last sizes are read with the hash and the scan on a thread of their own.
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, kPiece - 1, kPiece, kPiece + 1,
                                 3 * kPiece + 7, 40 * kPiece, 97 * kPiece + 3}) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
      content[i] = static_cast<char>((i * 131 + i / 977) % 256);
    // A text file as far as the middle, with a Ctrl+Z there: the scan finds where the bytes stop
    // being UTF-8, the Ctrl+Z, and the LFs before it. Some of its characters are cut by the end
    // of a piece.
    for (std::size_t i = 0; i < size / 2; ++i) {
      const std::size_t at = i % 41;
      content[i] = at == 40 ? '\n' : at == 20 ? '\xC3' : at == 21 ? '\xA9' : 'a';
    }
    if (size / 2 % 41 == 21) content[size / 2 - 1] = 'a';
    if (size > 1) content[size / 2] = '\x1A';
    WriteBytes(path, content);
    FileStamp stamp;
    ContentScan scan;
    ASSERT_TRUE(ReadWholeFile(path, bytes, &stamp, nullptr, &scan)) << size;
    EXPECT_TRUE(bytes == content) << size;
    EXPECT_EQ(stamp.Size, size);
    EXPECT_EQ(stamp.Hash, ContentHash(content)) << size;
    EXPECT_EQ(scan.FirstCtrlZ(), content.find('\x1A')) << size;
    EXPECT_EQ(scan.Utf8Before(size / 2), true) << size;
    EXPECT_EQ(scan.Utf8Before(size), IsValidUtf8(content)) << size;
    EXPECT_EQ(scan.CountLf(content, 0, size / 2), size / 2 / 41) << size;
  }
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

// --- Special files, permissions, lost properties, backups, names and messages.

constexpr uid_t kNobody = 65534;

#define REQUIRE_ROOT() \
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user"

// Runs `body` in a child as user nobody with no supplementary groups.
int AsNobody(const std::function<int()>& body) {
  return RunInChild([&] {
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
        ::setresuid(kNobody, kNobody, kNobody) != 0) {
      return 97;
    }
    return body();
  });
}

int OpenDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

void SetTimes(const std::string& path, long seconds) {
  const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

TEST(SpecialFiles, AreRefusedAtOnceWithAReasonAndNoDescriptorLeft) {
  struct Case {
    std::string Name;
    std::function<void(const std::string&)> Make;
    std::string Reason;
    bool RefusedForSaving;
  };
  const std::vector<Case> cases = {
      {"pipe", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, "it is a pipe, not a file",
       true},
      {"device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
       "it is a device, not a file", true},
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); },
       "it is a folder, not a file", true},
      {"over 1 GiB",
       [](const std::string& p) {
         WriteBytes(p, "");
         std::filesystem::resize_file(p, kMaxFileBytes + 1);
       },
       "it is larger than 1 GiB, too large for a task list", false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.Path("list.todo");
    c.Make(path);
    const int code = RunInChild([&] {
      ::alarm(30);  // today's blocking reads end here instead of hanging the test
      const int before = OpenDescriptors();
      std::string bytes;
      Message failure;
      if (ReadWholeFile(path, bytes, nullptr, &failure)) return 1;
      if (failure != "Cannot read " + path + ": " + c.Reason) return 2;
      if (!ChangedOnDisk(path, FileStamp{})) return 6;
      AtomicFileWriter writer;
      if (writer.Open(path) == c.RefusedForSaving) return 3;
      if (c.RefusedForSaving && writer.Failure() != "Cannot save " + path + ": " + c.Reason)
        return 4;
      writer.Abandon();
      return OpenDescriptors() == before ? 0 : 5;
    });
    EXPECT_EQ(code, 0) << c.Name;
    std::error_code error;
    EXPECT_EQ(
        std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::regular,
        !c.RefusedForSaving)
        << c.Name << ": left as it was";
  }
}

TEST(FileStamps, ChangesWithTheTimesKeptAreNoticed) {
  TempDir dir;
  const std::string path = dir.Path("a.todo");
  WriteBytes(path, "one");
  SetTimes(path, 1000000000);
  FileStamp stamp;
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes, &stamp));
  // In place, as cp -p does, and by renaming a copy over it, as rsync -t and tar do.
  WriteBytes(path, "two");
  SetTimes(path, 1000000000);
  EXPECT_TRUE(ChangedOnDisk(path, stamp)) << "rewritten in place";
  ASSERT_TRUE(ReadWholeFile(path, bytes, &stamp));
  WriteBytes(dir.Path("copy"), "six");
  SetTimes(dir.Path("copy"), 1000000000);
  std::filesystem::rename(dir.Path("copy"), path);
  EXPECT_TRUE(ChangedOnDisk(path, stamp)) << "renamed over";
  // Our own save is no change.
  Replace(path, "ten");
  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Open(path));
  writer.Append("new");
  EXPECT_FALSE(ChangedOnDisk(path, writer.Commit()));
}

TEST(AtomicSave, KeepsOwnerSetIdBitsAndExtendedAttributes) {
  REQUIRE_ROOT();
  TempDir dir;
  const std::string path = dir.Path("a.todo");
  for (const mode_t mode : {04755u, 02750u}) {
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    const bool xattrs = ::setxattr(path.c_str(), "user.origin", "phone", 5, 0) == 0;
    Replace(path, "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
    char value[16] = {};
    if (xattrs) {
      EXPECT_EQ(::getxattr(path.c_str(), "user.origin", value, sizeof value), 5);
    }
    EXPECT_STREQ(value, xattrs ? "phone" : "");
    std::filesystem::remove(path);
  }
}

TEST(AtomicSave, RefusesFilesTheUserMayNotWriteAndSaysWhatItCannotKeep) {
  REQUIRE_ROOT();
  struct Case {
    std::string Name;
    uid_t Owner;
    mode_t Mode;
    bool Saved;
  };
  const std::vector<Case> cases = {
      {"read-only", kNobody, 0444, false},
      {"another user's", 0, 0644, false},
      {"another user's, writable by all", 0, 0666, true},
  };
  for (const Case& c : cases) {
    TempDir dir;
    ASSERT_EQ(::chown(dir.Root.c_str(), kNobody, kNobody), 0);
    const std::string path = dir.Path("a.todo");
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), c.Owner, c.Owner), 0);
    ASSERT_EQ(::chmod(path.c_str(), c.Mode), 0);
    const int code = AsNobody([&] {
      const ReplaceCheck check = CheckReplace(path);
      AtomicFileWriter writer;
      if (writer.Open(path) != c.Saved) return 1;
      if (!c.Saved) {
        return check.Refusal == "Cannot save " + path + ": permission denied" &&
                       writer.Failure() == check.Refusal
                   ? 0
                   : 2;
      }
      if (check.CannotKeep !=
          std::vector<std::string>{"its owner (user 0)", "its group (group 0)"}) {
        return 3;
      }
      writer.Append("new");
      writer.Commit();
      return writer.NotKept() == std::vector<std::string>{"its owner", "its group"} ? 0 : 4;
    });
    EXPECT_EQ(code, 0) << c.Name;
    EXPECT_EQ(ReadBytes(path), c.Saved ? "new" : "old") << c.Name;
  }
}

TEST(AtomicSave, ADanglingLinkGetsItsFileAndLongNamesSave) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("sub"));
  std::filesystem::create_symlink("sub/real.todo", dir.Path("link.todo"));
  Replace(dir.Path("link.todo"), "first");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.todo")));
  EXPECT_EQ(ReadBytes(dir.Path("sub/real.todo")), "first");

  const std::string longName = std::string(250, 'n') + ".todo";  // the longest name allowed
  WriteBytes(dir.Path(longName), "old");
  Replace(dir.Path(longName), "new");
  EXPECT_EQ(ReadBytes(dir.Path(longName)), "new");
}

TEST(AtomicSave, TheNextSaveRemovesWhatAKilledSaveLeftBehind) {
  TempDir dir;
  WriteBytes(dir.Path("a.todo"), "old");
  const int killed = RunInChild([&] {
    AtomicFileWriter writer;
    writer.Open(dir.Path("a.todo"));
    ::kill(::getpid(), SIGKILL);
    return 0;
  });
  ASSERT_EQ(killed, 128 + SIGKILL);
  // A save in progress elsewhere keeps its file.
  AtomicFileWriter running;
  ASSERT_TRUE(running.Open(dir.Path("b.todo")));
  ASSERT_EQ(Names(dir).size(), 3u) << "a.todo and two temporary files";
  for (const std::string& name : Names(dir)) SetTimes(dir.Path(name), 1000000000);
  Replace(dir.Path("a.todo"), "new");
  EXPECT_EQ(Names(dir).size(), 2u);
  running.Append("b");
  running.Commit();
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.todo", "b.todo"}));
}

TEST(Backup, KeepsTheModeAndNeverReplacesAnEarlierBackup) {
  REQUIRE_ROOT();
  TempDir dir;
  ASSERT_EQ(::chown(dir.Root.c_str(), kNobody, kNobody), 0);
  const std::string file = dir.Path("a.todo");
  const std::string backup = file + ".bak";
  WriteBytes(file, "tasks");
  // Readable to nobody through the group only; the kernel then refuses nobody a hard link.
  ASSERT_EQ(::chown(file.c_str(), 0, kNobody), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  EXPECT_EQ(AsNobody([&] {
              KeepBackup(file, backup);
              return 0;
            }),
            0);
  EXPECT_EQ(ReadBytes(backup), "tasks");
  EXPECT_EQ(Mode(backup), 0640u);

  WriteBytes(backup, "earlier");
  try {
    KeepBackup(file, backup);
    ADD_FAILURE() << "an earlier backup was replaced";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot keep " + file + " as " + backup),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(ReadBytes(backup), "earlier");
}

TEST(FileMessages, NameThePathAndTheReason) {
  TempDir dir;
  const std::string missing = dir.Path("missing.todo");
  const std::string folder = dir.Path("folder.todo");
  std::filesystem::create_directory(folder);
  const auto readFailure = [](const std::string& path) {
    std::string bytes;
    Message failure;
    EXPECT_FALSE(ReadWholeFile(path, bytes, nullptr, &failure));
    return failure.English();
  };
  EXPECT_EQ(readFailure(missing), "Cannot read " + missing + ": it does not exist");
  EXPECT_EQ(readFailure(folder), "Cannot read " + folder + ": it is a folder, not a file");
  AtomicFileWriter writer;
  EXPECT_FALSE(writer.Open(dir.Path("gone/a.todo")));
  EXPECT_EQ(writer.Failure(), "Cannot save " + dir.Path("gone/a.todo") + ": the folder " +
                                  dir.Path("gone") + " does not exist");
  try {
    writer.Commit();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.what(), writer.Failure());
    EXPECT_EQ(e.Code, 103);
  }
}

TEST(FileMessages, AFullDiskIsNamedAndLeavesTheOldFile) {
  REQUIRE_ROOT();
  TempDir dir;
  const std::string disk = dir.Path("disk");
  std::filesystem::create_directory(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no small tmpfs can be mounted here";
  const std::string path = disk + "/a.todo";
  WriteBytes(path, "old");
  try {
    Replace(path, std::string(1 << 20, 'n'));
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot save " + path + ": the disk is full");
  }
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk), {}), 1);
  ::umount(disk.c_str());
}

TEST(AtomicSave, AFolderThatCannotBeFlushedIsToldAndStaleTemporariesGoWhateverTheirAge) {
  REQUIRE_ROOT();
  TempDir dir;
  ASSERT_EQ(::chown(dir.Root.c_str(), kNobody, kNobody), 0);
  const std::string folder = dir.Path("wx");
  std::filesystem::create_directory(folder);
  ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
  const std::string path = folder + "/a.todo";
  WriteBytes(path, "old");
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  // A killed save left a temporary just now; a save running elsewhere holds another.
  ASSERT_EQ(AsNobody([&] {
              AtomicFileWriter writer;
              writer.Open(path);
              ::kill(::getpid(), SIGKILL);
              return 0;
            }),
            128 + SIGKILL);
  AtomicFileWriter running;
  ASSERT_TRUE(running.Open(folder + "/b.todo"));
  const auto count = [&] { return std::distance(std::filesystem::directory_iterator(folder), {}); };
  ASSERT_EQ(count(), 3);
  EXPECT_EQ(AsNobody([&] {
              Replace(path, "newer");
              return 0;
            }),
            0);
  EXPECT_EQ(count(), 2) << "a.todo and the live save's temporary file";
  // Writable and searchable, not readable: the rename works, opening the folder to flush fails.
  ASSERT_EQ(::chmod(folder.c_str(), 0300), 0);
  EXPECT_EQ(AsNobody([&] {
              try {
                Replace(path, "new");
              } catch (const EIncompleteFlush& e) {
                const std::string text = e.what();
                const bool named = text.starts_with(path + " was saved, but not completely") &&
                                   text.find("open the folder " + folder + ": permission denied") !=
                                       std::string::npos;
                return named && e.Written().Size == 3 ? 0 : 2;
              }
              return 1;
            }),
            0);
  ::chmod(folder.c_str(), 0700);
  EXPECT_EQ(ReadBytes(path), "new");
  running.Append("b");
  running.Commit();
}

// Recovery journals are named by the hash of their task file's path: a new version must find
// the journal a crashed older one left, so the hash may never change.
TEST(ContentHash, KeepsItsValuesFromVersionToVersion) {
  const std::string lanes(64, 'x');
  for (const auto& [bytes, hash] : std::vector<std::pair<std::string, std::uint64_t>>{
           {"", 0xb1b6a2946d646c1dULL},
           {"a", 0x5f7341549e50f4f0ULL},
           {"/home/ann/ToDo.ToDo", 0xf107fe2234f23ed7ULL},
           {lanes + "tail", 0xadfac5058b63f8f2ULL}}) {
    EXPECT_EQ(ContentHash(bytes), hash) << bytes;
  }
}

}  // namespace
}  // namespace taskwell
