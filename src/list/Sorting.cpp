// Sorting the list: the keys, the sort itself, and the cursor that follows its task.
#include <algorithm>

#include "document/TableLayout.h"
#include "grid/ExchangeSort.h"
#include "grid/SortKey.h"
#include "list/ToDoList.h"

namespace taskwell {

std::string ToDoList::BuildSortKey(int row) const {
  const auto order = static_cast<SortOrder>(SortMode);
  double date = 0;
  if (order == SortOrder::ByDate) {
    ReadRowDate(Grid, row, Dates, date);
    date = EffectiveDate(date, Grid.Cell(ColPri, row), Dates.Now());
  }
  const std::string_view project =
      order == SortOrder::ByProject ? std::string_view(Grid.Cell(ColProj, row)) : "";
  return SortKey(order, date, Grid.Cell(ColSubPri, row), project, Grid.Cell(DescCol, row));
}

void ToDoList::SortTable() {
  if (SkipNextSort) {
    // The row just inserted stays where the user put it, this once.
    SkipNextSort = false;
    return;
  }
  const int rows = Grid.RowCount();
  std::vector<std::string> keys;
  keys.reserve(static_cast<std::size_t>(std::max(rows - 1, 0)));
  for (int row = 1; row < rows; ++row) keys.push_back(BuildSortKey(row));
  // Rows already in order are never exchanged, so nothing moves.
  if (std::is_sorted(keys.begin(), keys.end())) return;

  const std::vector<int> sorted = ExchangeSortOrder(keys);
  std::vector<int> order(static_cast<std::size_t>(rows), 0);
  std::vector<int> newRow(static_cast<std::size_t>(rows), 0);
  for (std::size_t p = 0; p < sorted.size(); ++p) {
    const int from = sorted[p] + 1;
    order[p + 1] = from;
    newRow[static_cast<std::size_t>(from)] = static_cast<int>(p) + 1;
  }
  Grid.ReorderRows(order);

  auto follow = [&](int row) {
    return row >= 1 && row < rows ? newRow[static_cast<std::size_t>(row)] : row;
  };
  // The cell being edited belongs to its task, not to a row index: a later commit or Escape
  // must find it where the task went.
  EditRow = follow(EditRow);
  // A cursor move still waiting for a paint is where the cursor really belongs.
  const int cursorRow = PendingRow != 0 ? PendingRow : Grid.Row();
  if (PendingRow != 0) PendingRow = follow(PendingRow);
  if (FollowSortedRow) PendingRow = follow(cursorRow);
  Grid.OnDrawCell = [this] { GridDrawCell(); };
}

void ToDoList::GridDrawCell() {
  Grid.OnDrawCell = nullptr;
  if (PendingRow == 0) return;
  const int target = PendingRow;
  PendingRow = 0;
  if (target >= Grid.RowCount()) return;
  // Restore the handler's state rather than force it on: a paint can come while a commit runs.
  const bool wasHooked = SelectHooked;
  DetachSelectHandler();
  const int from = Grid.Row();
  Grid.SetRow(target);
  // An edit position recorded for the cell the cursor sat in goes with the cursor, so the cell
  // now being edited is the one a commit or Escape works on.
  if (EditRow == from && from != target) {
    EditRow = target;
    EditOldText = Grid.Cell(EditCol, target);
  }
  if (wasHooked) AttachSelectHandler();
}

void ToDoList::SortOrderButtonClick() {
  ++SortMode;
  if (SortMode == 3 && !HasProjCol) ++SortMode;
  if (SortMode > 3) SortMode = 1;
  SortOrderButtonCaption = SortCaptions[static_cast<std::size_t>(SortMode)];
  if (AutoSort) SortTable();
  Ui.FocusGrid();
}

void ToDoList::AutoSortButtonClick() {
  AutoSort = !AutoSort;
  AutoSortButtonCaption = AutoSort ? "AutoSort on" : "AutoSort off";
  SortButtonVisible = !AutoSort;
}

void ToDoList::SortButtonClick() {
  SortTable();
}

}  // namespace taskwell
