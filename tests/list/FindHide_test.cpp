#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell::testing {
namespace {

struct FindCase {
  const char* Name;
  int StartCol;
  int StartRow;
  std::string Text;
  int Col;  // where the cursor ends
  int Row;
};

TEST(FindButtonClick, StepsThroughMatchesAndWrapsAround) {
  const std::vector<std::vector<std::string>> table = {
      {"06/10/2026", "Wed", "", "Apple Pie"},  // 1
      {"", "pie", "pie", "bread"},             // 2: only the description is searched
      {"", "", "", "cherrypie  tart"},         // 3
      {"", "", "", " PIE"},                    // 4
      {"", "", "", "caf\xc3\xa9"},             // 5
  };
  const std::vector<FindCase> cases = {
      {"same task, into its description", 0, 1, "pie", kDesc, 1},
      {"from the description to the next match", kDesc, 1, "pie", kDesc, 3},
      {"past the last task back to the first", kDesc, 4, "pie", kDesc, 1},
      {"wraps over the current row", kDesc, 3, "apple", kDesc, 1},
      {"only the current task matches", kDesc, 1, "apple", kDesc, 1},
      {"no match leaves the cursor", 2, 2, "plum", 2, 2},
      {"empty text leaves the cursor", 0, 2, "", 0, 2},
      {"a leading blank must match too", 0, 2, " pie", kDesc, 4},
      {"blanks only match as many blanks", 0, 1, "  ", kDesc, 3},
      {"dates and priorities are not searched", 0, 1, "06/10", 0, 1},
      {"only a to z are folded", 0, 1, "CAF\xc3\x89", 0, 1},
      {"a to z fold both ways", 0, 1, "CAF\xc3\xa9", kDesc, 5},
  };
  for (const auto& c : cases) {
    ListFixture f;
    f.SetRows(table);
    f.List.MoveCursor(c.StartCol, c.StartRow);
    f.List.FindButtonClick(c.Text);
    EXPECT_EQ(f.List.Table().Row(), c.Row) << c.Name;
    EXPECT_EQ(f.List.Table().Col(), c.Col) << c.Name;
    EXPECT_EQ(f.Ui.FocusCount, 1) << c.Name;
    EXPECT_TRUE(f.Ui.Messages.empty()) << c.Name;
  }
}

TEST(FindButtonClick, CommitsTheCellBeingLeftAndRecordsTheFoundCell) {
  ListFixture f;
  f.SetRows({{"", "", "", "x"}, {"", "", "", "y"}, {"", "", "", "find me"}});
  f.List.MoveCursor(2, f.List.Table().Row());
  f.List.TypeInCell(2, 1, " 5 ");
  f.List.FindButtonClick("FIND");
  EXPECT_EQ(f.List.Table().Cell(2, 1), "5");
  EXPECT_EQ(f.List.Edit().Row, 3);
  EXPECT_EQ(f.List.Edit().Col, kDesc);
  EXPECT_EQ(f.List.Edit().OldText, "find me");
}

TEST(FindButtonClick, FailedCommitStopsTheSearchWhereItIs) {
  ListFixture f;
  f.SetRows({{"", "", "", "x"}, {"", "", "", "find me"}});
  f.List.TypeInCell(0, 1, "13/45/2026");
  EXPECT_FALSE(f.List.Guarded([&] { f.List.FindButtonClick("find"); }));
  EXPECT_EQ(f.Ui.Errors.size(), 1U);
  EXPECT_EQ(f.List.Table().Row(), 1);
  EXPECT_EQ(f.List.Table().Col(), 0);
}

TEST(FindButtonClick, WithAutoSortTheMoveLandsOnTheRowIndexFound) {
  ListFixture f;
  f.SetRows({{"06/11/2026", "Thu", "", "x"},
             {"06/12/2026", "Fri", "", "y"},
             {"06/13/2026", "Sat", "", "z"}});
  ListTestAccess::SetAutoSort(f.List, true);
  f.List.TypeInCell(0, 1, "20");  // task x moves to the end when committed
  f.List.FindButtonClick("z");
  EXPECT_EQ(f.Column(kDesc), (Cells{"y", "z", "x"}));
  EXPECT_EQ(f.List.Table().Row(), 3);
  EXPECT_EQ(f.List.Table().Col(), kDesc);
}

TEST(HideButtonClick, CyclesThreeCaptionsAndLeavesTheTable) {
  struct State {
    bool Sel;
    bool UnSel;
    std::string Caption;
  };
  const std::vector<State> cycle = {
      {true, false, "&Hide UnSel"}, {false, true, "&Hide None"}, {false, false, "&Hide Sel"}};
  ListFixture f;
  f.SetRows({{"", "", "", "x"}});
  EXPECT_EQ(f.List.Buttons().HideCaption, "&Hide Sel");
  for (int round = 0; round < 2; ++round) {
    for (const auto& state : cycle) {
      f.List.HideButtonClick();
      EXPECT_EQ(f.List.Hide().Sel, state.Sel);
      EXPECT_EQ(f.List.Hide().UnSel, state.UnSel);
      EXPECT_EQ(f.List.Buttons().HideCaption, state.Caption);
    }
  }
  EXPECT_EQ(f.RowCells(1), (Cells{"", "", "", "x"}));
  EXPECT_EQ(f.List.Table().RowCount(), 2);
}

}  // namespace
}  // namespace taskwell::testing
