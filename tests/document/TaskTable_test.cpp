#include "document/TaskTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace taskwell {
namespace {

// A table of `cols` x `rows` whose cells say where they are, such as "2,3".
TaskTable Labelled(int cols, int rows) {
  TaskTable table;
  table.SetColCount(cols);
  table.SetRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) table.SetCell(c, r, std::to_string(c) + "," + std::to_string(r));
  }
  return table;
}

std::vector<std::string> RowTexts(const TaskTable& table, int row) {
  std::vector<std::string> texts;
  for (int c = 0; c < table.ColCount(); ++c) texts.emplace_back(table.Cell(c, row));
  return texts;
}

TEST(TableCounts, GrowingAddsEmptyCellsAndShrinkingDropsTexts) {
  TaskTable table = Labelled(4, 3);
  table.SetRowCount(5);
  table.SetColCount(5);
  EXPECT_EQ(table.RowCount(), 5);
  EXPECT_EQ(table.ColCount(), 5);
  EXPECT_EQ(table.Cell(3, 2), "3,2");
  EXPECT_EQ(table.Cell(4, 0), "");
  EXPECT_EQ(table.Cell(0, 4), "");

  table.SetRowCount(2);
  table.SetColCount(3);
  table.SetRowCount(3);
  table.SetColCount(4);
  EXPECT_EQ(table.Cell(2, 1), "2,1");
  EXPECT_EQ(table.Cell(3, 1), "") << "a dropped column comes back empty";
  EXPECT_EQ(table.Cell(0, 2), "") << "a dropped row comes back empty";
}

