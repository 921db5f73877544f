#include "list/LastKnownCopy.h"

#include <sys/stat.h>

#include <algorithm>

namespace taskwell {

int TasksInCopy(const DateFormat& dates, const std::string& file, const std::string& bytes) {
  TaskFile copy(dates, file);
  LoadedRows loaded;
  try {
    const DiskBytes from{bytes, {}};
    copy.Load(loaded, &from);
  } catch (const std::exception&) {
    return 0;
  }
  return static_cast<int>(
      std::count_if(loaded.Rows.begin() + 1, loaded.Rows.end(), [](const RowView cells) {
        return std::any_of(cells.begin(), cells.end(), [](const auto& c) { return !c.empty(); });
      }));
}

Message TaskCount(int tasks) {
  return tasks == 1 ? Message("1 task") : Message::Format("%1 tasks", tasks);
}

bool OfferLastKnownCopy(ToDoList& list, Platform& ui, const RecoveryJournal& journal) {
  struct stat info {};
  const std::string& name = list.File().Name();
  // A file that is not there: a new list, or one deleted while the program was not running, which
  // the last known copy tells apart.
  const bool missing = ::stat(name.c_str(), &info) != 0;
  if (!missing && !S_ISREG(info.st_mode)) return false;
  // Restored from a journal already, or edited: the list is no longer the empty file's.
  if (!LooksCutShort(list.File().BaseBytes()) ||
      TasksInCopy(list.Dates(), name, list.SaveBytes()) > 0) {
    return false;
  }
  const std::optional<std::string> known = journal.Shared();
  if (!known || LooksCutShort(*known)) return false;
  const int tasks = TasksInCopy(list.Dates(), name, *known);
  if (tasks == 0) return false;
  const Message state = missing                           ? Message("missing")
                        : list.File().BaseBytes().empty() ? Message("empty")
                                                          : Message("cut short");
  if (!ui.Confirm(Message::Format("%1 is %2, but Taskwell's last known copy of it holds %3 "
                                  "(%4).\r\nRestore them into the list? Undo takes them back "
                                  "again.",
                                  name, state, TaskCount(tasks), journal.SharedPath()))) {
    return false;
  }
  list.Sync().RestoreJournal(*known);
  return true;
}

}  // namespace taskwell
