#include "list/ToDoList.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::Cells;
using testing::DataFile;
using testing::kDesc;
using testing::ListFixture;
using testing::TempDir;
using testing::WriteBytes;

// The fixture's text width is 8 pixels a byte and its grid 800 pixels wide.
constexpr int kDateWidth = 11 * 8;  // "99/99/9999 "
constexpr int kPriWidth = 5 * 8;    // "Pri  "
constexpr int kSubPWidth = 5 * 8;   // "SubP "
constexpr int kProjWidth = 5 * 8;   // "Proj "
constexpr int kDescWidth = 800 - kDateWidth - kPriWidth - kSubPWidth - 30;

TEST(InitTaskTable, WithoutAFileTheTableHasOneBlankRow) {
  ListFixture f;  // its task file does not exist
  const ToDoList& list = f.List;
  EXPECT_TRUE(f.Ui.Errors.empty());
  EXPECT_EQ(f.RowCells(0), (Cells{"Date ", "Pri  ", "SubP ", "Description "}));
  EXPECT_EQ(list.Table().RowCount(), 2);
  EXPECT_EQ(f.RowCells(1), (Cells{"", "", "", ""}));
  EXPECT_EQ(list.Table().ColCount(), 4);
  EXPECT_EQ(list.Layout().DescCol(), 3);
  EXPECT_FALSE(list.Layout().HasProjCol());
  EXPECT_EQ(list.Table().Row(), 1);
  EXPECT_EQ(list.Table().Col(), 0);
  EXPECT_EQ(list.Table().FixedRows(), 1);
  EXPECT_TRUE(list.Table().HasSelectHandler());
  EXPECT_EQ(list.Edit().OldText, "");
  EXPECT_EQ(list.Table().ColWidth(0), kDateWidth);
  EXPECT_EQ(list.Table().ColWidth(1), kPriWidth);
  EXPECT_EQ(list.Table().ColWidth(2), kSubPWidth);
  EXPECT_EQ(list.Table().ColWidth(3), kDescWidth);
}

TEST(InitTaskTable, ProjectColumnNarrowsTheDescription) {
  TempDir dir;
  ListFixture f;
  ListTestAccess::SetTaskFileName(f.List, dir.Path("p.todo"));
  WriteBytes(f.List.File().Name(), DataFile("taskfile_project_header.todo"));
  ListTestAccess::InitTaskTable(f.List);
  const ToDoList& list = f.List;
  EXPECT_EQ(list.Table().ColCount(), 5);
  EXPECT_EQ(f.RowCells(0), (Cells{"Date ", "Pri  ", "SubP ", "Proj ", "Description "}));
  EXPECT_EQ(list.Table().ColWidth(3), kProjWidth);
  EXPECT_EQ(list.Table().ColWidth(4), kDescWidth - kProjWidth);
  EXPECT_EQ(list.Edit().OldText, "07/06/2009");
  EXPECT_EQ(list.Table().Row(), 1);
  EXPECT_EQ(list.Table().Col(), 0);
}

TEST(FitDescriptionWidth, DescriptionTakesWhatTheOtherColumnsLeave) {
  ListFixture f;
  f.List.Geometry().SetColumnWidth(0, kDateWidth + 50);  // dragged wider by the user
  f.Ui.Width = 1000;
  f.List.Geometry().FitDescriptionWidth(f.List.Layout());
  EXPECT_EQ(f.List.Table().ColWidth(3), kDescWidth + 200 - 50);
  EXPECT_EQ(f.List.Table().ColWidth(0), kDateWidth + 50);
  // A window narrower than the fixed columns still leaves a usable Description column.
  f.Ui.Width = 100;
  f.List.Geometry().FitDescriptionWidth(f.List.Layout());
  EXPECT_GT(f.List.Table().ColWidth(3), 0);
}