TEST(TableCells, OutsideTheTableReadsEmptyAndCannotBeWritten) {
  TaskTable table = Labelled(4, 2);
  for (const auto& [col, row] :
       std::vector<std::pair<int, int>>{{-1, 0}, {4, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(table.Cell(col, row), "");
    EXPECT_THROW(table.SetCell(col, row, "x"), std::out_of_range);
  }
  // Cells are bytes: nothing is interpreted.
  const std::string bytes("a\0\xE9\"b", 5);
  table.SetCell(1, 1, bytes);
  EXPECT_EQ(table.Cell(1, 1), bytes);
}

TEST(TableRows, CopyInsertDeleteAndReorderMoveWholeRows) {
  TaskTable table = Labelled(3, 4);
  table.CopyRow(1, 3);
  EXPECT_EQ(RowTexts(table, 3), (std::vector<std::string>{"0,1", "1,1", "2,1"}));
  EXPECT_EQ(RowTexts(table, 1), (std::vector<std::string>{"0,1", "1,1", "2,1"}));

  table = Labelled(3, 4);
  table.InsertEmptyRow(2);
  EXPECT_EQ(table.RowCount(), 5);
  EXPECT_EQ(RowTexts(table, 2), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(table.Cell(0, 3), "0,2");
  EXPECT_EQ(table.Cell(0, 4), "0,3");
  table.InsertEmptyRow(5);  // after the last row
  EXPECT_EQ(table.RowCount(), 6);
  EXPECT_EQ(table.Cell(0, 5), "");

  table = Labelled(3, 4);
  table.DeleteRow(1);
  EXPECT_EQ(table.RowCount(), 3);
  EXPECT_EQ(table.Cell(0, 1), "0,2");

  table = Labelled(2, 4);
  table.ReorderRows({0, 3, 1, 2});
  EXPECT_EQ((std::vector<std::string_view>{table.Cell(1, 1), table.Cell(1, 2), table.Cell(1, 3)}),
            (std::vector<std::string_view>{"1,3", "1,1", "1,2"}));
}

TEST(TableRows, OutOfRangeRowOperationsFailWithoutDamage) {
  TaskTable table = Labelled(2, 3);
  EXPECT_THROW(table.InsertEmptyRow(4), std::out_of_range);
  EXPECT_THROW(table.InsertEmptyRow(-1), std::out_of_range);
  EXPECT_THROW(table.DeleteRow(3), std::out_of_range);
  EXPECT_THROW(table.DeleteRow(-1), std::out_of_range);
  EXPECT_THROW(table.CopyRow(0, 3), std::out_of_range);
  EXPECT_EQ(table.RowCount(), 3);
  EXPECT_EQ(table.Cell(1, 2), "1,2");
}

TEST(TableCursor, SelectionEventRunsBeforeTheMoveWithTheTarget) {
  TaskTable table = Labelled(4, 5);
  table.SelectCell(0, 1);
  std::vector<std::vector<int>> seen;  // target col, target row, cursor col, cursor row
  table.SetSelectHandler([&](int col, int row) {
    seen.push_back({col, row, table.Col(), table.Row()});
  });

  table.SelectCell(2, 3);
  table.SetRow(4);
  table.SetCol(0);
  table.SelectCell(0, 4);  // where it already is: no event
  EXPECT_EQ(seen, (std::vector<std::vector<int>>{{2, 3, 0, 1}, {2, 4, 2, 3}, {0, 4, 2, 4}}));
  EXPECT_EQ(table.Col(), 0);
  EXPECT_EQ(table.Row(), 4);
}

TEST(TableCursor, ThrowingHandlerStopsTheMove) {
  TaskTable table = Labelled(4, 5);
  table.SelectCell(1, 2);
  table.SetSelectHandler(
      [](int, int) { throw std::runtime_error("'13/45/2026' is not a valid date"); });
  EXPECT_THROW(table.SelectCell(0, 3), std::runtime_error);
  EXPECT_EQ(table.Col(), 1);
  EXPECT_EQ(table.Row(), 2);
  table.ClearSelectHandler();
  table.SelectCell(0, 3);
  EXPECT_EQ(table.Row(), 3);
}

TEST(TableCursor, ShrinkingMovesTheCursorWithoutAnEvent) {
  TaskTable table = Labelled(5, 6);
  table.SelectCell(4, 5);
  int events = 0;
  table.SetSelectHandler([&](int, int) { ++events; });
  table.SetRowCount(3);
  table.SetColCount(4);
  EXPECT_EQ(table.Row(), 2);
  EXPECT_EQ(table.Col(), 3);
  EXPECT_EQ(events, 0);
}

TEST(TablePaintHook, RunsOnceWhenItDetachesItself) {
  TaskTable table;
  int runs = 0;
  table.SetDrawHook([&] {
    ++runs;
    table.ClearDrawHook();
  });
  table.CellPainted();
  table.CellPainted();
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(table.HasDrawHook());
}

TEST(TableNotifications, UpdateBracketAnnouncesOnce) {
  TaskTable table = Labelled(4, 3);
  std::vector<std::vector<int>> told;
  table.AddChangeListener([&](TaskTable::Change change, int col, int row) {
    told.push_back({static_cast<int>(change), col, row});
  });
  table.SetCell(2, 1, "x");
  table.SetCell(2, 1, "x");  // unchanged: nothing to tell
  EXPECT_EQ(told,
            (std::vector<std::vector<int>>{{static_cast<int>(TaskTable::Change::Cell), 2, 1}}));

  told.clear();
  table.BeginUpdate();
  table.BeginUpdate();
  table.SetRowCount(100);
  for (int r = 0; r < 100; ++r) table.SetCell(0, r, "row");
  table.SetColWidth(0, 99);
  table.EndUpdate();
  EXPECT_TRUE(told.empty()) << "nested brackets wait for the outermost end";
  table.EndUpdate();
  EXPECT_EQ(told,
            (std::vector<std::vector<int>>{{static_cast<int>(TaskTable::Change::All), -1, -1}}));

  told.clear();
  table.BeginUpdate();
  table.EndUpdate();
  table.EndUpdate();  // unbalanced: ignored
  EXPECT_TRUE(told.empty());
}

// A short update is told change by change so a view keeps its place: the one change of shape
// first, with cells told before it moved to where their rows went; two shapes tell All.
TEST(TableNotifications, ShortUpdatesTellRowChanges) {
  using C = TaskTable::Change;
  const auto told = [](const std::function<void(TaskTable&)>& update) {
    TaskTable table = Labelled(4, 4);
    std::vector<std::vector<int>> notices;
    table.AddChangeListener([&](C change, int col, int row) {
      notices.push_back({static_cast<int>(change), col, row});
    });
    table.BeginUpdate();
    update(table);
    table.EndUpdate();
    return notices;
  };
  const auto n = [](C change, int col, int row) {
    return std::vector<int>{static_cast<int>(change), col, row};
  };
  EXPECT_EQ(told([](TaskTable& t) {
              t.InsertEmptyRow(1);
              t.SetCell(2, 1, "new");
            }),
            (std::vector<std::vector<int>>{n(C::RowInserted, -1, 1), n(C::Cell, 2, 1)}));
  EXPECT_EQ(told([](TaskTable& t) {
              t.SetCell(0, 1, "gone");
              t.SetCell(0, 3, "moves up");
              t.DeleteRow(1);
            }),
            (std::vector<std::vector<int>>{n(C::RowRemoved, -1, 1), n(C::Cell, 0, 2)}));
  EXPECT_EQ(told([](TaskTable& t) {
              t.SetCell(0, 1, "x");
              t.ReorderRows({0, 3, 1, 2});
            }),
            (std::vector<std::vector<int>>{n(C::RowsPermuted, -1, -1), n(C::Cell, 0, 2)}));
  EXPECT_EQ(told([](TaskTable& t) {
              t.DeleteRow(1);
              t.InsertEmptyRow(2);
            }),
            (std::vector<std::vector<int>>{n(C::All, -1, -1)}));
}

TEST(TableWidths, OnlyExistingColumnsHaveWidths) {
  TaskTable table = Labelled(4, 2);
  table.SetColWidth(3, 120);
  table.SetColWidth(7, 50);
  EXPECT_EQ(table.ColWidth(3), 120);
  EXPECT_EQ(table.ColWidth(7), 0);
  table.SetColCount(5);
  EXPECT_EQ(table.ColWidth(3), 120);
  EXPECT_GT(table.ColWidth(4), 0);
}

}  // namespace
}  // namespace taskwell
