#include "document/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "document/ContentHasher.h"
#include "document/ReadBehind.h"

namespace taskwell {
namespace {

constexpr int kDiskWriteError = 101;
// Symbolic links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;
// Our temporary files: short, so that a name of any allowed length can still be saved.
constexpr std::string_view kTempPrefix = ".taskwell-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempRandom = 6;

// Closes a descriptor on every path out of a function.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

void FillStamp(FileStamp& stamp, const struct stat& st) {
  stamp.Exists = true;
  stamp.Size = static_cast<std::uint64_t>(st.st_size);
  stamp.ModifiedNs = Nanoseconds(st.st_mtim);
  stamp.ChangedNs = Nanoseconds(st.st_ctim);
  stamp.Device = st.st_dev;
  stamp.Inode = st.st_ino;
}

// action is a template that names the file as %1 and the reason as %2.
Message Cannot(const char* action, const std::string& path, const Message& reason) {
  return Message::Format(action, path, reason);
}

constexpr const char* kCannotSave = "Cannot save %1: %2";
constexpr const char* kCannotRead = "Cannot read %1: %2";

// Why something that exists is not a file we read or replace.
Message NotRegularReason(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return "it is a folder, not a file";
  if (S_ISFIFO(st.st_mode)) return "it is a pipe, not a file";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "it is a device, not a file";
  if (S_ISSOCK(st.st_mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The file a path finally names, following symbolic links also where the last one dangles, so
// that we replace (or create) the file and not the link. False with errno set on a link loop.
bool ResolveTarget(const std::string& path, std::string& target) {
  target = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0) return true;
    link.resize(static_cast<std::size_t>(length));
    const std::filesystem::path next(link);
    target = next.is_absolute() ? link : (FolderOf(target) / next).string();
  }
  errno = ELOOP;
  return false;
}

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool InGroup(gid_t group) {
  if (group == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = ::getgroups(count, groups.data());
  for (int i = 0; i < got; ++i) {
    if (groups[static_cast<std::size_t>(i)] == group) return true;
  }
  return false;
}

// Whether a save may replace this existing file at all; the refusal names it as the user gave it.
Message RefusalFor(const std::string& given, const std::string& target, const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return Cannot(kCannotSave, given, NotRegularReason(st));
  // Renaming needs only the folder; the user's right to change this file is what counts.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    return Cannot(kCannotSave, given, FileErrorReason(errno));
  return {};
}

bool IsOurTemporaryName(std::string_view name) {
  return name.size() == kTempPrefix.size() + kTempRandom + kTempSuffix.size() &&
         name.starts_with(kTempPrefix) && name.ends_with(kTempSuffix);
}

// Removes what saves killed half-way left behind, whatever their age. A live save holds an
// flock on its temporary file, so a file we can lock belongs to nobody; a save that created its
// file but had not locked it yet notices the loss and makes another (CreateLockedTemporary).
void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir);
  while (const struct dirent* entry = ::readdir(dir)) {
    if (!IsOurTemporaryName(entry->d_name)) continue;
    struct stat st {};
    if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid()) {
      continue;
    }
    const Descriptor fd(
        ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 ||
        ::fstat(fd.Get(), &opened) != 0 || opened.st_ino != st.st_ino) {
      continue;
    }
    ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

// Copies the extended attributes of `from` to the open file; returns those that could not be.
std::vector<std::string> CopyExtendedAttributes(const std::string& from, int toFd) {
  std::vector<std::string> lost;
  ssize_t size = ::llistxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return lost;
  std::string names(static_cast<std::size_t>(size), '\0');
  size = ::llistxattr(from.c_str(), names.data(), names.size());
  if (size <= 0) return lost;
  names.resize(static_cast<std::size_t>(size));
  for (std::size_t at = 0; at < names.size();) {
    const std::string name(names.c_str() + at);
    at += name.size() + 1;
    // A new file gets the security label its folder gives, as any new file would.
    if (name.empty() || name == "security.selinux") continue;
    const ssize_t length = ::lgetxattr(from.c_str(), name.c_str(), nullptr, 0);
    std::string value(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length < 0 ||
        ::lgetxattr(from.c_str(), name.c_str(), value.data(), value.size()) !=
            static_cast<ssize_t>(value.size()) ||
        ::fsetxattr(toFd, name.c_str(), value.data(), value.size(), 0) != 0) {
      lost.push_back("its extended attribute " + name);
    }
  }
  return lost;
}

// The folder entry itself must reach the disk for a rename to survive a power cut. Returns the
// failure in words, empty when the folder was opened, flushed and closed.
Message SyncFolder(const std::string& file) {
  const std::string folder = FolderOf(file).string();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return Cannot("Cannot open the folder %1: %2", folder, FileErrorReason(errno));
  // Some file systems cannot flush a folder at all; there is nothing more to make sure of.
  const bool synced = ::fsync(dir) == 0 || errno == EINVAL || errno == EROFS;
  const int syncError = errno;
  const bool closed = ::close(dir) == 0;
  if (!synced) return Cannot("Cannot flush the folder %1: %2", folder, FileErrorReason(syncError));
  if (!closed) return Cannot("Cannot close the folder %1: %2", folder, FileErrorReason(errno));
  return {};
}

// A new temporary file in `folder`, locked before anyone else's clean-up may take it: one that
// vanished between its creation and the lock is made again. -1 with errno set on failure.
int CreateLockedTemporary(const std::string& folder, std::string& path) {
  std::string name(kTempPrefix);
  name.append(kTempRandom, 'X');
  name += kTempSuffix;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = (std::filesystem::path(folder) / name).string();
    const int fd = ::mkostemps(path.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat mine {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && mine.st_ino == named.st_ino &&
        mine.st_dev == named.st_dev) {
      return fd;
    }
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

// Puts the finished temporary file in place; `replace` false never overwrites a file.
bool PutInPlace(const std::string& temp, const std::string& target, bool replace) {
  if (replace) return ::rename(temp.c_str(), target.c_str()) == 0;
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without the flag: a link also fails on an existing name.
  if (::link(temp.c_str(), target.c_str()) != 0) return false;
  ::unlink(temp.c_str());
  return true;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

EFileError::EFileError(int code, Message message) : EInOutError(std::move(message), code) {}

EFileError OutOfMemoryOnSave(const std::string& path) {
  return EFileError(kDiskWriteError,
                    Message::Format("Cannot save %1: there is not enough memory. Nothing was "
                                    "written; the file is as it was. Close other programs and "
                                    "save again",
                                    path));
}

EIncompleteFlush::EIncompleteFlush(const FileStamp& written, Message message)
    : EFileError(kDiskWriteError, std::move(message)), written_(written) {}

Message FileErrorReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOENT:
      return "it does not exist";
    case ENOTDIR:
      return "a part of its path is not a folder";
    case EISDIR:
      return "it is a folder, not a file";
    case ENOSPC:
      return "the disk is full";
    case EDQUOT:
      return "the disk quota is used up";
    case EFBIG:
      return "the file is too large";
    case EROFS:
      return "the file system is read-only";
    case ENAMETOOLONG:
      return "the name is too long";
    case ELOOP:
      return "too many symbolic links";
    case EIO:
      return "the device reported an input/output error";
    case ENXIO:
      return "no device answers for it";
    case ETXTBSY:
      return "it is a running program";
    default:
      break;
  }
  // Not translated, unlike strerror: every other message of the program is English.
  const char* text = ::strerrordesc_np(error);
  if (text == nullptr) return Message::Format("error %1", error);
  std::string reason = text;
  if (!reason.empty() && reason[0] >= 'A' && reason[0] <= 'Z') reason[0] += 'a' - 'A';
  return Message::Value(reason);
}

std::uint64_t ContentHash(std::string_view bytes) {
  ContentHasher hasher;
  return hasher.Finish(bytes);
}

FileStamp CurrentStamp(const std::string& path, const FileStamp& known) {
  FileStamp stamp;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return stamp;
  FillStamp(stamp, st);
  if (known.Exists && known.Hashed && stamp.Size == known.Size &&
      stamp.ModifiedNs == known.ModifiedNs && stamp.ChangedNs == known.ChangedNs &&
      stamp.Device == known.Device && stamp.Inode == known.Inode) {
    stamp.Hash = known.Hash;
    stamp.Hashed = true;
    return stamp;
  }
  std::string bytes;
  if (ReadWholeFile(path, bytes)) {
    stamp.Hash = ContentHash(bytes);
    stamp.Hashed = true;
  }
  return stamp;
}

bool ChangedOnDisk(const std::string& path, const FileStamp& known) {
  const FileStamp now = CurrentStamp(path, known);
  if (!now.Exists) return false;  // nothing there to overwrite
  if (!known.Exists || !now.Hashed) return true;
  return now.Size != known.Size || now.Hash != known.Hash;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, FileStamp* stamp, Message* failure,
                   ContentScan* scan) {
  const auto fail = [&](const Message& reason) {
    if (failure != nullptr) *failure = Cannot(kCannotRead, path, reason);
    return false;
  };
  // Opening a pipe would wait for a writer, and some devices act on being opened.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return fail(FileErrorReason(errno));
  if (!S_ISREG(st.st_mode)) return fail(NotRegularReason(st));
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) return fail(FileErrorReason(errno));
  if (::fstat(fd.Get(), &st) != 0) return fail(FileErrorReason(errno));
  if (!S_ISREG(st.st_mode)) return fail(NotRegularReason(st));
  const Message tooLarge("it is larger than 1 GiB, too large for a task list");
  if (static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes) return fail(tooLarge);
  // Read a piece at a time through a buffer that stays in the cache, into a string with room for
  // the whole file: its fresh memory is written once, not cleared first and then read into. The
  // hash and the scan follow the read on a thread of their own.
  constexpr std::size_t kPiece = std::size_t{128} << 10;
  char piece[kPiece];
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  ContentHasher hasher;
  ReadBehind behind(stamp != nullptr ? &hasher : nullptr, scan, bytes.capacity());
  for (;;) {
    const ssize_t got = ::read(fd.Get(), piece, kPiece);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(FileErrorReason(errno));
    if (got == 0) break;
    const auto size = static_cast<std::size_t>(got);
    // A file that grew meanwhile moves the bytes, or is refused.
    if (bytes.size() + size > bytes.capacity() || bytes.size() + size > kMaxFileBytes)
      behind.Settle();
    if (bytes.size() + size > kMaxFileBytes) {
      bytes.clear();
      return fail(tooLarge);
    }
    bytes.append(piece, size);
    behind.Came(bytes);
  }
  behind.Finish(bytes);
  if (stamp != nullptr) {
    FillStamp(*stamp, st);
    stamp->Size = bytes.size();
    stamp->Hash = hasher.Finish(bytes);
    stamp->Hashed = true;
  }
  return true;
}

bool FileHoldsBytes(const std::string& path, std::string_view bytes) {
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat st {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::uint64_t>(st.st_size) != bytes.size())
    return false;
  std::vector<char> piece(std::size_t{1} << 16);
  std::size_t done = 0;
  for (;;) {
    const ssize_t got = ::read(fd.Get(), piece.data(), piece.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return done == bytes.size();
    const auto size = static_cast<std::size_t>(got);
    if (size > bytes.size() - done || bytes.compare(done, size, {piece.data(), size}) != 0)
      return false;
    done += size;
  }
}

ReplaceCheck CheckReplace(const std::string& path) {
  ReplaceCheck check;
  std::string target;
  if (!ResolveTarget(path, target)) {
    check.Refusal = Cannot(kCannotSave, path, FileErrorReason(errno));
    return check;
  }
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) check.Refusal = Cannot(kCannotSave, path, FileErrorReason(errno));
    return check;
  }
  check.Exists = true;
  check.Refusal = RefusalFor(path, target, st);
  if (!check.Refusal.Empty()) return check;
  check.OtherNames = st.st_nlink > 1 ? static_cast<unsigned long>(st.st_nlink - 1) : 0;
  if (::geteuid() != 0) {
    if (st.st_uid != ::geteuid())
      check.CannotKeep.push_back("its owner (user " + std::to_string(st.st_uid) + ")");
    if (!InGroup(st.st_gid))
      check.CannotKeep.push_back("its group (group " + std::to_string(st.st_gid) + ")");
  }
  return check;
}

AtomicFileWriter::~AtomicFileWriter() {
  Abandon();
}

bool AtomicFileWriter::Open(const std::string& path) {
  createOnly_ = false;
  newMode_ = DefaultFileMode();
  return Begin(path);
}

bool AtomicFileWriter::OpenNew(const std::string& path, mode_t mode) {
  createOnly_ = true;
  newMode_ = mode;
  return Begin(path);
}

bool AtomicFileWriter::Begin(const std::string& path) {
  Abandon();
  lost_.clear();
  openFailure_ = {};
  given_ = path;
  const auto fail = [&](const Message& reason) {
    openFailure_ = Cannot(kCannotSave, path, reason);
    return false;
  };
  if (!ResolveTarget(path, target_)) return fail(FileErrorReason(errno));
  struct stat st {};
  if (::lstat(target_.c_str(), &st) == 0) {
    if (createOnly_) return fail(Message::Format("%1 already exists", target_));
    openFailure_ = RefusalFor(path, target_, st);
    if (!openFailure_.Empty()) return false;
  } else if (errno != ENOENT) {
    return fail(FileErrorReason(errno));
  }
  folder_ = FolderOf(target_).string();
  std::string temp;
  fd_ = CreateLockedTemporary(folder_, temp);
  if (fd_ < 0) {
    if (errno == ENOENT) return fail(Message::Format("the folder %1 does not exist", folder_));
    return fail(FileErrorReason(errno));
  }
  tempPath_ = std::move(temp);
  buffer_.clear();
  return true;
}

void AtomicFileWriter::AppendTaken(std::string&& bytes) {
  if (buffer_.empty()) {
    buffer_ = std::move(bytes);
  } else {
    buffer_.append(bytes);
  }
}

void AtomicFileWriter::Fail(int error) {
  const Message reason = FileErrorReason(error);
  Abandon();
  throw EFileError(kDiskWriteError, Cannot(kCannotSave, given_, reason));
}

void AtomicFileWriter::KeepProperties(const struct stat& existing) {
  // Owner first: changing it clears the set-id bits, which the mode below puts back.
  struct stat mine {};
  if (::fstat(fd_, &mine) != 0) Fail(errno);
  if ((mine.st_uid != existing.st_uid || mine.st_gid != existing.st_gid) &&
      ::fchown(fd_, existing.st_uid, existing.st_gid) != 0) {
    // An ordinary user cannot give a file away, but may keep a group they belong to.
    if (mine.st_uid != existing.st_uid) lost_.push_back("its owner");
    if (mine.st_gid != existing.st_gid &&
        ::fchown(fd_, static_cast<uid_t>(-1), existing.st_gid) != 0)
      lost_.push_back("its group");
  }
  for (std::string& name : CopyExtendedAttributes(target_, fd_)) lost_.push_back(std::move(name));
  if (::fchmod(fd_, existing.st_mode & 07777) != 0) Fail(errno);
  if (::fstat(fd_, &mine) == 0 && (mine.st_mode & 07777) != (existing.st_mode & 07777))
    lost_.push_back("its set-ID bits");
}

struct stat AtomicFileWriter::WriteAndClose() {
  if (!WriteAll(fd_, buffer_)) Fail(errno);
  struct stat existing {};
  if (!createOnly_ && ::lstat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    KeepProperties(existing);
  } else if (::fchmod(fd_, newMode_) != 0) {
    Fail(errno);
  }
  if (::fsync(fd_) != 0) Fail(errno);
  struct stat written {};
  if (::fstat(fd_, &written) != 0) Fail(errno);
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!closed) Fail(errno);
  return written;
}

FileStamp AtomicFileWriter::Commit(std::string* giveBack) {
  if (fd_ < 0) {
    throw EFileError(kFileNotOpen, openFailure_.Empty()
                                       ? Cannot(kCannotSave, given_, Message("it is not open"))
                                       : openFailure_);
  }
  // A full disk may raise SIGXFSZ when a size limit applies; we want the error return instead.
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  struct RestoreSignal {
    const struct sigaction& Previous;
    ~RestoreSignal() { ::sigaction(SIGXFSZ, &Previous, nullptr); }
  } restore{previous};

  struct stat written = WriteAndClose();
  if (!PutInPlace(tempPath_, target_, !createOnly_)) {
    const int error = errno;
    if (error == EEXIST) {
      Abandon();
      throw EFileError(kDiskWriteError,
                       Cannot(kCannotSave, given_, Message::Format("%1 already exists", target_)));
    }
    Fail(error);
  }
  tempPath_.clear();
  // The rename changes the inode's change time; take the stamp after it when the file is ours.
  struct stat placed {};
  if (::stat(target_.c_str(), &placed) == 0 && placed.st_ino == written.st_ino &&
      placed.st_dev == written.st_dev) {
    written = placed;
  }
  FileStamp stamp;
  FillStamp(stamp, written);
  stamp.Size = buffer_.size();
  stamp.Hash = ContentHash(buffer_);
  stamp.Hashed = true;
  if (giveBack != nullptr) *giveBack = std::move(buffer_);
  buffer_.clear();
  // Only now, with nothing of ours left in the folder, may the clean-up take what others left.
  RemoveStaleTemporaries(folder_);
  const Message unflushed = SyncFolder(target_);
  if (!unflushed.Empty()) {
    throw EIncompleteFlush(stamp, Message::Format("%1 was saved, but not completely flushed to "
                                                  "disk: %2. A power cut now could lose the save; "
                                                  "save again.",
                                                  given_, unflushed));
  }
  return stamp;
}

void AtomicFileWriter::Abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
  }
  buffer_.clear();
}

