#include <algorithm>

#include "dates/RepeatRule.h"
#include "document/Calendar.h"
#include "list/ToDoList.h"

namespace taskwell {

void ToDoList::IncrementButtonClick() {
  MoveCursorDate(false);
}

void ToDoList::CatchUpButtonClick() {
  MoveCursorDate(true);
}

void ToDoList::MoveCursorDate(bool catchUp) {
  if (table_.RowCount() < 2) return;
  const StepScope step(*this, &ToDoList::CursorMark);
  const int row = table_.Row();
  const std::string description(table_.Cell(layout_.DescCol(), row));
  double date = 0;
  if (!ReadRowDate(table_, row, dates_, date)) {
    ui_.ShowMessageBox("Increment Error", "No date to increment");
    return;
  }
  // Everything is worked out before a cell is written, so a stop or a failure leaves the row as
  // it was.
  const double today = DateOf(dates_.Now());
  double next = 0;
  if (IsRepeatingEntry(description)) {
    const RepeatRule rule = ParseRepeatHeader(description);
    const IncrementOutcome outcome =
        catchUp ? CatchUpOccurrence(date, rule, dates_, today) : NextOccurrence(date, rule, dates_);
    if (!outcome.Error.empty()) {
      ui_.ShowMessageBox("Increment Error", outcome.Error);
      return;
    }
    if (outcome.PastEnd) {
      ui_.ShowMessageBox("Increment End", "Item has now incremented past it's end date.");
    }
    if (outcome.KeptDate) return;
    next = outcome.Date;
  } else {
    // One day at a time until today, for a task with no rule of its own.
    next = AddDays(date, 1);
    if (catchUp) next = std::max(next, today);
  }
  table_.SetCell(ColDate, row, dates_.FormatDateText(next));
  table_.SetCell(ColPri, row, WeekdayCell(next));
  // What the program wrote is no edit of the user's.
  if (edit_.Row == row && (edit_.Col == ColDate || edit_.Col == ColPri)) {
    edit_.OldText = table_.Cell(edit_.Col, edit_.Row);
  }
  ui_.Repaint();
}

void ToDoList::ReplicateButtonClick() {
  const StepScope step(*this, &ToDoList::CursorMark);
  InsertTaskRow();
  const int row = table_.Row();
  table_.CopyRow(row + 1, row);
  // The copy is a one-off instance: it loses the rule, and the "- " that usually follows it.
  std::string description = WithoutRepeatHeader(table_.Cell(layout_.DescCol(), row));
  if (description.starts_with("- ")) description.erase(0, 2);
  table_.SetCell(layout_.DescCol(), row, std::move(description));
  EditCursorCell();
  ui_.Repaint();
}

void ToDoList::DeleteTaskRow() {
  const StepScope step(*this, &ToDoList::CursorMark);
  const int row = table_.Row();
  const std::string description(table_.Cell(layout_.DescCol(), row));
  if (IsRepeatingEntry(description) &&
      !ui_.Confirm(Message::Format(
          "\"%1\"\r\nAre you sure you want to delete this repeating entry?", description))) {
    return;
  }
  // The table always keeps one task row.
  if (table_.RowCount() < 3) return;
  ui_.Repaint();
  const bool wasLastRow = row == table_.RowCount() - 1;
  // The rows below move up; the vacated last row goes with its cells, so a row added later
  // starts empty.
  table_.DeleteRow(row);
  // Dropping the cursor's own row already put the cursor on the new last row, without a
  // selection event: there is no edit left to commit on a row that is gone.
  if (wasLastRow) table_.SetRow(table_.RowCount() - 1);
  FollowDeletedRow(row);
  ui_.Repaint();
}

void ToDoList::DeleteButtonClick() {
  DeleteTaskRow();
  ui_.FocusGrid();
}

void ToDoList::AddButtonClick() {
  const StepScope step(*this, &ToDoList::CursorMark);
  InsertTaskRow();
  ui_.FocusGrid();
}

}  // namespace taskwell
