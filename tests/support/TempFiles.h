#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

namespace taskwell::testing {

// The header line of a task file without the project column, as a save writes it.
inline const std::string kTaskHeader = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";

// A private folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "taskwell-doc-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Root = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code error;
    // A test may have left a folder read-only.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Root, error)) {
      if (entry.is_directory(error)) ::chmod(entry.path().c_str(), 0700);
    }
    std::filesystem::remove_all(Root, error);
  }
  std::string Path(const std::string& name) const { return (Root / name).string(); }
  std::filesystem::path Root;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string DataFile(const std::string& name) {
  return ReadBytes(std::string(TASKWELL_TEST_DATA) + "/" + name);
}

// Runs `body` in a forked child and gives its exit status (or 128 + signal). Used where the
// process itself must change: a file size limit, or dropping root's right to write anywhere.
inline int RunInChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
      code = 98;
    }
    ::_exit(code);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

// Root ignores folder permissions; an unprivileged user does not.
inline bool DropToNobody() {
  if (::geteuid() != 0) return true;
  return ::setresgid(65534, 65534, 65534) == 0 && ::setresuid(65534, 65534, 65534) == 0;
}

}  // namespace taskwell::testing
