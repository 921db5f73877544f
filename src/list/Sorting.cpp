// Sorting the list: the keys, the sort itself, and the cursor that follows its task.
#include <algorithm>
#include <array>

#include "document/Calendar.h"
#include "document/TableLayout.h"
#include "grid/ExchangeSort.h"
#include "grid/SortKey.h"
#include "list/ToDoList.h"

namespace taskwell {

std::string SortCaption(SortOrder order) {
  static constexpr std::array<std::string_view, 4> kCaptions = {"", "Sorted by Date",
                                                                "Sorted by Desc", "Sorted by Proj"};
  return std::string(kCaptions.at(static_cast<std::size_t>(order)));
}

namespace {

void AppendRowKey(std::string& out, const TaskTable& table, const TableLayout& layout,
                  const DateFormat& dates, SortOrder order, int row) {
  double date = 0;
  if (order == SortOrder::ByDate) {
    ReadRowDate(table, row, dates, date);
    date = EffectiveDate(date, table.Cell(TableLayout::ColPri, row), dates.Now());
  }
  const std::string_view project =
      order == SortOrder::ByProject ? std::string_view(table.Cell(TableLayout::ColProj, row)) : "";
  AppendSortKey(out, order, date, table.Cell(TableLayout::ColSubPri, row), project,
                table.Cell(layout.DescCol(), row));
}

}  // namespace

std::string ToDoList::BuildSortKey(int row) const {
  std::string key;
  AppendRowKey(key, table_, layout_, dates_, sort_.Mode, row);
  return key;
}

std::vector<int> ToDoList::SortedOrder() {
  const int tasks = std::max(table_.RowCount() - 1, 0);
  SortedRows& kept = sorted_;
  if (kept.Valid && kept.Mode == sort_.Mode && kept.DescCol == layout_.DescCol() &&
      kept.Day == DateOf(dates_.Now()) && kept.Groups.size() == static_cast<std::size_t>(tasks)) {
    if (kept.Changed == 0) return {};
    return ExchangeOrderAfterChange(
        kept.Groups, kept.Changed - 1, [this](int task) { return BuildSortKey(task + 1); },
        kept.NextGroup);
  }
  // One buffer for all keys: a string per row would be a million allocations at a million rows.
  constexpr std::size_t kKeyBytesGuess = 48;
  SortKeyBuffer keys;
  keys.Reserve(static_cast<std::size_t>(tasks), static_cast<std::size_t>(tasks) * kKeyBytesGuess);
  const auto order = sort_.Mode;
  for (int row = 1; row <= tasks; ++row) {
    AppendRowKey(keys.Text(), table_, layout_, dates_, order, row);
    keys.End();
  }
  bool inOrder = true;
  for (std::size_t i = 1; i < keys.Size() && inOrder; ++i) inOrder = !(keys[i] < keys[i - 1]);
  kept.Groups.assign(keys.Size(), 0);
  std::vector<int> sorted;
  if (inOrder) {
    // Rows already in order are never exchanged, so nothing moves.
    for (std::size_t p = 1; p < keys.Size(); ++p)
      kept.Groups[p] = kept.Groups[p - 1] + (keys[p] != keys[p - 1] ? 1 : 0);
  } else {
    std::vector<int> groupOfKey;
    sorted = ExchangeSortOrder(keys, &groupOfKey);
    for (std::size_t p = 0; p < sorted.size(); ++p)
      kept.Groups[p] = groupOfKey[static_cast<std::size_t>(sorted[p])];
  }
  kept.NextGroup = kept.Groups.empty() ? 0 : kept.Groups.back() + 1;
  return sorted;
}

void ToDoList::KeepSortedRows() {
  if (sorted_.ListenerId == 0) {
    sorted_.ListenerId =
        table_.AddChangeListener([this](TaskTable::Change change, int /*col*/, int row) {
          SortedRowsTableChanged(change, row);
        });
  }
  sorted_.Valid = true;
  sorted_.Mode = sort_.Mode;
  sorted_.DescCol = layout_.DescCol();
  sorted_.Day = DateOf(dates_.Now());
  sorted_.Changed = 0;
}

void ToDoList::SortedRowsTableChanged(TaskTable::Change change, int row) {
  switch (change) {
    case TaskTable::Change::Cursor:
    case TaskTable::Change::Widths:
      return;
    case TaskTable::Change::Cell:
      if (row < 1) return;  // the header row is not sorted
      if (sorted_.Changed == 0 || sorted_.Changed == row) {
        sorted_.Changed = row;
        return;
      }
      sorted_.Valid = false;
      return;
    default:
      sorted_.Valid = false;
  }
}

void ToDoList::SortTable() {
  if (sort_.SkipNext) {
    // The row just inserted stays where the user put it, this once.
    sort_.SkipNext = false;
    return;
  }
  const int rows = table_.RowCount();
  const std::vector<int> sorted = SortedOrder();
  if (sorted.empty()) {
    KeepSortedRows();
    return;
  }

  std::vector<int> order(static_cast<std::size_t>(rows), 0);
  std::vector<int> newRow(static_cast<std::size_t>(rows), 0);
  for (std::size_t p = 0; p < sorted.size(); ++p) {
    const int from = sorted[p] + 1;
    order[p + 1] = from;
    newRow[static_cast<std::size_t>(from)] = static_cast<int>(p) + 1;
  }
  table_.ReorderRows(order);
  KeepSortedRows();

  auto follow = [&](int row) {
    return row >= 1 && row < rows ? newRow[static_cast<std::size_t>(row)] : row;
  };
  // The cell being edited belongs to its task, not to a row index: a later commit or Escape
  // must find it where the task went.
  edit_.Row = follow(edit_.Row);
  // A cursor move still waiting for a paint is where the cursor really belongs.
  const int cursorRow = sort_.PendingRow != 0 ? sort_.PendingRow : table_.Row();
  if (sort_.PendingRow != 0) sort_.PendingRow = follow(sort_.PendingRow);
  if (sort_.FollowSortedRow) sort_.PendingRow = follow(cursorRow);
  table_.SetDrawHook([this] { GridDrawCell(); });
}

void ToDoList::GridDrawCell() {
  table_.ClearDrawHook();
  if (sort_.PendingRow == 0) return;
  const int target = sort_.PendingRow;
  sort_.PendingRow = 0;
  if (target >= table_.RowCount()) return;
  // Text typed before the grid caught up belongs to the cell it was typed into: commit it there
  // before the cursor and the edit position move on. A sort it starts brings its own restore.
  if (edit_.Row == table_.Row() && edit_.Row != target && EditPending()) {
    GridExit();
    if (table_.HasDrawHook()) return;
  }
  // Restore the handler's state rather than force it on: a paint can come while a commit runs.
  const bool wasHooked = table_.HasSelectHandler();
  DetachSelectHandler();
  const int from = table_.Row();
  table_.SetRow(target);
  // An edit position recorded for the cell the cursor sat in goes with the cursor, so the cell
  // now being edited is the one a commit or Escape works on.
  if (edit_.Row == from && from != target) {
    edit_.Row = target;
    edit_.OldText = table_.Cell(edit_.Col, target);
  }
  if (wasHooked) AttachSelectHandler();
}

void ToDoList::SortOrderButtonClick() {
  const StepScope step(*this, &ToDoList::CursorMark);
  // Date, description, then project where the list has one, and round again.
  switch (sort_.Mode) {
    case SortOrder::ByDate:
      sort_.Mode = SortOrder::ByDescription;
      break;
    case SortOrder::ByDescription:
      sort_.Mode = layout_.HasProjCol() ? SortOrder::ByProject : SortOrder::ByDate;
      break;
    case SortOrder::ByProject:
      sort_.Mode = SortOrder::ByDate;
      break;
  }
  buttons_.SortOrderCaption = SortCaption(sort_.Mode);
  if (sort_.Auto) SortTable();
  ui_.FocusGrid();
}

void ToDoList::AutoSortButtonClick() {
  sort_.Auto = !sort_.Auto;
  buttons_.AutoSortCaption = sort_.Auto ? "AutoSort on" : "AutoSort off";
  buttons_.SortVisible = !sort_.Auto;
}

void ToDoList::SortButtonClick() {
  const StepScope step(*this, &ToDoList::CursorMark);
  SortTable();
}

}  // namespace taskwell
