#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "document/DateText.h"
#include "document/Progress.h"
#include "interchange/ContentLines.h"
#include "interchange/ImportedTasks.h"

namespace taskwell {

// Reads the VTODOs of iCalendar text as other programs write them. Dates become the calendar
// date in the user's own time zone; what a task list cannot hold is named in NotKept. A file that
// is not iCalendar throws ImportError with the line at fault.
class ICalendarReader {
 public:
  explicit ICalendarReader(const DateFormat& dates);
  ~ICalendarReader();
  ICalendarReader(const ICalendarReader&) = delete;
  ICalendarReader& operator=(const ICalendarReader&) = delete;

  ImportedTasks Read(std::string_view text, const Progress& progress = {});
  // A synced item's notes (DESCRIPTION) stay on its server, so sync leaves them out of the
  // description; an import keeps them visibly.
  void LeaveNotesOut() { notesInDescription_ = false; }

 private:
  struct Todo;
  struct Zones;

  void ReadTodo(const Todo& todo, ImportedTasks& into);
  double DueDateOf(const ContentLine& property, std::vector<Message>& notes);
  // The repeat header the task's rule says, if any.
  std::optional<std::string> RepeatHeader(const Todo& todo, double due,
                                          std::vector<Message>& notes) const;

  const DateFormat& dates_;
  std::unique_ptr<Zones> zones_;
  bool notesInDescription_ = true;
};

}  // namespace taskwell
