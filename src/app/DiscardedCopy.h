#pragma once

#include <ctime>
#include <string>

namespace taskwell {

// Where the lists that ended without a save are kept: $XDG_STATE_HOME/taskwell/discarded, with
// ~/.local/state as the default state folder.
std::string DiscardedFolder();

// Writes `bytes` (the list in the task-file format) as "<title>-<date>-<time>.todo" in `folder`,
// readable by the user alone, and keeps only the newest `keep` copies there. Returns the path
// written, or "" when the copy could not be written; nothing is shown either way.
std::string KeepDiscardedCopy(const std::string& folder, const std::string& title,
                              const std::string& bytes, std::time_t now, int keep = 20);

}  // namespace taskwell
