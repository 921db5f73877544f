#include "document/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

#include "document/Errors.h"

namespace taskwell {
namespace {

constexpr int kFileNotOpen = 103;
constexpr int kDiskWriteError = 101;

std::int64_t ModifiedNs(const struct stat& st) {
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// The file a path finally names, following symbolic links, so that we replace the file and not
// the link.
std::string ResolveTarget(const std::string& path) {
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(path, error);
  return error ? path : resolved.string();
}

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

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

FileStamp CurrentStamp(const std::string& path, const FileStamp& known) {
  FileStamp stamp;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return stamp;
  stamp.Exists = true;
  stamp.Size = static_cast<std::uint64_t>(st.st_size);
  stamp.ModifiedNs = ModifiedNs(st);
  if (known.Exists && stamp.Size == known.Size && stamp.ModifiedNs == known.ModifiedNs) {
    stamp.Hash = known.Hash;
    return stamp;
  }
  std::string bytes;
  if (ReadWholeFile(path, bytes)) stamp.Hash = ContentHash(bytes);
  return stamp;
}

bool ChangedOnDisk(const std::string& path, const FileStamp& known) {
  const FileStamp now = CurrentStamp(path, known);
  if (!now.Exists) return false;  // nothing there to overwrite
  if (!known.Exists) return true;
  return now.Size != known.Size || now.Hash != known.Hash;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, FileStamp* stamp) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  bytes.clear();
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[65536];
  bool ok = true;
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (ok && stamp != nullptr) {
    stamp->Exists = true;
    stamp->Size = bytes.size();
    stamp->ModifiedNs = ModifiedNs(st);
    stamp->Hash = ContentHash(bytes);
  }
  return ok;
}

AtomicFileWriter::~AtomicFileWriter() {
  Abandon();
}

bool AtomicFileWriter::Open(const std::string& path) {
  Abandon();
  Target = ResolveTarget(path);
  const std::filesystem::path target(Target);
  std::string name = ".";
  name += target.filename().string();
  name += ".XXXXXX";
  std::string pattern = (FolderOf(target) / name).string();
  Fd = ::mkstemp(pattern.data());
  if (Fd < 0) return false;
  TempPath = pattern;
  Buffer.clear();
  return true;
}

FileStamp AtomicFileWriter::Commit() {
  if (Fd < 0) throw EInOutError(kFileNotOpen);
  // A full disk may raise SIGXFSZ when a size limit applies; we want the error return instead.
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  struct stat existing {};
  bool ok = WriteAll(Fd, Buffer);
  if (ok && ::stat(Target.c_str(), &existing) == 0) {
    ok = ::fchmod(Fd, existing.st_mode & 07777) == 0;
    if (ok && ::fchown(Fd, existing.st_uid, existing.st_gid) != 0) {
      // Another owner cannot be given away by an ordinary user; the bits still hold.
    }
  } else if (ok) {
    ok = ::fchmod(Fd, NewFileMode()) == 0;
  }
  ok = ok && ::fsync(Fd) == 0;
  struct stat written {};
  ok = ok && ::fstat(Fd, &written) == 0;
  ok = ::close(Fd) == 0 && ok;
  Fd = -1;
  ok = ok && ::rename(TempPath.c_str(), Target.c_str()) == 0;
  ::sigaction(SIGXFSZ, &previous, nullptr);
  if (!ok) {
    ::unlink(TempPath.c_str());
    TempPath.clear();
    throw EInOutError(kDiskWriteError);
  }
  TempPath.clear();
  // The folder entry itself must reach the disk for the rename to survive a power cut.
  const int dirFd = ::open(FolderOf(Target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  FileStamp stamp;
  stamp.Exists = true;
  stamp.Size = Buffer.size();
  stamp.ModifiedNs = ModifiedNs(written);
  stamp.Hash = ContentHash(Buffer);
  Buffer.clear();
  return stamp;
}

void AtomicFileWriter::Abandon() {
  if (Fd >= 0) {
    ::close(Fd);
    Fd = -1;
  }
  if (!TempPath.empty()) {
    ::unlink(TempPath.c_str());
    TempPath.clear();
  }
  Buffer.clear();
}

void CopyFileAtomically(const std::string& from, const std::string& to) {
  std::string bytes;
  if (!ReadWholeFile(from, bytes)) throw EInOutError(kFileNotOpen);
  AtomicFileWriter writer;
  if (!writer.Open(to)) throw EInOutError(kFileNotOpen);
  writer.Append(bytes);
  writer.Commit();
}

}  // namespace taskwell