void CopyFileAtomically(const std::string& from, const std::string& to) {
  std::string bytes;
  Message failure;
  FileStamp stamp;
  if (!ReadWholeFile(from, bytes, &stamp, &failure)) throw EFileError(kFileNotOpen, failure);
  struct stat st {};
  const mode_t mode = ::stat(from.c_str(), &st) == 0 ? (st.st_mode & 0777) : DefaultFileMode();
  AtomicFileWriter writer;
  if (!writer.OpenNew(to, mode)) throw EFileError(kFileNotOpen, writer.Failure());
  writer.Append(bytes);
  writer.Commit();
}

void KeepBackup(const std::string& file, const std::string& backup) {
  const auto refuse = [&](const Message& reason) {
    throw EFileError(kDiskWriteError,
                     Message::Format("Cannot keep %1 as %2: %3", file, backup, reason));
  };
  struct stat st {};
  if (::lstat(backup.c_str(), &st) == 0)
    refuse("that name is taken by an earlier backup, which is kept; move it away and save again");
  // Link the file a symbolic link names, not the link, which would follow the file's next content.
  if (::linkat(AT_FDCWD, file.c_str(), AT_FDCWD, backup.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    // The reason alone: the folder's name says nothing the backup's does not.
    if (const Message unflushed = SyncFolder(backup); !unflushed.Empty())
      refuse(unflushed.Parts().back());
    return;
  }
  if (errno == EEXIST) refuse("that name was taken meanwhile");
  CopyFileAtomically(file, backup);
}

}  // namespace taskwell
