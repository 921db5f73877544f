#pragma once

#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "list/ToDoList.h"
#include "support/ListTestAccess.h"

namespace taskwell::testing {

struct ExchangeResult {
  // Entry p: the index of the key that ends at position p.
  std::vector<int> Order;
  // Where the cursor ends, given where it started (positions from 0; -1 for none).
  int Cursor = -1;
  bool Changed = false;
};

// The exchange sort in its original quadratic form, the oracle for the fast one: each key in
// turn is compared with every key above it, top down, and exchanged whenever it is smaller; the
// cursor follows each exchange.
inline ExchangeResult ReferenceExchangeSort(std::vector<std::string> keys, int cursor = -1) {
  ExchangeResult result;
  result.Order.resize(keys.size());
  std::iota(result.Order.begin(), result.Order.end(), 0);
  const int count = static_cast<int>(keys.size());
  for (int i = 1; i < count; ++i) {
    for (int j = 0; j < i; ++j) {
      const auto ui = static_cast<std::size_t>(i);
      const auto uj = static_cast<std::size_t>(j);
      if (keys[ui] < keys[uj]) {
        if (cursor == i) {
          cursor = j;
        } else if (cursor == j) {
          cursor = i;
        }
        std::swap(keys[ui], keys[uj]);
        std::swap(result.Order[ui], result.Order[uj]);
        result.Changed = true;
      }
    }
  }
  result.Cursor = cursor;
  return result;
}

// The whole sort routine done the original way on the list's own grid: a key column and a spare
// row are added, whole rows are exchanged through the spare row, then both are removed. Returns
// whether rows moved, and leaves PendingRow as the original routine would.
inline bool ReferenceSortTable(ToDoList& list) {
  if (list.Sorting().SkipNext) {
    ListTestAccess::SetSkipNextSort(list, false);
    return false;
  }
  TaskTable& grid = ListTestAccess::Table(list);
  const int n = grid.RowCount();
  const int c = grid.ColCount();
  int cur = grid.Row();
  bool changed = false;
  grid.SetRowCount(n + 1);
  grid.SetColCount(c + 1);
  for (int r = 1; r < n; ++r) grid.SetCell(c, r, ListTestAccess::BuildSortKey(list, r));
  for (int i = 2; i < n; ++i) {
    for (int j = 1; j < i; ++j) {
      if (grid.Cell(c, i) < grid.Cell(c, j)) {
        if (cur == i) {
          cur = j;
        } else if (cur == j) {
          cur = i;
        }
        grid.CopyRow(i, n);
        grid.CopyRow(j, i);
        grid.CopyRow(n, j);
        changed = true;
      }
    }
  }
  for (int col = 0; col <= c; ++col) grid.SetCell(col, n, "");
  for (int r = 0; r <= n; ++r) grid.SetCell(c, r, "");
  grid.SetRowCount(n);
  grid.SetColCount(c);
  if (changed && list.Sorting().FollowSortedRow) ListTestAccess::SetPendingRow(list, cur);
  return changed;
}

}  // namespace taskwell::testing
