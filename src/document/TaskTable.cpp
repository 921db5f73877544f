#include "document/TaskTable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace taskwell {
namespace {
// More changes than this in one update are told as one reset: replaying them would cost a view
// more than laying itself out anew.
constexpr std::size_t kMaxHeldNotices = 16;

bool ChangesShape(TaskTable::Change change) {
  using Change = TaskTable::Change;
  return change == Change::RowInserted || change == Change::RowRemoved ||
         change == Change::RowsPermuted || change == Change::Rows;
}

// Where a row ends up after a change of the table's shape; -1 when it is gone.
int RowAfter(TaskTable::Change shape, int at, const std::vector<int>& order, int row) {
  using Change = TaskTable::Change;
  switch (shape) {
    case Change::RowInserted:
      return row >= at ? row + 1 : row;
    case Change::RowRemoved:
      return row == at ? -1 : (row > at ? row - 1 : row);
    case Change::Rows:
      return row < at ? row : -1;
    case Change::RowsPermuted: {
      const auto found = std::find(order.begin(), order.end(), row);
      return found == order.end() ? -1 : static_cast<int>(found - order.begin());
    }
    default:
      return row;
  }
}

}  // namespace

TaskTable::TaskTable() {
  SetColCount(5);
  SetRowCount(5);
}

void TaskTable::SetRowCount(int rows) {
  if (rows < 0) rows = 0;
  if (rows == RowCount()) return;
  const auto count = static_cast<std::size_t>(rows);
  const int before = RowCount();
  if (rows < before && recorder_) {
    recorder_->RowCountChanged(before, rows, rows_.TakeFrom(count));
  } else if (rows < before) {
    rows_.resize(count);
  } else {
    if (recorder_) recorder_->RowCountChanged(before, rows, TaskRows());
    rows_.reserve(count);
    while (rows_.size() < count) rows_.AddEmptyRow(static_cast<std::size_t>(columns_));
  }
  // A cursor on a dropped row goes to the new last row, without a selection event.
  if (cursorRow_ >= rows) cursorRow_ = rows > 0 ? rows - 1 : 0;
  Notify(Change::Rows, -1, rows);
}

void TaskTable::SetColCount(int cols) {
  if (cols < 0) cols = 0;
  if (cols == columns_) return;
  columns_ = cols;
  rows_.Fit(static_cast<std::size_t>(cols));
  widths_.resize(static_cast<std::size_t>(cols), 64);
  if (cursorCol_ >= cols) cursorCol_ = cols > 0 ? cols - 1 : 0;
  Notify(Change::Columns);
}

void TaskTable::AppendRows(TaskRows rows) {
  if (rows.empty()) return;
  const int at = RowCount();
  if (recorder_) recorder_->RowsAppended(at, static_cast<int>(rows.size()));
  rows.Fit(static_cast<std::size_t>(columns_));
  rows_.Append(std::move(rows));
  Notify(Change::Rows, -1, RowCount());
}

TaskRows TaskTable::TakeRowsFrom(int row) {
  row = std::clamp(row, 0, RowCount());
  TaskRows taken = rows_.TakeFrom(static_cast<std::size_t>(row));
  if (cursorRow_ >= row) cursorRow_ = row > 0 ? row - 1 : 0;
  Notify(Change::Rows, -1, row);
  return taken;
}

void TaskTable::ReserveRows(int rows) {
  const auto count = static_cast<std::size_t>(std::max(rows, 0));
  rows_.reserve(count, count * static_cast<std::size_t>(columns_));
}

void TaskTable::ReplaceRows(TaskRows rows) {
  rows_ = std::move(rows);
  rows_.Fit(static_cast<std::size_t>(columns_));
  if (cursorRow_ >= RowCount()) cursorRow_ = RowCount() > 0 ? RowCount() - 1 : 0;
  Notify(Change::All);
}

TaskRows TaskTable::TakeRows() {
  TaskRows rows = std::move(rows_);
  rows_.clear();
  cursorRow_ = 0;
  Notify(Change::All);
  return rows;
}

std::string_view TaskTable::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= columns_) return {};
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TaskTable::SetCell(int col, int row, std::string_view text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= columns_) {
    throw std::out_of_range("Grid index out of range");
  }
  const std::string_view cell = Cell(col, row);
  if (cell == text) return;
  if (recorder_) recorder_->CellChanged(col, row, cell, text);
  rows_.Set(static_cast<std::size_t>(row), static_cast<std::size_t>(col), text);
  Notify(Change::Cell, col, row);
}

void TaskTable::CopyRow(int from, int to) {
  if (from == to) return;
  const RowView source = rows_.at(static_cast<std::size_t>(from));
  const RowView target = rows_.at(static_cast<std::size_t>(to));
  if (recorder_) recorder_->RowCopied(from, to, target);
  rows_.SetRow(static_cast<std::size_t>(to), source);
  Notify(Change::RowCells, -1, to);
}

