#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "document/Clock.h"
#include "document/Progress.h"
#include "document/Regional.h"
#include "document/TaskFile.h"
#include "interchange/Interchange.h"

namespace taskwell {

class ToDoList;

// The list's tasks as other programs see them.
TaskList ExportedTasks(const ToDoList& list);

// Whether a list has the project column once these tasks are added: a list without a task yet
// takes the column of what it imports.
bool ProjColAfterImport(const TaskRows& rows, bool hasProjCol, const TaskList& imported);
// Imported tasks as UTF-8 rows of a list with this layout; `notKept` gets a line for each
// project that a list without the project column cannot hold.
TaskRows RowsOfTasks(TaskList&& tasks, const TableLayout& layout, const DateFormat& dates,
                     std::vector<Message>& notKept, const Progress& progress = {});

// The one-line summary of an import, then a line for each thing that could not be carried over.
Message ImportReport(const ImportedTasks& imported, std::size_t added,
                     const std::vector<Message>& notKept, const std::string& file);

// Export… in the window: the list in the format its file name asks for (".ics" is iCalendar,
// anything else todo.txt), written whole or not at all: a failure, or a progress listener's
// WorkCancelled, leaves no file behind. Throws the reason it failed.
void ExportListToFile(const ToDoList& list, const std::string& path, std::int64_t stamp,
                      const Progress& progress = {});

// Import… in the window: the tasks of `path` appended as one undoable change. Returns the report
// to show; throws, naming the file and line, when nothing could be imported. The list is changed
// only after the whole file is read, so a WorkCancelled from the progress changes nothing.
Message ImportFileIntoList(ToDoList& list, const std::string& path, const Progress& progress = {});

// --export: the task file in another format on `out`; the file is only read. `stamp` dates an
// iCalendar export. Returns the exit status: 0, or 1 when the file could not be read whole.
int ExportTaskFile(const std::string& file, ExchangeFormat format, const RegionalSettings& regional,
                   const Clock& clock, std::int64_t stamp, std::ostream& out, std::ostream& err);

// --import: appends the tasks of `path` to the task file, made when missing, through the atomic
// save; the caller holds the file's lock. A file that cannot be read, or read whole, leaves the
// task file untouched and returns 1.
int ImportIntoTaskFile(const std::string& path, const std::string& file,
                       const RegionalSettings& regional, const Clock& clock, std::ostream& out,
                       std::ostream& err);

}  // namespace taskwell
