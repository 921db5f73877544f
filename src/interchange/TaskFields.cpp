#include "interchange/TaskFields.h"

#include "document/Calendar.h"
#include "document/Text.h"

namespace taskwell {
namespace {

template <class Cells>
std::string_view CellOf(const Cells& cells, int col) {
  return col < static_cast<int>(cells.size())
             ? std::string_view(cells[static_cast<std::size_t>(col)])
             : std::string_view();
}

// A number cell as the saver reads it: no number and blanks count as 0.
Fixed4 NumberCell(std::string_view cell, char decimal, std::string& trimmed) {
  trimmed = Trim(cell);
  Fixed4 value = 0;
  if (!trimmed.empty() && !TryTextToNumber(trimmed, decimal, value)) value = 0;
  return value;
}

template <class Cells>
TaskFields FieldsOfCells(const Cells& cells, const TableLayout& layout, const DateFormat& dates) {
  TaskFields task;
  const char decimal = dates.Regional().DecimalSeparator;
  if (!ReadsAsTableDate(CellOf(cells, TableLayout::ColDate), dates, task.Date)) task.Date = 0;
  task.Date = DateOf(task.Date);
  std::string trimmed;
  if (task.Date == 0) {
    const Fixed4 priority = NumberCell(CellOf(cells, TableLayout::ColPri), decimal, trimmed);
    if (priority != 0 || trimmed == "0") task.Priority = priority;
  }
  task.SubPriority = NumberCell(CellOf(cells, TableLayout::ColSubPri), decimal, trimmed);
  if (layout.HasProjCol()) {
    task.Project = NumberCell(CellOf(cells, TableLayout::ColProj), decimal, trimmed);
  }
  task.Description = CellOf(cells, layout.DescCol());
  return task;
}

}  // namespace

TaskFields TaskFields::FromCells(RowView cells, const TableLayout& layout,
                                 const DateFormat& dates) {
  return FieldsOfCells(cells, layout, dates);
}

TaskFields TaskFields::FromCells(const TaskCells& cells, const TableLayout& layout,
                                 const DateFormat& dates) {
  return FieldsOfCells(cells, layout, dates);
}

std::vector<std::string> TaskFields::Cells(const TableLayout& layout,
                                           const DateFormat& dates) const& {
  return TaskFields(*this).Cells(layout, dates);
}

std::vector<std::string> TaskFields::Cells(const TableLayout& layout, const DateFormat& dates) && {
  std::vector<std::string> cells(static_cast<std::size_t>(layout.ColCount()));
  const char decimal = dates.Regional().DecimalSeparator;
  cells[TableLayout::ColDate] = dates.FormatDateText(Date);
  if (Date != 0) {
    cells[TableLayout::ColPri] = dates.WeekdayText(Date);
  } else if (Priority) {
    cells[TableLayout::ColPri] = NumberText(*Priority, decimal);
  }
  if (SubPriority != 0) cells[TableLayout::ColSubPri] = NumberText(SubPriority, decimal);
  if (layout.HasProjCol() && Project != 0) {
    cells[TableLayout::ColProj] = NumberText(Project, decimal);
  }
  cells[static_cast<std::size_t>(layout.DescCol())] = std::move(Description);
  return cells;
}

TaskList TasksOfRows(const TaskRows& rows, bool hasProjCol, bool utf8, const DateFormat& dates,
                     std::vector<int>* rowOf) {
  TaskList tasks;
  tasks.HasProjCol = hasProjCol;
  const TableLayout layout(hasProjCol);
  tasks.Tasks.reserve(rows.size());
  TaskCells converted;
  for (std::size_t row = 1; row < rows.size(); ++row) {
    const RowView cells = rows[row];
    // The rows a save writes, and no other.
    if (!TaskFile::IsSavedRow(cells, layout.DescCol())) continue;
    if (utf8) {
      tasks.Tasks.push_back(TaskFields::FromCells(cells, layout, dates));
    } else {
      converted.resize(cells.size());
      for (std::size_t col = 0; col < cells.size(); ++col)
        converted[col] = Cp1252ToUtf8(cells[col]);
      tasks.Tasks.push_back(TaskFields::FromCells(converted, layout, dates));
    }
    if (rowOf != nullptr) rowOf->push_back(static_cast<int>(row));
  }
  return tasks;
}

}  // namespace taskwell