void TaskTable::InsertEmptyRow(int row) {
  if (row < 0 || row > RowCount()) throw std::out_of_range("Grid index out of range");
  if (recorder_) recorder_->RowInserted(row);
  rows_.InsertEmptyRow(static_cast<std::size_t>(row), static_cast<std::size_t>(columns_));
  Notify(Change::RowInserted, -1, row);
}

void TaskTable::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("Grid index out of range");
  if (recorder_) recorder_->RowDeleted(row, rows_[static_cast<std::size_t>(row)]);
  rows_.Erase(static_cast<std::size_t>(row));
  if (cursorRow_ >= RowCount()) cursorRow_ = RowCount() > 0 ? RowCount() - 1 : 0;
  Notify(Change::RowRemoved, -1, row);
}

void TaskTable::ReorderRows(const std::vector<int>& order) {
  if (recorder_) recorder_->RowsReordered(order);
  rows_.Permute(order);
  Notify(Change::RowsPermuted, -1, -1, &order);
}

void TaskTable::SelectCell(int col, int row) {
  if (col == cursorCol_ && row == cursorRow_) return;
  if (selectHandler_) selectHandler_(col, row);
  cursorCol_ = col;
  cursorRow_ = row;
  Notify(Change::Cursor);
}

int TaskTable::ColWidth(int col) const {
  if (col < 0 || col >= columns_) return 0;
  return widths_[static_cast<std::size_t>(col)];
}

void TaskTable::SetColWidth(int col, int width) {
  if (col < 0 || col >= columns_) return;
  if (widths_[static_cast<std::size_t>(col)] == width) return;
  widths_[static_cast<std::size_t>(col)] = width;
  Notify(Change::Widths);
}

void TaskTable::CellPainted() {
  if (drawHook_) {
    // Copy first: the hook usually detaches itself.
    const DrawCellHandler hook = drawHook_;
    hook();
  }
}

void TaskTable::BeginUpdate() {
  ++updateDepth_;
}

void TaskTable::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  std::vector<Notice> held = std::move(held_);
  const bool overflow = heldOverflow_;
  held_.clear();
  heldOverflow_ = false;
  const auto shapes =
      std::count_if(held.begin(), held.end(), [](const Notice& n) { return ChangesShape(n.Kind); });
  // A listener reads the table as it is now, so only one change of shape can be told after the
  // fact: it goes first, and the cells told before it move to where their rows went.
  if (overflow || shapes > 1) {
    Tell({Change::All, -1, -1, {}});
    return;
  }
  const auto shape =
      std::find_if(held.begin(), held.end(), [](const Notice& n) { return ChangesShape(n.Kind); });
  if (shape != held.end()) {
    for (auto n = held.begin(); n != shape; ++n) {
      if (n->Kind == Change::Cell || n->Kind == Change::RowCells)
        n->Row = RowAfter(shape->Kind, shape->Row, shape->Order, n->Row);
    }
    std::rotate(held.begin(), shape, shape + 1);
  }
  for (Notice& notice : held) {
    const bool cellGone =
        (notice.Kind == Change::Cell || notice.Kind == Change::RowCells) && notice.Row < 0;
    if (!cellGone) Tell(std::move(notice));
  }
}

void TaskTable::Notify(Change change, int col, int row, const std::vector<int>* order) {
  if (change != Change::Cursor && change != Change::Widths) ++revision_;
  if (updateDepth_ == 0) {
    Tell({change, col, row, order ? *order : std::vector<int>{}});
    return;
  }
  if (heldOverflow_) return;
  if (change == Change::All || change == Change::Columns || held_.size() >= kMaxHeldNotices) {
    heldOverflow_ = true;
    held_.clear();
    return;
  }
  held_.push_back({change, col, row, order ? *order : std::vector<int>{}});
}

void TaskTable::Tell(Notice notice) {
  // A listener may change a cell while it is told; the order stays readable for the others.
  std::vector<int> outer = std::exchange(permuted_, std::move(notice.Order));
  // By index, so that a listener may add listeners while it is told.
  for (std::size_t i = 0; i < listeners_.size(); ++i)
    listeners_[i].second(notice.Kind, notice.Col, notice.Row);
  permuted_ = std::move(outer);
}

int TaskTable::TextWidth(std::string_view text) const {
  return measure_ ? measure_(text) : static_cast<int>(text.size()) * 8;
}

void TaskTable::SetTextMeasure(std::function<int(std::string_view)> measure) {
  measure_ = std::move(measure);
}

int TaskTable::AddChangeListener(ChangeListener listener) const {
  listeners_.emplace_back(nextListenerId_, std::move(listener));
  return nextListenerId_++;
}

void TaskTable::RemoveChangeListener(int id) const {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace taskwell
