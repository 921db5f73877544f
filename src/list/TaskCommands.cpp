#include "dates/RepeatRule.h"
#include "document/ToDoList.h"

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

}  // namespace taskwell
