#include "app/DiscardedCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "document/SafeFile.h"
#include "list/RecoveryJournal.h"

namespace taskwell {
namespace fs = std::filesystem;

std::string DiscardedFolder() {
  return RecoveryJournal::StateFolder() + "/discarded";
}

namespace {

std::string SafeTitle(const std::string& title) {
  // Room for the date, the time and a counter within a file name's 255 bytes, cut between
  // characters.
  constexpr std::size_t kMaxTitleBytes = 200;
  std::size_t end = std::min(title.size(), kMaxTitleBytes);
  while (end > 0 && end < title.size() &&
         (static_cast<unsigned char>(title[end]) & 0xC0u) == 0x80u) {
    --end;
  }
  std::string safe = end == 0 ? std::string("list") : title.substr(0, end);
  std::replace(safe.begin(), safe.end(), '/', '_');
  if (safe.front() == '.') safe.insert(safe.begin(), '_');
  return safe;
}

void KeepNewest(const fs::path& folder, const fs::path& written, int keep) {
  std::error_code error;
  std::vector<std::pair<fs::file_time_type, fs::path>> copies;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() != ".todo" || !entry.is_regular_file(error)) continue;
    // The copy just written stays, whatever times the others carry.
    if (entry.path() == written) continue;
    copies.emplace_back(entry.last_write_time(error), entry.path());
  }
  const auto others = static_cast<std::size_t>(std::max(keep - 1, 0));
  if (copies.size() <= others) return;
  // Newest first; the names carry the time too, which breaks ties within one second.
  std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second > b.second;
  });
  for (std::size_t i = others; i < copies.size(); ++i) fs::remove(copies[i].second, error);
}

}  // namespace

std::string KeepDiscardedCopy(const std::string& folder, const std::string& title,
                              const std::string& bytes, std::time_t now, int keep) {
  CreatePrivateFolders(folder);
  // The copies' own folder is private even if something made it before us.
  ::chmod(folder.c_str(), 0700);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
  const std::string stem = folder + "/" + SafeTitle(title) + "-" + stamp;
  for (int attempt = 1; attempt < 100; ++attempt) {
    std::string path =
        attempt == 1 ? stem + ".todo" : stem + "-" + std::to_string(attempt) + ".todo";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return "";
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ::close(fd);
    if (!written) {
      ::unlink(path.c_str());
      return "";
    }
    KeepNewest(folder, path, keep);
    return path;
  }
  return "";
}

}  // namespace taskwell
