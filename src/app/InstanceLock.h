#pragma once

#include <string>

namespace taskwell {

// A system-wide named lock that the kernel drops when the owning process ends, however it ends:
// an flock on a file named after the lock name's SHA-256 in the user's runtime folder.
class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // True when this process now holds the name. The empty name never conflicts. A lock that
  // cannot be created at all counts as held by someone else.
  bool Acquire(const std::string& name);

  // The folder that holds the lock files.
  static std::string LockFolder();
  // The name used for the lock: the argument with every "\" turned into "/".
  static std::string LockNameOf(const std::string& argument);

 private:
  int Fd = -1;
};

}  // namespace taskwell
