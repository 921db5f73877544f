// Sorting the list: the keys, the sort itself, and the cursor that follows its task.
#include <algorithm>
#include <array>

#include "document/Calendar.h"
#include "document/TableLayout.h"
#include "grid/CellSortKeys.h"
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

// What a row's key is made of besides its description.
struct RowKeyHead {
  double EffectiveDate = 0;
  std::string_view SubPriority;
  std::string_view Project;
};

RowKeyHead HeadOfRow(const TaskTable& table, const DateFormat& dates, SortOrder order, int row) {
  RowKeyHead head;
  if (order == SortOrder::ByDate) {
    ReadRowDate(table, row, dates, head.EffectiveDate);
    head.EffectiveDate =
        EffectiveDate(head.EffectiveDate, table.Cell(TableLayout::ColPri, row), dates.Now());
  }
  if (order == SortOrder::ByProject) head.Project = table.Cell(TableLayout::ColProj, row);
  head.SubPriority = table.Cell(TableLayout::ColSubPri, row);
  return head;
}

// Whether a reorder leaves so many rows apart from the row they followed that a pass over the
// rows in their new order would jump through memory: a whole sort does, a commit that moves one
// task does not.
bool ScattersRows(const std::vector<int>& order) {
  std::size_t breaks = 0;
  for (std::size_t p = 1; p < order.size(); ++p) breaks += order[p] != order[p - 1] + 1 ? 1 : 0;
  constexpr std::size_t kShare = 16;
  return breaks > order.size() / kShare;
}

}  // namespace

std::string ToDoList::BuildSortKey(int row) const {
  const RowKeyHead head = HeadOfRow(table_, dates_, sort_.Mode, row);
  std::string key;
  AppendSortKey(key, sort_.Mode, head.EffectiveDate, head.SubPriority, head.Project,
                table_.Cell(layout_.DescCol(), row));
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
  // The descriptions are read where they lie; only the short part before them is built, a few
  // bytes a row, and only for the orders that have one.
  const auto order = sort_.Mode;
  SortKeyBuffer heads;
  if (order != SortOrder::ByDescription) {
    constexpr std::size_t kHeadBytesGuess = 16;
    heads.Reserve(static_cast<std::size_t>(tasks),
                  static_cast<std::size_t>(tasks) * kHeadBytesGuess);
    for (int row = 1; row <= tasks; ++row) {
      const RowKeyHead head = HeadOfRow(table_, dates_, order, row);
      AppendSortKeyHead(heads.Text(), order, head.EffectiveDate, head.SubPriority, head.Project);
      heads.End();
    }
  }
  const CellSortKeys keys(table_.Rows(), 1, tasks, static_cast<std::size_t>(layout_.DescCol()),
                          order != SortOrder::ByDescription ? &heads : nullptr);
  bool inOrder = true;
  for (int i = 1; i < tasks && inOrder; ++i) inOrder = keys.Compare(i - 1, i) <= 0;
  std::vector<int> sorted;
  if (inOrder) {
    // Rows already in order are never exchanged, so nothing moves.
    kept.Groups.assign(static_cast<std::size_t>(tasks), 0);
    for (int p = 1; p < tasks; ++p) {
      const auto at = static_cast<std::size_t>(p);
      kept.Groups[at] = kept.Groups[at - 1] + (keys.Compare(p - 1, p) != 0 ? 1 : 0);
    }
  } else {
    sorted = ExchangeSortOrder(keys, &kept.Groups);
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
  std::vector<int> order = SortedOrder();
  if (order.empty()) {
    KeepSortedRows();
    return;
  }

  // Task p of the order goes to row p + 1, below the header row, which stays.
  for (int& from : order) ++from;
  order.insert(order.begin(), 0);
  table_.ReorderRows(order);
  if (ScattersRows(order)) table_.CompactInRowOrder();
  KeepSortedRows();

  // A few rows are followed, so they are looked up rather than every row's new place kept.
  auto follow = [&](int row) {
    if (row < 1 || row >= rows) return row;
    return static_cast<int>(std::find(order.begin() + 1, order.end(), row) - order.begin());
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
