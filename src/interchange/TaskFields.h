#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/DateText.h"
#include "document/NumberText.h"
#include "document/TableLayout.h"
#include "document/TaskFile.h"

namespace taskwell {

// One task as a save would write it: what the other formats carry. Cells that a save would not
// write (a weekday, a priority that is no number) are already gone.
struct TaskFields {
  double Date = 0;                 // 0 for no date
  std::optional<Fixed4> Priority;  // undated tasks only; 0 is a priority of its own
  Fixed4 SubPriority = 0;          // 0 for none
  Fixed4 Project = 0;              // 0 for none
  std::string Description;         // as the cell holds it, the repeat header included

  bool operator==(const TaskFields&) const = default;

  // Read from a task row of the table by the saver's rules.
  static TaskFields FromCells(RowView cells, const TableLayout& layout, const DateFormat& dates);
  static TaskFields FromCells(const TaskCells& cells, const TableLayout& layout,
                              const DateFormat& dates);
  // The cells a load of this task's line would give.
  std::vector<std::string> Cells(const TableLayout& layout, const DateFormat& dates) const&;
  // The same, the description moved into its cell.
  std::vector<std::string> Cells(const TableLayout& layout, const DateFormat& dates) &&;
};

// What a list looks like to the other formats: its tasks in order, and whether it has the project
// column (so that a new file made from them has it too).
struct TaskList {
  std::vector<TaskFields> Tasks;
  bool HasProjCol = false;
};

// The tasks of a list's rows (the header row first) as other programs see them: the rows a save
// writes, in UTF-8. `utf8` says whether the cells hold UTF-8 or single-byte text; `rowOf`, when
// given, gets the row each task came from.
TaskList TasksOfRows(const TaskRows& rows, bool hasProjCol, bool utf8, const DateFormat& dates,
                     std::vector<int>* rowOf = nullptr);

}  // namespace taskwell
