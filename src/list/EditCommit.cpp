#include "dates/DateEntry.h"
#include "document/Calendar.h"
#include "document/Errors.h"
#include "document/NumberText.h"
#include "document/Text.h"
#include "list/ToDoList.h"

namespace taskwell {
namespace {

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 32;
}

// Each run of control characters (a pasted line break, a tab) becomes ", ".
std::string JoinLines(std::string_view text) {
  std::string joined;
  joined.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsControl(text[i])) {
      joined += text[i];
    } else if (i + 1 == text.size() || !IsControl(text[i + 1])) {
      joined += ", ";
    }
  }
  return joined;
}

}  // namespace

void ToDoList::GridSelectCell(int col, int row) {
  DetachSelectHandler();
  // A sort started by this commit must not pull the cursor back to the row being left.
  if (row != edit_.Row) sort_.FollowSortedRow = false;
  try {
    CommitCellEdit();
  } catch (...) {
    // The move is refused and the error reported, but the grid keeps committing later moves.
    sort_.FollowSortedRow = true;
    AttachSelectHandler();
    throw;
  }
  sort_.FollowSortedRow = true;
  edit_.Row = row;
  edit_.Col = col;
  edit_.OldText = table_.Cell(col, row);
  AttachSelectHandler();
}

void ToDoList::GridExit() {
  // Focus that leaves while a commit runs (to its own message box) must not start a second one.
  if (!table_.HasSelectHandler()) return;
  DetachSelectHandler();
  try {
    CommitCellEdit();
  } catch (...) {
    AttachSelectHandler();
    throw;
  }
  AttachSelectHandler();
}

double ToDoList::CommittedDate(std::string_view typed) const {
  // The grid's own text for a date is that date: re-reading it in the regional order would swap
  // the day and the month wherever the day comes first.
  double date = 0;
  const std::string_view trimmed = TrimView(typed);
  if (dates_.TryParseTableDate(trimmed, date) && dates_.FormatDateText(date) == trimmed)
    return date;
  // Leading blanks mean something to the typed forms; trailing ones never do.
  const std::string_view text = typed.substr(0, typed.find_last_not_of(' ') + 1);
  date = ParseDateText(text, FirstDayOfMonth(dates_.Now()), dates_);
  if (date == 0) {
    // Text that is no date would be dropped at the next save: say so and keep the cursor here.
    throw Refusal("Error", Message::Format("Invalid Date - %1", text));
  }
  return date;
}

void ToDoList::CheckNumberText(const std::string& trimmed) const {
  Fixed4 value = 0;
  if (!trimmed.empty() && !TryTextToNumber(trimmed, dates_.Regional().DecimalSeparator, value)) {
    // The file keeps only numbers here; anything else would be dropped at the next save.
    ThrowNotValid(trimmed, "number");
  }
}

bool ToDoList::EditPending() const {
  // Row 0 is the header; a row deleted since it was selected has nothing left to commit.
  return edit_.Row > 0 && edit_.Row < table_.RowCount() && edit_.Col >= 0 &&
         edit_.Col < table_.ColCount() && table_.Cell(edit_.Col, edit_.Row) != edit_.OldText;
}

void ToDoList::CommitCellEdit() {
  const int row = edit_.Row;
  const int col = edit_.Col;
  if (!EditPending()) return;
  const std::string text(table_.Cell(col, row));
  // The typed text is part of the step: the editor wrote it keystroke by keystroke outside any.
  // A refused commit changed nothing else, and leaves no step.
  const StepScope step(*this, &ToDoList::EditMark, 1);
  history_.CellChanged(col, row, edit_.OldText, text);
  const std::string trimmed = Trim(text);
  double oldDate = 0;
  const bool wasDated = col == ColDate && ReadsAsTableDate(edit_.OldText, dates_, oldDate);

  if (trimmed.empty() && col != ColDate) {
    // Blanks elsewhere are left as typed; a blank description leaves the task out of the file.
  } else if (trimmed.empty()) {
    // An emptied date takes its weekday along; a real priority of an undated task stays.
    const std::string_view priority = table_.Cell(ColPri, row);
    if (!priority.empty() && (wasDated || StrToIntOrZero(priority) == 0)) {
      table_.SetCell(ColPri, row, "");
    }
    table_.SetCell(ColDate, row, "");
  } else if (col == ColDate) {
    const double date = CommittedDate(text);
    table_.SetCell(ColDate, row, dates_.FormatDateText(date));
    table_.SetCell(ColPri, row, WeekdayCell(date));
  } else if (double date = 0; col == ColPri && ReadRowDate(table_, row, dates_, date)) {
    // A dated task shows its weekday here, whatever was typed.
    table_.SetCell(ColPri, row, WeekdayCell(date));
  } else if (col == ColPri || col == ColSubPri || (layout_.HasProjCol() && col == ColProj)) {
    CheckNumberText(trimmed);
    table_.SetCell(col, row, trimmed);
  } else if (col == layout_.DescCol()) {
    table_.SetCell(col, row, JoinLines(trimmed));
  }
  edit_.OldText = table_.Cell(col, row);
  if (sort_.Auto) SortTable();
}

}  // namespace taskwell
