#pragma once

#include <string>
#include <vector>

#include "document/DateText.h"
#include "document/TaskFile.h"
#include "interchange/TaskFields.h"
#include "sync/SyncMerge.h"

namespace taskwell {

// The task file as sync reads and writes it, without a window: its tasks as the other formats
// see them, and the list after a sync written back with every untouched line as it was.
class SyncedList {
 public:
  SyncedList(const DateFormat& dates, std::string path);

  // A missing file is an empty list; one that does not load whole throws, since a sync would
  // take the lines it could not read as deleted.
  void Load();
  const std::vector<TaskFields>& Tasks() const { return tasks_; }
  bool HasProjCol() const { return loaded_.HasProjCol; }

  // Writes the plan's rows through the atomic save. Throws when the file changed since Load:
  // the sync then starts again from the same base.
  void Write(const SyncPlan& plan);

 private:
  const DateFormat& dates_;
  TaskFile file_;
  LoadedRows loaded_;
  std::vector<int> rowOfTask_;  // the table row of each of tasks_
  std::vector<TaskFields> tasks_;
};

}  // namespace taskwell
