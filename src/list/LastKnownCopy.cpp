#include "list/LastKnownCopy.h"

#include <sys/stat.h>

#include <algorithm>

namespace taskwell {
namespace {

// The tasks a copy holds, by the same rules as the file; 0 for one that cannot be read.
int TasksIn(const ToDoList& list, const std::string& bytes) {
  TaskFile copy(list.Dates(), list.File().Name());
  LoadedRows loaded;
  try {
    const DiskBytes from{bytes, {}};
    copy.Load(loaded, &from);
  } catch (const std::exception&) {
    return 0;
  }
  return static_cast<int>(
      std::count_if(loaded.Rows.begin() + 1, loaded.Rows.end(), [](const TaskCells& cells) {
        return std::any_of(cells.begin(), cells.end(), [](const auto& c) { return !c.empty(); });
      }));
}

}  // namespace

bool OfferLastKnownCopy(ToDoList& list, Platform& ui, const RecoveryJournal& journal) {
  struct stat info {};
  // A list never saved yet has no file, and nothing was lost.
  if (::stat(list.File().Name().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  // Restored from a journal already, or edited: the list is no longer the empty file's.
  if (!LooksCutShort(list.File().BaseBytes()) || TasksIn(list, list.SaveBytes()) > 0) return false;
  const std::optional<std::string> known = journal.Shared();
  if (!known || LooksCutShort(*known)) return false;
  const int tasks = TasksIn(list, *known);
  if (tasks == 0) return false;
  const std::string what = tasks == 1 ? "1 task" : std::to_string(tasks) + " tasks";
  if (!ui.Confirm(
          list.File().Name() + " is " + (list.File().BaseBytes().empty() ? "empty" : "cut short") +
          ", but Taskwell's last known copy of it holds " + what + " (" + journal.SharedPath() +
          ").\r\nRestore them into the list? Undo takes them back again.")) {
    return false;
  }
  list.Sync().RestoreJournal(*known);
  return true;
}

}  // namespace taskwell
