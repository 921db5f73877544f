// Taking back a recovery journal's list into the window as one change the user may undo.
#include <algorithm>
#include <memory>

#include "document/SafeFile.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::RestoreJournal(const std::string& bytes) {
  std::string failure;
  const std::unique_ptr<ToDoList> loaded = LoadedCopy(DiskBytes{bytes, {}}, failure);
  if (!loaded || loaded->HasProjCol() != HasProjCol()) {
    throw EFileError(103, "The unsaved changes kept for " + file_.Name +
                              " cannot be restored into the list" +
                              (failure.empty() ? std::string() : ": " + failure) +
                              ". They stay kept aside in the recovery journal");
  }
  if (!loaded->TextIsUtf8()) loaded->CellsToUtf8();
  if (loaded->TextIsUtf8()) CellsToUtf8();
  const StepScope step(*this, &ToDoList::CursorMark);
  // Cell by cell, so that the undo step holds only what differs.
  DetachSelectHandler();
  const TaskTable& from = loaded->table_;
  table_.SetRowCount(from.RowCount());
  for (int row = 1; row < from.RowCount(); ++row) {
    for (int col = 0; col < from.ColCount(); ++col) {
      if (table_.Cell(col, row) != from.Cell(col, row))
        table_.SetCell(col, row, from.Cell(col, row));
    }
  }
  table_.SelectCell(std::clamp(table_.Col(), 0, table_.ColCount() - 1),
                    std::clamp(table_.Row(), 1, std::max(1, table_.RowCount() - 1)));
  AttachSelectHandler();
  EditCursorCell();
  FitWindowToRows();
  ui_.Repaint();
}

}  // namespace taskwell