TEST(InsertTaskRow, BlankRowTakesTheCursorRow) {
  struct Case {
    int CursorRow;
    int CursorCol;
    std::vector<std::string> Descriptions;
  };
  const std::vector<Case> cases = {
      {3, 0, {"t1", "t2", "", "t3", "t4", "t5"}},
      {3, 2, {"t1", "t2", "", "t3", "t4", "t5"}},
      {5, 0, {"t1", "t2", "t3", "t4", "", "t5"}},  // never appended after the last row
      {1, 3, {"", "t1", "t2", "t3", "t4", "t5"}},
  };
  for (const Case& c : cases) {
    ListFixture f;
    f.SetRows({{"07/06/2009", "Mon", "1", "t1"},
               {"", "2", "", "t2"},
               {"07/08/2009", "Wed", "3", "t3"},
               {"", "4", "4", "t4"},
               {"", "", "", "t5"}});
    ListTestAccess::DetachSelectHandler(f.List);
    f.List.MoveCursor(c.CursorCol, c.CursorRow);
    // Stand in for the commit: note what the selection event sees.
    std::vector<std::pair<int, int>> targets;
    bool skipDuringEvent = false;
    ListTestAccess::Table(f.List).SetSelectHandler([&](int col, int row) {
      targets.emplace_back(col, row);
      skipDuringEvent = f.List.Sorting().SkipNext;
    });
    f.List.AddButtonClick();
    EXPECT_EQ(f.Descriptions(), c.Descriptions) << c.CursorRow << "," << c.CursorCol;
    EXPECT_EQ(f.RowCells(c.CursorRow), (Cells{"", "", "", ""}));
    EXPECT_EQ(f.List.Table().Row(), c.CursorRow);
    EXPECT_EQ(f.List.Table().Col(), 0);
    EXPECT_TRUE(f.List.Sorting().SkipNext);
    EXPECT_EQ(f.Ui.FocusCount, 1);
    if (c.CursorCol == 0) {
      EXPECT_TRUE(targets.empty());
    } else {
      EXPECT_EQ(targets, (std::vector<std::pair<int, int>>{{0, c.CursorRow}}));
      EXPECT_TRUE(skipDuringEvent) << "a sort started by the commit must leave the blank row";
    }
  }
}

TEST(InsertTaskRow, RowBelowKeepsEveryCellOfTheMovedTask) {
  ListFixture f;
  f.SetRows({{"", "9", "8", "7", "with project"}, {"01/02/2026", "Fri", "", "", "last"}}, true);
  ListTestAccess::InsertTaskRow(f.List);
  EXPECT_EQ(f.Rows(), (std::vector<Cells>{{"", "", "", "", ""},
                                          {"", "9", "8", "7", "with project"},
                                          {"01/02/2026", "Fri", "", "", "last"}}));
}

// The grid's editor writes through the list alone; a character the single-byte table lacks turns
// the whole table to UTF-8 first, and undo takes the typing back like any other change.
TEST(TypeInCell, IsTheOneWayTypingWritesTheTable) {
  static_assert(std::is_same_v<decltype(std::declval<ToDoList&>().Table()), const TaskTable&>,
                "the table is handed out read-only");
  ListFixture f;
  f.SetRows({{"", "1", "", "Caf\xE9"}, {"", "2", "", "tea"}});
  ListTestAccess::SetTextIsUtf8(f.List, false);
  ListTestAccess::SetSingleByteFile(f.List, true);
  ASSERT_TRUE(f.Move(kDesc, 2));
  f.List.TypeInCell(kDesc, 2, "t\xE9");
  EXPECT_FALSE(f.List.File().TextIsUtf8());
  f.List.TypeInCell(kDesc, 2, "t\xC3\xA9 \xE2\x86\x92", true);
  EXPECT_TRUE(f.List.File().TextIsUtf8());
  EXPECT_EQ(f.Descriptions(), (Cells{"Caf\xC3\xA9", "t\xC3\xA9 \xE2\x86\x92"}));
  EXPECT_EQ(f.List.Edit().OldText, "tea");
  ASSERT_TRUE(f.Move(0, 1));
  f.List.Undo();
  EXPECT_EQ(f.Descriptions(), (Cells{"Caf\xC3\xA9", "tea"}));
}

}  // namespace
}  // namespace taskwell
