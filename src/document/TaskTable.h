#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/TaskRows.h"

namespace taskwell {

// Told the exact before-data of every change to the cells and rows, so that a change can be taken
// back without keeping a copy of the table. Called before the table changes; the column count
// and the cursor are not reported.
class TableRecorder {
 public:
  virtual ~TableRecorder() = default;
  virtual void CellChanged(int col, int row, std::string_view before, std::string_view after) = 0;
  virtual void RowInserted(int row) = 0;
  virtual void RowDeleted(int row, RowView cells) = 0;
  // Row `to` is about to get a copy of row `from`; `before` is what it holds now.
  virtual void RowCopied(int from, int to, RowView before) = 0;
  // Row i becomes the row that was at order[i].
  virtual void RowsReordered(const std::vector<int>& order) = 0;
  // The row count goes from `before` to `after`; a shrink hands over the dropped rows.
  virtual void RowCountChanged(int before, int after, TaskRows dropped) = 0;
  // `count` rows were appended from row `at`: what was before them is untouched, so taking the
  // change back needs no copy of their cells.
  virtual void RowsAppended(int at, int count) = 0;
};

// The editable text grid without pixels: cells of byte strings by (column, row), held flat in
// TaskRows, a fixed header row, the cursor, column widths and the grid's events. A view renders it
// and routes every cursor move through it, so the cell-selection event always runs before a move.
class TaskTable {
 public:
  // Runs before the cursor moves to (col, row); throwing stops the move.
  using SelectCellHandler = std::function<void(int col, int row)>;
  // The one-shot paint hook: runs when the view paints a cell.
  using DrawCellHandler = std::function<void()>;

  // Row-level changes let a view keep its place: RowCells is a whole row's cells (row given),
  // RowInserted and RowRemoved give the row, Rows a new row count in `row` (rows added or dropped
  // at the end), RowsPermuted a new order (read as PermutedOrder()). All is anything at all.
  enum class Change {
    Cell,
    RowCells,
    RowInserted,
    RowRemoved,
    RowsPermuted,
    Rows,
    Columns,
    Cursor,
    Widths,
    All
  };
  // Told after every change, so a view can follow. (col, row) for Cell, row for the row kinds.
  using ChangeListener = std::function<void(Change change, int col, int row)>;

  TaskTable();

  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColCount() const { return columns_; }
  // Growing adds empty cells; shrinking drops the last rows or columns with their texts.
  void SetRowCount(int rows);
  void SetColCount(int cols);

  // A cell's text, valid until the table changes; empty outside the table.
  std::string_view Cell(int col, int row) const;
  // All cells of a row, in column order, valid until the table changes.
  RowView RowCells(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  // Every row, the header row first.
  const TaskRows& Rows() const { return rows_; }
  void SetCell(int col, int row, std::string_view text);
  // Copies all cells of one row over another row.
  void CopyRow(int from, int to);
  // Moves the rows from `row` down by one and leaves an empty row at `row` (RowCount grows).
  void InsertEmptyRow(int row);
  // Moves the rows below `row` up by one over it (RowCount shrinks).
  void DeleteRow(int row);
  // Puts the rows in a new order: row i becomes the row that was at order[i].
  void ReorderRows(const std::vector<int>& order);
  // Lays the cells out in row order again after a reorder of many rows, so that a pass over the
  // rows reads memory in order. No cell changes; views of cells are no longer valid.
  void CompactInRowOrder() { rows_.CompactInRowOrder(); }
  // The cells name their text in `bytes` where it lies there; see TaskRows::MoveBorrowed. No cell
  // changes; views of cells are no longer valid.
  void MoveBorrowed(std::shared_ptr<const std::string> bytes,
                    const TaskRows::FindLastCell& lastCellAt) {
    rows_.MoveBorrowed(std::move(bytes), lastCellAt);
  }
  // Adds whole rows at the end, cut or padded to the columns, told as one change of the row count.
  void AppendRows(TaskRows rows);
  // Hands the rows from `row` on over and drops them, told as one change of the row count. Not
  // recorded: it takes back an AppendRows.
  TaskRows TakeRowsFrom(int row);
  // Room for this many rows, so that a table built row by row does not move them as it grows.
  void ReserveRows(int rows);
  // Every row at once, as a load builds them elsewhere; rows are cut or padded to the columns.
  // Not recorded: a load is never undone.
  void ReplaceRows(TaskRows rows);
  // Hands every row over, leaving the table empty.
  TaskRows TakeRows();

  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int rows) { fixedRows_ = rows; }

