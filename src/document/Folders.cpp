#include "document/Folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace taskwell {

bool CreatePrivateFolders(const std::string& folder) {
  std::filesystem::path partial;
  for (const std::filesystem::path& part : std::filesystem::path(folder)) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

std::string BaseFolder(const char* variable, const std::string& home, const char* fallback) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] == '/' ? std::string(value) : home + fallback;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home != nullptr ? home : "";
}

}  // namespace taskwell
