#include "list/UndoHistory.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace taskwell {
namespace {

std::size_t TextBytes(const std::string& text) {
  return sizeof(std::string) + text.capacity();
}

std::size_t RowBytes(const std::vector<std::string>& cells) {
  std::size_t bytes = sizeof(std::vector<std::string>);
  for (const std::string& cell : cells) bytes += TextBytes(cell);
  return bytes;
}

template <class Cells>
void SetRowCells(TaskTable& table, int row, const Cells& cells) {
  for (std::size_t col = 0; col < cells.size(); ++col)
    table.SetCell(static_cast<int>(col), row, cells[col]);
}

}  // namespace

void UndoHistory::BeginStep(const ListMark& before) {
  if (depth_++ == 0) open_ = Step{before, before, {}, 0};
}

void UndoHistory::EndStep(const ListMark& after) {
  if (depth_ == 0) return;
  if (--depth_ == 0) Close(after);
}

void UndoHistory::AbandonStep(const ListMark& after, std::size_t keepOnlyIfMore) {
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  if (open_.Changes.size() <= keepOnlyIfMore) {
    open_ = Step{};
    return;
  }
  Close(after);
}

void UndoHistory::Close(const ListMark& after) {
  Step step = std::move(open_);
  open_ = Step{};
  if (step.Changes.empty()) return;
  step.After = after;
  // A new change makes the undone steps unreachable.
  for (const Step& dropped : redo_) bytes_ -= dropped.Bytes;
  redo_.clear();
  bytes_ += step.Bytes;
  undo_.push_back(std::move(step));
  Trim();
}

void UndoHistory::Trim() {
  // The oldest steps go first; a single step larger than the whole bound is not kept either.
  while (bytes_ > byteLimit_ && !undo_.empty()) {
    bytes_ -= undo_.front().Bytes;
    undo_.pop_front();
  }
  while (bytes_ > byteLimit_ && !redo_.empty()) {
    bytes_ -= redo_.back().Bytes;
    redo_.pop_back();
  }
}

void UndoHistory::SetByteLimit(std::size_t limit) {
  byteLimit_ = limit;
  Trim();
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
  depth_ = 0;
  open_ = Step{};
}

void UndoHistory::Record(Change change) {
  if (depth_ == 0) return;
  open_.Bytes += SizeOf(change);
  open_.Changes.push_back(std::move(change));
}

void UndoHistory::CellChanged(int col, int row, std::string_view before, std::string_view after) {
  if (depth_ > 0) Record(CellEdit{col, row, std::string(before), std::string(after)});
}

void UndoHistory::RowInserted(int row) {
  Record(RowInsert{row});
}

void UndoHistory::RowDeleted(int row, RowView cells) {
  if (depth_ > 0) Record(RowDelete{row, cells.ToCells()});
}

void UndoHistory::RowCopied(int from, int to, RowView before) {
  if (depth_ > 0) Record(RowCopy{from, to, before.ToCells()});
}

void UndoHistory::RowsReordered(const std::vector<int>& order) {
  if (depth_ > 0) Record(Reorder{order});
}

void UndoHistory::RowCountChanged(int before, int after, TaskRows dropped) {
  if (depth_ > 0) Record(RowCount{before, after, std::move(dropped)});
}

void UndoHistory::RowsAppended(int at, int /*count*/) {
  if (depth_ > 0) Record(RowsAppend{at, {}});
}

std::size_t UndoHistory::SizeOf(const Change& change) {
  return sizeof(Change) + std::visit(
                              [](const auto& c) -> std::size_t {
                                using T = std::decay_t<decltype(c)>;
                                if constexpr (std::is_same_v<T, CellEdit>) {
                                  return TextBytes(c.Before) + TextBytes(c.After);
                                } else if constexpr (std::is_same_v<T, RowDelete>) {
                                  return RowBytes(c.Cells);
                                } else if constexpr (std::is_same_v<T, RowCopy>) {
                                  return RowBytes(c.Before);
                                } else if constexpr (std::is_same_v<T, Reorder>) {
                                  return c.Order.capacity() * sizeof(int);
                                } else if constexpr (std::is_same_v<T, RowCount>) {
                                  return c.Dropped.MemoryBytes();
                                } else if constexpr (std::is_same_v<T, RowsAppend>) {
                                  return c.Rows.MemoryBytes();
                                } else {
                                  return 0;
                                }
                              },
                              change);
}

void UndoHistory::Resize(Step& step) {
  bytes_ -= step.Bytes;
  step.Bytes = 0;
  for (const Change& change : step.Changes) step.Bytes += SizeOf(change);
  bytes_ += step.Bytes;
}

