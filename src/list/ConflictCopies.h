#pragma once

#include <string>
#include <vector>

#include "document/Message.h"

#include "list/ToDoList.h"

namespace taskwell {

// The conflict copies that sync tools leave beside a file when two machines changed it apart:
// "name.sync-conflict-20260610-101500-ABCDEF7.todo", "name (conflicted copy 2026-06-10
// 101500).todo" and "name (Ann's conflicted copy 2026-06-10).todo". Sorted by name.
std::vector<std::string> FindConflictCopies(const std::string& taskFile);

// What merging the copies brought.
struct ConflictMerge {
  std::vector<std::string> Merged;   // copies whose tasks are in the list now
  std::vector<std::string> Refused;  // copies that could not be merged cleanly, left untouched
  Message Report;                    // for the user; empty when nothing happened
};

// Merges the file as it is on disk (when it changed) and then each copy into the list, all with
// `sharedBase` (the newest state every side had) as the base. The copies themselves stay; the
// caller moves them aside after the next successful save.
ConflictMerge MergeConflictCopies(ToDoList& list, const std::vector<std::string>& copies,
                                  const std::string& sharedBase);

// Moves the merged copies into `folder` so that the sync tool does not spread them again. The
// names of those that could not be moved.
std::vector<std::string> MoveCopiesAside(const std::vector<std::string>& copies,
                                         const std::string& folder);

}  // namespace taskwell
