#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "document/Folders.h"
#include "document/Message.h"

namespace taskwell {

// What a save of one task file would write, kept while the list has unsaved changes, so that no
// way of ending the program (a kill, a power cut, a lost display) costs the edits. It lives in
// the user's state folder, readable by the user alone, and is replaced atomically each time.
class RecoveryJournal {
 public:
  // $XDG_STATE_HOME/taskwell, with ~/.local/state as the default state folder.
  static std::string StateFolder();

  RecoveryJournal(const std::string& stateFolder, const std::string& taskFile);

  const std::string& Path() const { return path_; }
  // Throws EFileError when the journal cannot be written; the one before stays then. The bytes
  // are written from where they are, not from a copy: a large list's are tens of megabytes.
  void Write(std::string bytes) const;
  void Remove() const;

  struct Entry {
    std::string Bytes;
    std::time_t Written = 0;
  };
  // The journal a program that ended unsaved left behind.
  std::optional<Entry> Find() const;

  // The newest state of the file that every machine syncing it had: the base for merging the
  // conflict copies a sync tool makes, kept beside the journal for the next start.
  void WriteShared(const std::string& bytes) const;
  std::optional<std::string> Shared() const;
  // Whether the shared copy holds these bytes, found without reading it whole beside them.
  bool SharedHolds(std::string_view bytes) const;
  const std::string& SharedPath() const { return sharedPath_; }

 private:
  void WriteFile(const std::string& path, std::string bytes) const;

  std::string folder_;
  std::string path_;
  std::string sharedPath_;
};

// How a journal differs from the file, in words for the user: "2 tasks added, 1 removed".
Message JournalDifference(const std::string& fileBytes, const std::string& journalBytes);

}  // namespace taskwell
