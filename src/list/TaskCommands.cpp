#include "dates/RepeatRule.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::IncrementButtonClick() {
  if (Grid.RowCount() < 2) return;
  const int row = Grid.Row();
  const std::string& description = Grid.Cell(DescCol, row);
  double date = 0;
  if (!RowDate(row, date)) {
    Ui.ShowMessageBox("Increment Error", "No date to increment");
    return;
  }
  // Everything is worked out before a cell is written, so a stop or a failure leaves the row as
  // it was.
  double next = 0;
  if (IsRepeatingEntry(description)) {
    const IncrementOutcome outcome = NextOccurrence(date, ParseRepeatHeader(description), Dates);
    if (!outcome.Error.empty()) {
      Ui.ShowMessageBox("Increment Error", outcome.Error);
      return;
    }
    if (outcome.PastEnd) {
      Ui.ShowMessageBox("Increment End", "Item has now incremented past it's end date.");
    }
    next = outcome.Date;
  } else {
    next = AddDays(date, 1);
  }
  Grid.SetCell(ColDate, row, Dates.FormatDateText(next));
  Grid.SetCell(ColPri, row, Dates.WeekdayText(next));
  // What the program wrote is no edit of the user's.
  if (EditRow == row && (EditCol == ColDate || EditCol == ColPri)) {
    EditOldText = Grid.Cell(EditCol, EditRow);
  }
  Ui.Repaint();
}

void ToDoList::ReplicateButtonClick() {
  InsertTaskRow();
  const int row = Grid.Row();
  Grid.CopyRow(row + 1, row);
  // The copy is a one-off instance: it loses the rule, and the "- " that usually follows it.
  std::string description = WithoutRepeatHeader(Grid.Cell(DescCol, row));
  if (description.starts_with("- ")) description.erase(0, 2);
  Grid.SetCell(DescCol, row, std::move(description));
  EditCursorCell();
  Ui.Repaint();
}

void ToDoList::DeleteTaskRow() {
  const int row = Grid.Row();
  const std::string& description = Grid.Cell(DescCol, row);
  if (IsRepeatingEntry(description) &&
      !Ui.Confirm("\"" + description +
                  "\"\r\nAre you sure you want to delete this repeating entry?")) {
    return;
  }
  // The table always keeps one task row.
  if (Grid.RowCount() < 3) return;
  Ui.Repaint();
  const bool wasLastRow = row == Grid.RowCount() - 1;
  // The rows below move up; the vacated last row goes with its cells, so a row added later
  // starts empty.
  Grid.DeleteRow(row);
  // Dropping the cursor's own row already put the cursor on the new last row, without a
  // selection event: there is no edit left to commit on a row that is gone.
  if (wasLastRow) Grid.SetRow(Grid.RowCount() - 1);
  FollowDeletedRow(row);
  Ui.Repaint();
}

void ToDoList::DeleteButtonClick() {
  DeleteTaskRow();
  Ui.FocusGrid();
}

}  // namespace taskwell
