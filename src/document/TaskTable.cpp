#include "document/TaskTable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace taskwell {
namespace {
const std::string kNoText;
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
  if (recorder_) {
    std::vector<std::vector<std::string>> dropped;
    for (std::size_t r = static_cast<std::size_t>(rows); r < cells_.size(); ++r)
      dropped.push_back(std::move(cells_[r]));
    recorder_->RowCountChanged(RowCount(), rows, std::move(dropped));
  }
  const std::size_t oldRows = cells_.size();
  cells_.resize(static_cast<std::size_t>(rows));
  for (std::size_t r = oldRows; r < cells_.size(); ++r)
    cells_[r].resize(static_cast<std::size_t>(columns_));
  // A cursor on a dropped row goes to the new last row, without a selection event.
  if (cursorRow_ >= rows) cursorRow_ = rows > 0 ? rows - 1 : 0;
  Notify(Change::Rows, -1, rows);
}

void TaskTable::SetColCount(int cols) {
  if (cols < 0) cols = 0;
  if (cols == columns_) return;
  columns_ = cols;
  for (auto& row : cells_) row.resize(static_cast<std::size_t>(cols));
  widths_.resize(static_cast<std::size_t>(cols), 64);
  if (cursorCol_ >= cols) cursorCol_ = cols > 0 ? cols - 1 : 0;
  Notify(Change::Columns);
}

void TaskTable::ReserveRows(int rows) {
  cells_.reserve(static_cast<std::size_t>(std::max(rows, 0)));
}

void TaskTable::ReplaceRows(std::vector<std::vector<std::string>> rows) {
  cells_ = std::move(rows);
  for (auto& row : cells_) row.resize(static_cast<std::size_t>(columns_));
  if (cursorRow_ >= RowCount()) cursorRow_ = RowCount() > 0 ? RowCount() - 1 : 0;
  Notify(Change::All);
}

std::vector<std::vector<std::string>> TaskTable::TakeRows() {
  std::vector<std::vector<std::string>> rows = std::move(cells_);
  cells_.clear();
  cursorRow_ = 0;
  Notify(Change::All);
  return rows;
}

const std::string& TaskTable::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= columns_) return kNoText;
  return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

const std::vector<std::string>& TaskTable::RowCells(int row) const {
  return cells_.at(static_cast<std::size_t>(row));
}

void TaskTable::SetCell(int col, int row, std::string text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= columns_) {
    throw std::out_of_range("Grid index out of range");
  }
  auto& cell = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  if (cell == text) return;
  if (recorder_) recorder_->CellChanged(col, row, cell, text);
  cell = std::move(text);
  Notify(Change::Cell, col, row);
}

void TaskTable::CopyRow(int from, int to) {
  if (from == to) return;
  const auto& source = cells_.at(static_cast<std::size_t>(from));
  auto& target = cells_.at(static_cast<std::size_t>(to));
  if (recorder_) recorder_->RowCopied(from, to, target);
  target = source;
  Notify(Change::RowCells, -1, to);
}

void TaskTable::InsertEmptyRow(int row) {
  if (row < 0 || row > RowCount()) throw std::out_of_range("Grid index out of range");
  if (recorder_) recorder_->RowInserted(row);
  cells_.insert(cells_.begin() + row, std::vector<std::string>(static_cast<std::size_t>(columns_)));
  Notify(Change::RowInserted, -1, row);
}

void TaskTable::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("Grid index out of range");
  if (recorder_) recorder_->RowDeleted(row, std::move(cells_[static_cast<std::size_t>(row)]));
  cells_.erase(cells_.begin() + row);
  if (cursorRow_ >= RowCount()) cursorRow_ = RowCount() > 0 ? RowCount() - 1 : 0;
  Notify(Change::RowRemoved, -1, row);
}

void TaskTable::ReorderRows(const std::vector<int>& order) {
  if (recorder_) recorder_->RowsReordered(order);
  std::vector<std::vector<std::string>> moved;
  moved.reserve(order.size());
  for (int index : order) moved.push_back(std::move(cells_.at(static_cast<std::size_t>(index))));
  for (std::size_t i = 0; i < moved.size(); ++i) cells_[i] = std::move(moved[i]);
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
