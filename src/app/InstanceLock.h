#pragma once

#include <string>

namespace taskwell {

// A system-wide named lock that the kernel drops when the owning process ends, however it ends:
// an flock on a file named after the lock name's SHA-256 in a folder only this user can enter.
class InstanceLock {
 public:
  enum class Outcome {
    Held,         // this process holds the name now
    Busy,         // another process holds it
    Unavailable,  // no lock could be taken at all; Problem() says why
  };

  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // The empty name never conflicts.
  Outcome Take(const std::string& name);
  // False only when another process holds the name: a lock that cannot be taken at all must not
  // claim that the file is being edited.
  bool Acquire(const std::string& name) { return Take(name) != Outcome::Busy; }
  // Why the last Take could not take any lock; empty otherwise.
  const std::string& Problem() const { return lastProblem_; }

  // The folder that holds the lock files: under $XDG_RUNTIME_DIR, else under the temporary
  // folder, else under ~/.cache; each only when it is a folder of this user's alone. Empty when
  // none is.
  static std::string LockFolder();
  // The lock name's SHA-256 in hexadecimal, which names its lock file: any name fits a file name.
  static std::string NameDigest(const std::string& name);
  // The name used for the lock: the argument with every "\" turned into "/".
  static std::string LockNameOf(const std::string& argument);

 private:
  int fd_ = -1;
  std::string lastProblem_;
};

}  // namespace taskwell
