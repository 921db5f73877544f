#include "document/TaskTable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace taskwell {
namespace {
const std::string kNoText;
}

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
  Notify(Change::Rows);
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
  Notify(Change::All);
}

void TaskTable::InsertEmptyRow(int row) {
  if (row < 0 || row > RowCount()) throw std::out_of_range("Grid index out of range");
  if (recorder_) recorder_->RowInserted(row);
  cells_.insert(cells_.begin() + row, std::vector<std::string>(static_cast<std::size_t>(columns_)));
  Notify(Change::All);
}

void TaskTable::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("Grid index out of range");
  if (recorder_) recorder_->RowDeleted(row, std::move(cells_[static_cast<std::size_t>(row)]));
  cells_.erase(cells_.begin() + row);
  if (cursorRow_ >= RowCount()) cursorRow_ = RowCount() > 0 ? RowCount() - 1 : 0;
  Notify(Change::All);
}

void TaskTable::ReorderRows(const std::vector<int>& order) {
  if (recorder_) recorder_->RowsReordered(order);
  std::vector<std::vector<std::string>> moved;
  moved.reserve(order.size());
  for (int index : order) moved.push_back(std::move(cells_.at(static_cast<std::size_t>(index))));
  for (std::size_t i = 0; i < moved.size(); ++i) cells_[i] = std::move(moved[i]);
  Notify(Change::All);
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
  if (updateDepth_ > 0 && --updateDepth_ == 0 && changedInUpdate_) {
    changedInUpdate_ = false;
    Notify(Change::All);
  }
}

void TaskTable::Notify(Change change, int col, int row) {
  if (change != Change::Cursor && change != Change::Widths) ++revision_;
  if (updateDepth_ > 0) {
    changedInUpdate_ = true;
    return;
  }
  // By index, so that a listener may add listeners while it is told.
  for (std::size_t i = 0; i < listeners_.size(); ++i) listeners_[i].second(change, col, row);
}

int TaskTable::TextWidth(std::string_view text) const {
  return measure_ ? measure_(text) : static_cast<int>(text.size()) * 8;
}

void TaskTable::SetTextMeasure(std::function<int(std::string_view)> measure) {
  measure_ = std::move(measure);
}

int TaskTable::AddChangeListener(ChangeListener listener) {
  listeners_.emplace_back(nextListenerId_, std::move(listener));
  return nextListenerId_++;
}

void TaskTable::RemoveChangeListener(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace taskwell
