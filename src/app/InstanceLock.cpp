#include "app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <cstdlib>

namespace taskwell {
namespace {

bool UsableFolder(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (::mkdir(folder.c_str(), 0700) != 0) return false;
    if (::stat(folder.c_str(), &st) != 0) return false;
  }
  // Someone else's folder in /tmp must not decide our locks.
  return S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

}  // namespace

InstanceLock::~InstanceLock() {
  if (Fd >= 0) ::close(Fd);
}

std::string InstanceLock::LockNameOf(const std::string& argument) {
  std::string name = argument;
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return name;
}

std::string InstanceLock::LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') {
    std::string folder = std::string(runtime) + "/taskwell-locks";
    if (UsableFolder(folder)) return folder;
  }
  const std::string folder = "/tmp/taskwell-locks-" + std::to_string(::getuid());
  return UsableFolder(folder) ? folder : std::string();
}

bool InstanceLock::Acquire(const std::string& name) {
  if (name.empty()) return true;
  const std::string folder = LockFolder();
  if (folder.empty()) return false;
  const QByteArray digest =
      QCryptographicHash::hash(QByteArray(name.data(), static_cast<qsizetype>(name.size())),
                               QCryptographicHash::Sha256)
          .toHex();
  const std::string path = folder + "/" + digest.toStdString() + ".lock";
  Fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (Fd < 0) return false;
  if (::flock(Fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(Fd);
    Fd = -1;
    return false;
  }
  return true;
}

}  // namespace taskwell
