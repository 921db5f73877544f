// Taking back a recovery journal's list into the window as one change the user may undo.
#include <algorithm>

#include "document/SafeFile.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::RestoreJournal(const std::string& bytes) {
  // Read by the same rules as the file, so that the journal's cells are in the table's form.
  TaskFile journal(dates_, file_.Name());
  LoadedRows loaded;
  std::string failure;
  try {
    const DiskBytes from{bytes, {}};
    journal.Load(loaded, &from);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (!failure.empty() || loaded.HasProjCol != HasProjCol()) {
    throw EFileError(103, "The unsaved changes kept for " + file_.Name() +
                              " cannot be restored into the list" +
                              (failure.empty() ? std::string() : ": " + failure) +
                              ". They stay kept aside in the recovery journal");
  }
  // The rows compare only in one encoding: UTF-8 when either side is.
  if (file_.TextIsUtf8() && !journal.TextIsUtf8()) journal.RowsToUtf8(loaded.Rows);
  if (journal.TextIsUtf8()) CellsToUtf8();
  const StepScope step(*this, &ToDoList::CursorMark);
  // Cell by cell, so that the undo step holds only what differs.
  DetachSelectHandler();
  const TaskRows& from = loaded.Rows;
  table_.SetRowCount(static_cast<int>(from.size()));
  for (int row = 1; row < static_cast<int>(from.size()); ++row) {
    const TaskCells& cells = from[static_cast<std::size_t>(row)];
    for (int col = 0; col < table_.ColCount(); ++col) {
      const auto at = static_cast<std::size_t>(col);
      const std::string cell = at < cells.size() ? cells[at] : std::string();
      if (table_.Cell(col, row) != cell) table_.SetCell(col, row, cell);
    }
  }
  table_.SelectCell(std::clamp(table_.Col(), 0, table_.ColCount() - 1),
                    std::clamp(table_.Row(), 1, std::max(1, table_.RowCount() - 1)));
  AttachSelectHandler();
  EditCursorCell();
  window_.FitWindowToRows();
  ui_.Repaint();
}

}  // namespace taskwell