  int Row() const { return cursorRow_; }
  int Col() const { return cursorCol_; }
  void SetRow(int row) { SelectCell(cursorCol_, row); }
  void SetCol(int col) { SelectCell(col, cursorRow_); }
  // Moves the cursor, raising the cell-selection event first when the target differs.
  void SelectCell(int col, int row);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  // The pixel width of a text in the grid's font; measured by whoever draws the grid (a fixed
  // eight pixels a byte until then).
  int TextWidth(std::string_view text) const;
  void SetTextMeasure(std::function<int(std::string_view)> measure);

  // The one handler asked before every cursor move. The task list attaches and detaches it
  // around its own moves, which must not commit anything.
  void SetSelectHandler(SelectCellHandler handler) { selectHandler_ = std::move(handler); }
  void ClearSelectHandler() { selectHandler_ = nullptr; }
  bool HasSelectHandler() const { return static_cast<bool>(selectHandler_); }

  // The one-shot hook run when the view next paints a cell.
  void SetDrawHook(DrawCellHandler hook) { drawHook_ = std::move(hook); }
  void ClearDrawHook() { drawHook_ = nullptr; }
  bool HasDrawHook() const { return static_cast<bool>(drawHook_); }
  // The view calls this when it paints a cell.
  void CellPainted();

  // Every listener is told after every change; the id removes it again.
  int AddChangeListener(ChangeListener listener) const;
  void RemoveChangeListener(int id) const;

  // The one recorder of changes to cells and rows; nullptr for none. Not owned.
  void SetRecorder(TableRecorder* recorder) { recorder_ = recorder; }
  // Grows with every change of cells, rows or columns (not of the cursor or widths), so that an
  // unchanged table is known without comparing its text.
  std::uint64_t ContentRevision() const { return revision_; }

  // While RowsPermuted is told: row i is now the row that was at PermutedOrder()[i].
  const std::vector<int>& PermutedOrder() const { return permuted_; }

  // Changes between these two are told at the end: one by one when there are few, so that a
  // view keeps its place after a small undo, else once as Change::All.
  void BeginUpdate();
  void EndUpdate();
  // BeginUpdate and EndUpdate around a scope, however it is left.
  class UpdateScope {
   public:
    explicit UpdateScope(TaskTable& table) : table_(table) { table_.BeginUpdate(); }
    ~UpdateScope() { table_.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

   private:
    TaskTable& table_;
  };

 private:
  struct Notice {
    Change Kind;
    int Col;
    int Row;
    std::vector<int> Order;
  };
  void Notify(Change change, int col = -1, int row = -1, const std::vector<int>* order = nullptr);
  void Tell(Notice notice);
  TaskRows rows_;
  std::vector<int> widths_;
  int columns_ = 0;
  int cursorRow_ = 0;
  int cursorCol_ = 0;
  int fixedRows_ = 1;
  int updateDepth_ = 0;
  // Held back during an update; past the limit only "everything changed" is kept.
  std::vector<Notice> held_;
  bool heldOverflow_ = false;
  std::vector<int> permuted_;
  std::function<int(std::string_view)> measure_;
  SelectCellHandler selectHandler_;
  DrawCellHandler drawHook_;
  // Listeners only watch: a reader of the table may add one.
  mutable std::vector<std::pair<int, ChangeListener>> listeners_;
  mutable int nextListenerId_ = 1;
  TableRecorder* recorder_ = nullptr;
  std::uint64_t revision_ = 0;
};

}  // namespace taskwell
