#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell::testing {
namespace {

// --- Escape.

TEST(GridKeyUp, EscapePutsBackTheTextTheCellHadOnArrival) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "", "x"}, {"", "", "", "y"}});
  f.List.Table().SetCell(0, 1, "07/0");
  f.List.GridKeyUp(kEscapeKey);
  EXPECT_EQ(f.List.Table().Cell(0, 1), "06/10/2026");
  // Moving on commits nothing: the text equals what it was.
  f.List.Table().SelectCell(0, 2);
  EXPECT_EQ(f.RowCells(1), (Cells{"06/10/2026", "Wed", "", "x"}));
}

TEST(GridKeyUp, OtherKeysAndUntouchedCellsChangeNothing) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "", "x"}});
  f.List.GridKeyUp(kEscapeKey);
  EXPECT_EQ(f.RowCells(1), (Cells{"06/10/2026", "Wed", "", "x"}));
  f.List.Table().SetCell(0, 1, "7");
  for (int key : {13, 9, 37, 113, 0}) f.List.GridKeyUp(key);
  EXPECT_EQ(f.List.Table().Cell(0, 1), "7");
}

TEST(GridKeyUp, EscapeNeverWritesTheHeaderOrAVanishedRow) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "", "x"}});
  for (int row : {0, 5}) {
    ListTestAccess::SetEditRow(f.List, row);
    ListTestAccess::SetEditOldText(f.List, "junk");
    f.List.GridKeyUp(kEscapeKey);
  }
  EXPECT_EQ(f.RowCells(0), (Cells{"Date ", "Pri  ", "SubP ", "Description "}));
  EXPECT_EQ(f.List.Table().RowCount(), 2);
}

// --- Header presses.

struct HeaderCase {
  int Col;
  int Row;
  int SortMode;  // 0: no sort
};

TEST(GridMouseDown, HeaderCellsChooseTheSortAndOtherPlacesDoNothing) {
  // Task "b" is due first, task "a" second: by date b, a; by description a, b.
  const std::vector<HeaderCase> cases = {
      {0, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1},
      {4, 0, 2}, {4, 1, 0}, {0, 2, 0}, {-1, -1, 0},  // a task cell; outside all cells
  };
  for (const auto& c : cases) {
    ListFixture f;
    f.SetRows({{"06/12/2026", "Fri", "", "1", "a"}, {"06/11/2026", "Thu", "", "2", "b"}}, true);
    ListTestAccess::SetSortMode(f.List, 3);
    f.List.GridMouseDown(c.Col, c.Row);
    const Cells expected = c.SortMode == 2   ? Cells{"a", "b"}
                           : c.SortMode == 1 ? Cells{"b", "a"}
                                             : Cells{"a", "b"};
    EXPECT_EQ(f.Column(4), expected) << c.Col << "," << c.Row;
    EXPECT_EQ(static_cast<int>(f.List.SortMode()), c.SortMode == 0 ? 3 : c.SortMode)
        << c.Col << "," << c.Row;
  }
}

TEST(GridMouseDown, IgnoredWhileCommittingOrWithAutoSort) {
  for (const bool committing : {true, false}) {
    ListFixture f;
    f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}});
    if (committing) {
      f.List.DetachSelectHandler();
    } else {
      ListTestAccess::SetAutoSort(f.List, true);
    }
    f.List.GridMouseDown(f.List.DescCol(), 0);
    EXPECT_EQ(f.Column(3), (Cells{"b", "a"}));
    EXPECT_EQ(static_cast<int>(f.List.SortMode()), 1);
  }
}

TEST(GridMouseDown, SortsTheTypedTextWithoutCommittingIt) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "c"}});
  f.List.Table().SetCol(3);
  f.List.Table().SetCell(3, 1, "z\tz");
  f.List.GridMouseDown(3, 0);
  EXPECT_EQ(f.Column(3), (Cells{"c", "z\tz"}));
}

TEST(GridMouseDown, DoubleClickOnAHeaderSortsOnceAndOpensTheCurrentTask) {
  ListFixture f;
  f.SetRows({{"", "", "", "b http://b.example"}, {"", "", "", "a"}});
  f.List.GridMouseDown(3, 0);
  f.List.Table().CellPainted();  // the cursor follows task b to row 2
  f.List.GridDblClick();
  f.List.GridMouseDown(3, 0);
  EXPECT_EQ(f.Column(3), (Cells{"a", "b http://b.example"}));
  EXPECT_FALSE(f.List.Table().HasDrawHook());  // the second sort moved nothing
  EXPECT_EQ(f.Ui.Opened, (Cells{"http://b.example"}));
}

// --- Double click.

TEST(GridDblClick, OpensTheAddressOrTheFirstWord) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"see http://example.com/a?b=1 today", "http://example.com/a?b=1"},
      {"https://example.com/x", "https://example.com/x"},
      {"report.pdf check figures", "report.pdf"},
      {"see HTTP://EXAMPLE.COM now", "see"},
      {"/home/u/notes.txt", "/home/u/notes.txt"},
      {"xhttpy rest", "httpy"},
      {"", ""},
      {" leading blank", ""},
      {"a\thttp://tab.example b", "http://tab.example"},
  };
  for (const auto& [description, opened] : cases) {
    ListFixture f;
    f.SetRows({{"", "", "", "other"}, {"", "", "", description}});
    f.List.Table().SetRow(2);
    f.List.GridDblClick();
    EXPECT_EQ(f.Ui.Opened, (Cells{opened})) << description;
  }
}

TEST(GridDblClick, UsesTheDescriptionColumnBesideAProject) {
  ListFixture f;
  f.SetRows({{"", "", "", "42", "plan.odt later"}}, true);
  f.List.GridDblClick();
  EXPECT_EQ(f.Ui.Opened, (Cells{"plan.odt"}));
}

}  // namespace
}  // namespace taskwell::testing
