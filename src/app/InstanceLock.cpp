#include "app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <cerrno>
#include <cstdlib>

#include "document/SafeFile.h"

namespace taskwell {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// A folder that decides our locks must be ours and closed to everyone else; a shared temporary
// folder lets anyone create the name first, as a file, a folder or a link.
bool PrivateFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
         (st.st_mode & 07777) == 0700;
}

}  // namespace

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::string InstanceLock::LockNameOf(const std::string& argument) {
  std::string name = argument;
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return name;
}

std::string InstanceLock::NameDigest(const std::string& name) {
  return QCryptographicHash::hash(QByteArray(name.data(), static_cast<qsizetype>(name.size())),
                                  QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}

std::string InstanceLock::LockFolder() {
  if (const std::string runtime = Environment("XDG_RUNTIME_DIR"); !runtime.empty()) {
    std::string folder = runtime + "/taskwell-locks";
    if (PrivateFolder(folder)) return folder;
  }
  std::string temp = Environment("TMPDIR");
  if (temp.empty()) temp = "/tmp";
  if (std::string folder = temp + "/taskwell-locks-" + std::to_string(::getuid());
      PrivateFolder(folder)) {
    return folder;
  }
  if (const std::string home = Environment("HOME"); !home.empty()) {
    ::mkdir((home + "/.cache").c_str(), 0700);
    if (std::string folder = home + "/.cache/taskwell-locks"; PrivateFolder(folder)) {
      return folder;
    }
  }
  return {};
}

InstanceLock::Outcome InstanceLock::Take(const std::string& name) {
  lastProblem_.clear();
  if (name.empty()) return Outcome::Held;
  const std::string folder = LockFolder();
  if (folder.empty()) {
    lastProblem_ = "No private folder for the lock of " + name + " could be made.";
    return Outcome::Unavailable;
  }
  const std::string path = folder + "/" + NameDigest(name) + ".lock";
  if (fd_ >= 0) ::close(fd_);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  const auto unavailable = [&](int error) {
    lastProblem_ =
        "Cannot lock " + name + " (" + path + "): " + FileErrorReason(error).English() + ".";
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return Outcome::Unavailable;
  };
  if (fd_ < 0) return unavailable(errno);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return unavailable(errno);
  if (!S_ISREG(st.st_mode)) return unavailable(EINVAL);
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK) return unavailable(errno);
    ::close(fd_);
    fd_ = -1;
    return Outcome::Busy;
  }
  return Outcome::Held;
}

}  // namespace taskwell
