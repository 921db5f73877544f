#include "list/RecoveryJournal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

#include "document/Folders.h"
#include "document/SafeFile.h"

namespace taskwell {
namespace {

constexpr int kDiskWriteError = 101;

// The lines after the header, counted, to say what differs.
std::map<std::string, int> TaskLineCounts(const std::string& bytes) {
  std::map<std::string, int> counts;
  std::size_t pos = bytes.find('\n');
  while (pos != std::string::npos && pos + 1 < bytes.size()) {
    const std::size_t end = bytes.find('\n', pos + 1);
    std::string line = bytes.substr(pos + 1, end == std::string::npos ? end : end - pos - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) ++counts[line];
    pos = end;
  }
  return counts;
}

}  // namespace

std::string RecoveryJournal::StateFolder() {
  return BaseFolder("XDG_STATE_HOME", HomeFolder(), "/.local/state") + "/taskwell";
}

RecoveryJournal::RecoveryJournal(const std::string& stateFolder, const std::string& taskFile)
    : folder_(stateFolder + "/journal") {
  std::error_code error;
  std::filesystem::path file = std::filesystem::absolute(taskFile, error);
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(file, error);
  if (!error) file = canonical;
  // One journal per file, whatever name it was opened by; the name shows whose it is.
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(ContentHash(file.string())));
  std::string name = file.filename().string().substr(0, 120);
  if (name.empty() || name.front() == '.') name.insert(name.begin(), '_');
  path_ = folder_ + "/" + name + "-" + hash + ".journal";
  sharedPath_ = folder_ + "/" + name + "-" + hash + ".shared";
}

void RecoveryJournal::WriteShared(const std::string& bytes) const {
  WriteFile(sharedPath_, bytes);
}

std::optional<std::string> RecoveryJournal::Shared() const {
  std::string bytes;
  if (!ReadWholeFile(sharedPath_, bytes)) return std::nullopt;
  return bytes;
}

bool RecoveryJournal::SharedHolds(std::string_view bytes) const {
  return FileHoldsBytes(sharedPath_, bytes);
}

void RecoveryJournal::Write(std::string bytes) const {
  WriteFile(path_, std::move(bytes));
}

void RecoveryJournal::WriteFile(const std::string& path, std::string bytes) const {
  if (!CreatePrivateFolders(folder_)) {
    throw EFileError(kDiskWriteError, Message::Format("Cannot keep the recovery journal in %1: %2",
                                                      folder_, FileErrorReason(errno)));
  }
  AtomicFileWriter writer;
  // Replaced whole each time, private to the user like the folder.
  if (!writer.Open(path)) throw EFileError(kDiskWriteError, writer.Failure());
  writer.AppendTaken(std::move(bytes));
  try {
    writer.Commit();
  } catch (const EIncompleteFlush&) {
    // The journal is written; a folder that cannot be flushed is told at the next save.
  }
  ::chmod(path.c_str(), 0600);
}

void RecoveryJournal::Remove() const {
  ::unlink(path_.c_str());
}

std::optional<RecoveryJournal::Entry> RecoveryJournal::Find() const {
  Entry entry;
  FileStamp stamp;
  if (!ReadWholeFile(path_, entry.Bytes, &stamp)) return std::nullopt;
  entry.Written = static_cast<std::time_t>(stamp.ModifiedNs / 1000000000LL);
  return entry;
}

Message JournalDifference(const std::string& fileBytes, const std::string& journalBytes) {
  std::map<std::string, int> file = TaskLineCounts(fileBytes);
  int added = 0;
  for (const auto& [line, count] : TaskLineCounts(journalBytes)) {
    int& there = file[line];
    const int common = std::min(there, count);
    added += count - common;
    there -= common;
  }
  int removed = 0;
  for (const auto& [line, count] : file) removed += count;
  if (added == 0 && removed == 0) return "the same tasks in another order";
  std::vector<Message> parts;
  if (added > 0) {
    parts.push_back(
        Message::Format(added == 1 ? "%1 task new or changed" : "%1 tasks new or changed", added));
  }
  if (removed > 0) {
    parts.push_back(Message::Format(
        removed == 1 ? "%1 task of the file not in it" : "%1 tasks of the file not in it",
        removed));
  }
  return Message::Join(parts, ", ");
}

}  // namespace taskwell
