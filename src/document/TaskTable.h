#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace taskwell {

// The editable text grid without pixels: cells of byte strings by (column, row), a fixed header
// row, the cursor, column widths and the grid's events. A view renders it and routes every
// cursor move through it, so the cell-selection event always runs before a move.
class TaskTable {
 public:
  // Runs before the cursor moves to (col, row); throwing stops the move.
  using SelectCellHandler = std::function<void(int col, int row)>;
  // The one-shot paint hook: runs when the view paints a cell.
  using DrawCellHandler = std::function<void()>;

  enum class Change { Cell, Rows, Columns, Cursor, Widths, All };
  // Told after every change, so a view can follow. (col, row) for Cell only.
  using ChangeListener = std::function<void(Change change, int col, int row)>;

  TaskTable();

  int RowCount() const { return static_cast<int>(Cells.size()); }
  int ColCount() const { return Columns; }
  // Growing adds empty cells; shrinking drops the last rows or columns with their texts.
  void SetRowCount(int rows);
  void SetColCount(int cols);

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);
  // Copies all cells of one row over another row.
  void CopyRow(int from, int to);
  // Moves the rows from `row` down by one and leaves an empty row at `row` (RowCount grows).
  void InsertEmptyRow(int row);
  // Moves the rows below `row` up by one over it (RowCount shrinks).
  void DeleteRow(int row);
  // Puts the rows in a new order: row i becomes the row that was at order[i].
  void ReorderRows(const std::vector<int>& order);

  int FixedRows = 1;

  int Row() const { return CursorRow; }
  int Col() const { return CursorCol; }
  void SetRow(int row) { SelectCell(CursorCol, row); }
  void SetCol(int col) { SelectCell(col, CursorRow); }
  // Moves the cursor, raising the cell-selection event first when the target differs.
  void SelectCell(int col, int row);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultRowHeight = 20;
  // The pixel width of a text in the grid's font; given by whoever draws the grid.
  std::function<int(std::string_view)> TextWidth;

  SelectCellHandler OnSelectCell;
  DrawCellHandler OnDrawCell;
  ChangeListener OnChange;

  // The view calls this when it paints a cell.
  void CellPainted();

  // Changes between these two are announced once, as Change::All.
  void BeginUpdate();
  void EndUpdate();

 private:
  void Notify(Change change, int col = -1, int row = -1);
  std::vector<std::vector<std::string>> Cells;
  std::vector<int> Widths;
  int Columns = 0;
  int CursorRow = 0;
  int CursorCol = 0;
  int UpdateDepth = 0;
  bool ChangedInUpdate = false;
};

}  // namespace taskwell
