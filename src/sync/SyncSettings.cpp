#include "sync/SyncSettings.h"

#include <sys/stat.h>

#include <sstream>
#include <stdexcept>
#include <vector>

#include "document/Folders.h"
#include "document/Message.h"
#include "document/SafeFile.h"
#include "interchange/Escapes.h"

namespace taskwell {
namespace {

std::vector<std::pair<std::string, std::string>> ReadLines(const std::string& path) {
  std::vector<std::pair<std::string, std::string>> lines;
  std::string bytes;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return lines;
  Message failure;
  if (!ReadWholeFile(path, bytes, nullptr, &failure)) throw std::runtime_error(failure.English());
  std::istringstream in(bytes);
  std::string file;
  std::string url;
  while (in >> file >> url) {
    const std::optional<std::string> name = PercentDecode(file);
    const std::optional<std::string> address = PercentDecode(url);
    if (name && address) lines.emplace_back(*name, *address);
  }
  return lines;
}

}  // namespace

SyncSettings::SyncSettings(std::string configHome)
    : path_(std::move(configHome) + "/taskwell/sync.conf") {}

std::optional<std::string> SyncSettings::UrlFor(const std::string& taskFile) const {
  for (const auto& [file, url] : ReadLines(path_)) {
    if (file == taskFile) return url;
  }
  return std::nullopt;
}

void SyncSettings::SetUrl(const std::string& taskFile, const std::string& url) const {
  std::string out;
  for (const auto& [file, address] : ReadLines(path_)) {
    if (file != taskFile) out += PercentEncode(file) + " " + PercentEncode(address) + "\n";
  }
  if (!url.empty()) out += PercentEncode(taskFile) + " " + PercentEncode(url) + "\n";
  // A folder that cannot be made is told by the writer, which names the file.
  CreatePrivateFolders(path_.substr(0, path_.rfind('/')));
  AtomicFileWriter writer;
  writer.Open(path_);
  writer.Append(out);
  writer.Commit();
}

std::optional<NetrcLogin> ReadNetrc(const std::string& path, const std::string& host,
                                    const std::string& login) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  if ((info.st_mode & 077) != 0)
    throw std::runtime_error(path + " may be read by others; make it private with chmod 600 " +
                             path + " before it is used");
  std::string bytes;
  Message failure;
  if (!ReadWholeFile(path, bytes, nullptr, &failure)) throw std::runtime_error(failure.English());
  std::istringstream in(bytes);
  std::string word;
  std::optional<NetrcLogin> entry;
  std::optional<NetrcLogin> found;
  const auto finish = [&] {
    if (entry && (login.empty() || entry->Login == login) && !found) found = entry;
    entry.reset();
  };
  while (in >> word) {
    if (word == "machine" || word == "default") {
      finish();
      std::string name;
      if (word == "machine") in >> name;
      if (word == "default" || name == host) entry = NetrcLogin{};
    } else if (entry && word == "login") {
      in >> entry->Login;
    } else if (entry && word == "password") {
      in >> entry->Password;
    }
  }
  finish();
  return found;
}

}  // namespace taskwell