void UndoHistory::Reverse(Change& change, TaskTable& table) {
  std::visit(
      [&table](auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, CellEdit>) {
          table.SetCell(c.Col, c.Row, c.Before);
        } else if constexpr (std::is_same_v<T, RowInsert>) {
          table.DeleteRow(c.Row);
        } else if constexpr (std::is_same_v<T, RowDelete>) {
          table.InsertEmptyRow(c.Row);
          SetRowCells(table, c.Row, c.Cells);
        } else if constexpr (std::is_same_v<T, RowCopy>) {
          SetRowCells(table, c.To, c.Before);
        } else if constexpr (std::is_same_v<T, Reorder>) {
          // Row order[i] went to i, so row i goes back to order[i].
          std::vector<int> back(c.Order.size());
          for (std::size_t i = 0; i < c.Order.size(); ++i)
            back[static_cast<std::size_t>(c.Order[i])] = static_cast<int>(i);
          table.ReorderRows(back);
        } else if constexpr (std::is_same_v<T, RowCount>) {
          table.SetRowCount(c.Before);
          for (std::size_t i = 0; i < c.Dropped.size(); ++i)
            SetRowCells(table, c.After + static_cast<int>(i), c.Dropped[i]);
        } else if constexpr (std::is_same_v<T, RowsAppend>) {
          c.Rows = table.TakeRowsFrom(c.At);
        }
      },
      change);
}

void UndoHistory::Apply(Change& change, TaskTable& table) {
  std::visit(
      [&table](auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, CellEdit>) {
          table.SetCell(c.Col, c.Row, c.After);
        } else if constexpr (std::is_same_v<T, RowInsert>) {
          table.InsertEmptyRow(c.Row);
        } else if constexpr (std::is_same_v<T, RowDelete>) {
          table.DeleteRow(c.Row);
        } else if constexpr (std::is_same_v<T, RowCopy>) {
          table.CopyRow(c.From, c.To);
        } else if constexpr (std::is_same_v<T, Reorder>) {
          table.ReorderRows(c.Order);
        } else if constexpr (std::is_same_v<T, RowCount>) {
          table.SetRowCount(c.After);
        } else if constexpr (std::is_same_v<T, RowsAppend>) {
          table.AppendRows(std::exchange(c.Rows, {}));
        }
      },
      change);
}

std::optional<MarkMove> UndoHistory::Undo(TaskTable& table) {
  if (undo_.empty() || depth_ > 0) return std::nullopt;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  {
    // One notice for the whole step, so a view repaints once.
    const TaskTable::UpdateScope update(table);
    for (auto change = step.Changes.rbegin(); change != step.Changes.rend(); ++change)
      Reverse(*change, table);
  }
  const MarkMove move{step.After, step.Before};
  Resize(step);
  redo_.push_back(std::move(step));
  Trim();
  return move;
}

std::optional<MarkMove> UndoHistory::Redo(TaskTable& table) {
  if (redo_.empty() || depth_ > 0) return std::nullopt;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  {
    // One notice for the whole step, so a view repaints once.
    const TaskTable::UpdateScope update(table);
    for (Change& change : step.Changes) Apply(change, table);
  }
  const MarkMove move{step.Before, step.After};
  Resize(step);
  undo_.push_back(std::move(step));
  return move;
}

void UndoHistory::ConvertTexts(const std::function<std::string(const std::string&)>& convert) {
  auto convertRow = [&convert](TaskCells& cells) {
    for (std::string& cell : cells) cell = convert(cell);
  };
  const auto convertView = [&convert](std::string_view cell) { return convert(std::string(cell)); };
  auto convertStep = [&](Step& step) {
    for (Change& change : step.Changes) {
      std::visit(
          [&](auto& c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, CellEdit>) {
              c.Before = convert(c.Before);
              c.After = convert(c.After);
            } else if constexpr (std::is_same_v<T, RowDelete>) {
              convertRow(c.Cells);
            } else if constexpr (std::is_same_v<T, RowCopy>) {
              convertRow(c.Before);
            } else if constexpr (std::is_same_v<T, RowCount>) {
              c.Dropped.Convert(convertView);
            } else if constexpr (std::is_same_v<T, RowsAppend>) {
              c.Rows.Convert(convertView);
            }
          },
          change);
    }
    // The sizes change with the encoding; keep the bound honest.
    std::size_t bytes = 0;
    for (const Change& change : step.Changes) bytes += SizeOf(change);
    step.Bytes = bytes;
  };
  bytes_ = 0;
  for (Step& step : undo_) {
    convertStep(step);
    bytes_ += step.Bytes;
  }
  for (Step& step : redo_) {
    convertStep(step);
    bytes_ += step.Bytes;
  }
  convertStep(open_);
  Trim();
}

}  // namespace taskwell
