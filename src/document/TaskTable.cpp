#include "document/TaskTable.h"

#include <stdexcept>

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
  Cells.resize(static_cast<std::size_t>(rows),
               std::vector<std::string>(static_cast<std::size_t>(Columns)));
  // A cursor on a dropped row goes to the new last row, without a selection event.
  if (CursorRow >= rows) CursorRow = rows > 0 ? rows - 1 : 0;
  Notify(Change::Rows);
}

void TaskTable::SetColCount(int cols) {
  if (cols < 0) cols = 0;
  if (cols == Columns) return;
  Columns = cols;
  for (auto& row : Cells) row.resize(static_cast<std::size_t>(cols));
  Widths.resize(static_cast<std::size_t>(cols), 64);
  if (CursorCol >= cols) CursorCol = cols > 0 ? cols - 1 : 0;
  Notify(Change::Columns);
}

const std::string& TaskTable::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= Columns) return kNoText;
  return Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TaskTable::SetCell(int col, int row, std::string text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= Columns) {
    throw std::out_of_range("Grid index out of range");
  }
  auto& cell = Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  if (cell == text) return;
  cell = std::move(text);
  Notify(Change::Cell, col, row);
}

void TaskTable::CopyRow(int from, int to) {
  if (from == to) return;
  Cells.at(static_cast<std::size_t>(to)) = Cells.at(static_cast<std::size_t>(from));
  Notify(Change::All);
}

void TaskTable::InsertEmptyRow(int row) {
  if (row < 0 || row > RowCount()) throw std::out_of_range("Grid index out of range");
  Cells.insert(Cells.begin() + row, std::vector<std::string>(static_cast<std::size_t>(Columns)));
  Notify(Change::All);
}

void TaskTable::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("Grid index out of range");
  Cells.erase(Cells.begin() + row);
  if (CursorRow >= RowCount()) CursorRow = RowCount() > 0 ? RowCount() - 1 : 0;
  Notify(Change::All);
}

void TaskTable::ReorderRows(const std::vector<int>& order) {
  std::vector<std::vector<std::string>> moved;
  moved.reserve(order.size());
  for (int index : order) moved.push_back(std::move(Cells.at(static_cast<std::size_t>(index))));
  for (std::size_t i = 0; i < moved.size(); ++i) Cells[i] = std::move(moved[i]);
  Notify(Change::All);
}

void TaskTable::SelectCell(int col, int row) {
  if (col == CursorCol && row == CursorRow) return;
  if (OnSelectCell) OnSelectCell(col, row);
  CursorCol = col;
  CursorRow = row;
  Notify(Change::Cursor);
}

int TaskTable::ColWidth(int col) const {
  if (col < 0 || col >= Columns) return 0;
  return Widths[static_cast<std::size_t>(col)];
}

void TaskTable::SetColWidth(int col, int width) {
  if (col < 0 || col >= Columns) return;
  if (Widths[static_cast<std::size_t>(col)] == width) return;
  Widths[static_cast<std::size_t>(col)] = width;
  Notify(Change::Widths);
}

void TaskTable::CellPainted() {
  if (OnDrawCell) {
    // Copy first: the hook usually detaches itself.
    DrawCellHandler hook = OnDrawCell;
    hook();
  }
}

void TaskTable::BeginUpdate() {
  ++UpdateDepth;
}

void TaskTable::EndUpdate() {
  if (UpdateDepth > 0 && --UpdateDepth == 0 && ChangedInUpdate) {
    ChangedInUpdate = false;
    Notify(Change::All);
  }
}

void TaskTable::Notify(Change change, int col, int row) {
  if (UpdateDepth > 0) {
    ChangedInUpdate = true;
    return;
  }
  if (OnChange) OnChange(change, col, row);
}

}  // namespace taskwell
