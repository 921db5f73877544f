#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "document/TaskTable.h"
#include "grid/SortKey.h"

namespace taskwell {

// Where the list stood at one end of a step: the cursor and the sort state a step may change.
struct ListMark {
  int Row = 0;
  int Col = 0;
  SortOrder SortMode = SortOrder::ByDate;
  bool SkipNextSort = false;
};

// Where an undo or redo takes the list: from where the step left it, to where it goes now.
struct MarkMove {
  ListMark From;
  ListMark To;
};

// The list's undo and redo steps. Each step keeps only what its changes overwrote or dropped (the
// cells of the rows it touched, or a sort's permutation), never a copy of the table. Changes are
// recorded only while a step is open, so the program's own bookkeeping (loading, re-encoding,
// an undo itself) is never mistaken for an edit.
class UndoHistory final : public TableRecorder {
 public:
  static constexpr std::size_t kDefaultByteLimit = std::size_t{64} << 20;

  explicit UndoHistory(std::size_t byteLimit = kDefaultByteLimit) : byteLimit_(byteLimit) {}

  // Steps nest: only the outermost one becomes a step, so a commit inside Add is part of Add.
  void BeginStep(const ListMark& before);
  // Closes the step; one that changed no cell or row is dropped.
  void EndStep(const ListMark& after);
  // Closes a step whose handler failed. What it did change stays undoable, but a step holding
  // only its `keepOnlyIfMore` first changes is dropped: a refused commit changed nothing.
  void AbandonStep(const ListMark& after, std::size_t keepOnlyIfMore);
  bool InStep() const { return depth_ > 0; }
  // Changes recorded so far in the open step.
  std::size_t OpenStepChanges() const { return open_.Changes.size(); }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }
  std::size_t Bytes() const { return bytes_; }
  void SetByteLimit(std::size_t limit);

  // Takes back the newest step on `table`; To is where the list stood before it.
  std::optional<MarkMove> Undo(TaskTable& table);
  // Makes the newest undone step again; To is where the list stood after it.
  std::optional<MarkMove> Redo(TaskTable& table);
  void Clear();
  // Re-encodes every kept text, as the table's cells were re-encoded.
  void ConvertTexts(const std::function<std::string(const std::string&)>& convert);

  // TableRecorder
  void CellChanged(int col, int row, std::string_view before, std::string_view after) override;
  void RowInserted(int row) override;
  void RowDeleted(int row, RowView cells) override;
  void RowCopied(int from, int to, RowView before) override;
  void RowsReordered(const std::vector<int>& order) override;
  void RowCountChanged(int before, int after, TaskRows dropped) override;
  void RowsAppended(int at, int count) override;

 private:
  struct CellEdit {
    int Col, Row;
    std::string Before, After;
  };
  struct RowInsert {
    int Row;
  };
  struct RowDelete {
    int Row;
    TaskCells Cells;
  };
  struct RowCopy {
    int From, To;
    TaskCells Before;
  };
  struct Reorder {
    std::vector<int> Order;
  };
  struct RowCount {
    int Before, After;
    TaskRows Dropped;
  };
  // Rows added at the end: their cells are held here only while the change is undone.
  struct RowsAppend {
    int At;
    TaskRows Rows;
  };
  using Change =
      std::variant<CellEdit, RowInsert, RowDelete, RowCopy, Reorder, RowCount, RowsAppend>;

  struct Step {
    ListMark Before, After;
    std::vector<Change> Changes;
    std::size_t Bytes = 0;
  };

  void Record(Change change);
  void Close(const ListMark& after);
  void Trim();
  static std::size_t SizeOf(const Change& change);
  // A step's size anew, after an undo or redo moved rows between it and the table.
  void Resize(Step& step);
  static void Reverse(Change& change, TaskTable& table);
  static void Apply(Change& change, TaskTable& table);

  std::size_t byteLimit_;
  std::size_t bytes_ = 0;
  int depth_ = 0;
  Step open_;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
};

}  // namespace taskwell
