#include "dates/DateEntry.h"
#include "document/Calendar.h"
#include "document/Text.h"
#include "document/ToDoList.h"

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
  if (row != EditRow) FollowSortedRow = false;
  try {
    CommitCellEdit();
  } catch (...) {
    // The move is refused and the error reported, but the grid keeps committing later moves.
    FollowSortedRow = true;
    AttachSelectHandler();
    throw;
  }
  FollowSortedRow = true;
  EditRow = row;
  EditCol = col;
  EditOldText = Grid.Cell(col, row);
  AttachSelectHandler();
}

void ToDoList::GridExit() {
  // Focus that leaves while a commit runs (to its own message box) must not start a second one.
  if (!SelectHooked) return;
  DetachSelectHandler();
  try {
    CommitCellEdit();
  } catch (...) {
    AttachSelectHandler();
    throw;
  }
  AttachSelectHandler();
}

void ToDoList::CommitCellEdit() {
  const int row = EditRow;
  const int col = EditCol;
  // Row 0 is the header; a row deleted since it was selected has nothing left to commit.
  if (row <= 0 || row >= Grid.RowCount() || col < 0 || col >= Grid.ColCount()) return;
  const std::string text = Grid.Cell(col, row);
  if (text == EditOldText) return;
  const std::string trimmed = Trim(text);

  if (trimmed.empty()) {
    // An emptied date takes its weekday along; a real priority of an undated task stays.
    const std::string& priority = Grid.Cell(ColPri, row);
    if (col == ColDate && !priority.empty() &&
        (!EditOldText.empty() || StrToIntOrZero(priority) == 0)) {
      Grid.SetCell(ColPri, row, "");
    }
  } else if (col == ColDate) {
    const double monthStart = FirstDayOfMonth(Dates.Now());
    const double date = ParseDateText(text, monthStart, Dates, Ui);
    if (date != 0) {
      Grid.SetCell(ColDate, row, Dates.FormatDateText(date));
      Grid.SetCell(ColPri, row, Dates.WeekdayText(date));
    }
  } else if (col == ColPri && !Grid.Cell(ColDate, row).empty()) {
    // A dated task shows its weekday here, whatever was typed.
    double date = 0;
    const bool dated = Dates.TryParseTableDate(Grid.Cell(ColDate, row), date);
    Grid.SetCell(ColPri, row, dated ? Dates.WeekdayText(date) : "");
  } else if (col == ColPri || col == ColSubPri) {
    Grid.SetCell(col, row, trimmed);
  } else if (col == DescCol) {
    Grid.SetCell(col, row, JoinLines(trimmed));
  }
  if (AutoSort) SortTable();
}

}  // namespace taskwell
