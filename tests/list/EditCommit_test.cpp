#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell::testing {
namespace {

// The user moves to a cell of task 1, types over it and leaves the cell.
struct CommitCase {
  const char* Name;
  Cells Before;  // date, pri, subpri, [proj,] description
  int Col;
  std::string Typed;
  Cells After;
  bool Project = false;
};

TEST(CommitCellEdit, NormalisesByColumnOn10June2026) {
  const std::vector<CommitCase> cases = {
      {"untouched cell is not written", {"", "", " 7 ", "x"}, kSub, " 7 ", {"", "", " 7 ", "x"}},
      {"day number completes the date and replaces a priority",
       {"", "3", "", "x"},
       kDate,
       "5",
       {"06/05/2026", "Fri", "", "x"}},
      {"day and month name", {"", "", "", "x"}, kDate, "15 Jan", {"01/15/2026", "Thu", "", "x"}},
      {"month and day", {"", "", "", "x"}, kDate, "7/4", {"07/04/2026", "Sat", "", "x"}},
      {"a priority typed on a dated task gives back the weekday",
       {"06/10/2026", "Wed", "", "x"},
       kPri,
       "7",
       {"06/10/2026", "Wed", "", "x"}},
      {"a date cell that reads as no date leaves the task undated",
       {"13/45/2026", "", "", "x"},
       kPri,
       "7",
       {"13/45/2026", "7", "", "x"}},
      {"a date cell of blanks is no date", {"  ", "", "", "x"}, kPri, "7", {"  ", "7", "", "x"}},
      {"priority of an undated task is trimmed",
       {"", "", "", "x"},
       kPri,
       " 3 ",
       {"", "3", "", "x"}},
      {"sub-priority is trimmed", {"", "", "", "x"}, kSub, "\t9 ", {"", "", "9", "x"}},
      {"deleting a date clears its weekday",
       {"06/10/2026", "Wed", "", "x"},
       kDate,
       "",
       {"", "", "", "x"}},
      {"blanks over no date keep a real priority",
       {"", "4", "", "x"},
       kDate,
       "  ",
       {"", "4", "", "x"}},
      {"blanks over no date clear priority 0", {"", "0", "", "x"}, kDate, "  ", {"", "", "", "x"}},
      {"blanks over no date clear a weekday name",
       {"", "Mon", "", "x"},
       kDate,
       "  ",
       {"", "", "", "x"}},
      {"line break in a description",
       {"", "", "", "x"},
       3,
       "first\r\nsecond",
       {"", "", "", "first, second"}},
      {"every control run becomes one comma, blanks kept",
       {"", "", "", "x"},
       3,
       " \ta\tb \x01\x02 c\r\n",
       {"", "", "", "a, b ,  c"}},
      {"a description of blanks is left as typed",
       {"", "", "", "x"},
       3,
       "   ",
       {"", "", "", "   "}},
      {"project number is trimmed",
       {"", "", "", "1", "x"},
       3,
       " 12 ",
       {"", "", "", "12", "x"},
       true},
      {"description beside a project column",
       {"", "", "", "1", "x"},
       4,
       "a\nb",
       {"", "", "", "1", "a, b"},
       true},
  };
  for (const auto& c : cases) {
    ListFixture f;
    f.SetRows({c.Before, {"", "", "", "other"}}, c.Project);
    f.Type(c.Col, c.Typed);
    f.List.MoveCursor(c.Col, 2);
    EXPECT_EQ(f.RowCells(1), c.After) << c.Name;
    EXPECT_TRUE(f.Ui.Errors.empty()) << c.Name;
  }
}

TEST(CommitCellEdit, RejectedMonthAndDayShowsTheMessageAndKeepsTheText) {
  ListFixture f;
  f.SetRows({{"", "2", "", "x"}});
  f.Type(kDate, "2/30");
  EXPECT_FALSE(f.List.Guarded([&] { f.List.GridExit(); }));
  EXPECT_EQ(f.Ui.Messages, (std::vector<FakePlatform::Message>{{"Error", "Invalid Date - 2/30"}}));
  EXPECT_TRUE(f.Ui.Errors.empty());
  EXPECT_EQ(f.RowCells(1), (Cells{"2/30", "2", "", "x"}));
}

struct FailureCase {
  std::string Typed;
  std::string Report;
};

TEST(CommitCellEdit, ConversionFailureStopsTheMoveAndTheGridKeepsWorking) {
  const std::vector<FailureCase> cases = {
      {"13/45/2026", "'13/45/2026' is not a valid date."},
      {"31", "Invalid argument to date encode."},
      {"-5", "Range check error."},
  };
  for (const auto& c : cases) {
    ListFixture f;
    f.SetRows({{"", "3", "", "x"}, {"", "", "", "y"}});
    f.Type(kDate, c.Typed);
    EXPECT_FALSE(f.Move(2, 2)) << c.Typed;
    ASSERT_EQ(f.Ui.Errors.size(), 1U) << c.Typed;
    EXPECT_EQ(f.Ui.Errors[0].Text, c.Report);
    EXPECT_EQ(f.Ui.Errors[0].Caption, "List");
    // The cursor stays on the cell, with the typed text and the priority untouched.
    EXPECT_EQ(f.List.Table().Row(), 1);
    EXPECT_EQ(f.List.Table().Col(), kDate);
    EXPECT_EQ(f.RowCells(1), (Cells{c.Typed, "3", "", "x"}));
    EXPECT_EQ(f.List.Edit().Row, 1);
    EXPECT_TRUE(f.List.Table().HasSelectHandler());
    EXPECT_TRUE(f.List.Sorting().FollowSortedRow);
    // The next move looks at the same cell again, and a correction goes through.
    EXPECT_FALSE(f.Move(2, 2));
    f.List.TypeInCell(kDate, 1, "7/4");
    EXPECT_TRUE(f.Move(2, 2));
    EXPECT_EQ(f.RowCells(1), (Cells{"07/04/2026", "Sat", "", "x"}));
    EXPECT_EQ(f.List.Table().Row(), 2);
  }
}

TEST(CommitCellEdit, FailureOnLeavingTheGridReattachesTheHandler) {
  ListFixture f;
  f.SetRows({{"", "", "", "x"}, {"", "", "", "y"}});
  f.Type(kDate, "13/45/2026");
  EXPECT_FALSE(f.List.Guarded([&] { f.List.GridExit(); }));
  EXPECT_TRUE(f.List.Table().HasSelectHandler());
  EXPECT_EQ(f.List.Edit().Row, 1);
}

TEST(CommitCellEdit, LeavingTheGridCommitsWithoutMovingTheEditPosition) {
  ListFixture f;
  f.SetRows({{"", "", "", "x"}});
  f.Type(kSub, " 4 ");
  f.List.GridExit();
  EXPECT_EQ(f.List.Table().Cell(kSub, 1), "4");
  EXPECT_EQ(f.List.Edit().Col, kSub);
  // What the commit wrote is no pending edit: a second exit has nothing to do.
  EXPECT_EQ(f.List.Edit().OldText, "4");
  EXPECT_TRUE(f.List.Table().HasSelectHandler());
}

TEST(CommitCellEdit, LeavingTheGridDuringACommitStartsNoSecondOne) {
  // A commit's own message box takes the focus while the handler is detached.
  ListFixture f;
  f.SetRows({{"", "", "", "x"}});
  f.Type(kDate, "2/30");
  ListTestAccess::DetachSelectHandler(f.List);
  f.List.GridExit();
  EXPECT_TRUE(f.Ui.Messages.empty());
  EXPECT_FALSE(f.List.Table().HasSelectHandler());
}

TEST(CommitCellEdit, SortsOnlyWhenSomethingChangedAndAutoSortIsOn) {
  const Cells a{"06/20/2026", "Sat", "", "a"};
  const Cells b{"06/10/2026", "Wed", "", "b"};
  struct Case {
    bool AutoSort;
    std::string Typed;
    std::vector<Cells> After;
  };
  const std::vector<Case> cases = {
      {true, "a", {a, b}},  // unchanged text: no sort even with AutoSort
      {true, "a2", {b, {"06/20/2026", "Sat", "", "a2"}}},
      {false, "a2", {{"06/20/2026", "Sat", "", "a2"}, b}},
  };
  for (const auto& c : cases) {
    ListFixture f;
    f.SetRows({a, b});
    ListTestAccess::SetAutoSort(f.List, c.AutoSort);
    f.Type(kDesc, c.Typed);
    f.List.GridExit();
    EXPECT_EQ(f.RowCells(1), c.After[0]) << c.Typed << c.AutoSort;
    EXPECT_EQ(f.RowCells(2), c.After[1]) << c.Typed << c.AutoSort;
  }
}

// Task a on row 1 gets a later date and AutoSort moves it to row 3.
struct AutoSortMove {
  ListFixture F;
  AutoSortMove() {
    F.SetRows({{"06/01/2026", "Mon", "", "a"},
               {"06/10/2026", "Wed", "", "b"},
               {"06/15/2026", "Mon", "", "c"}});
    ListTestAccess::SetAutoSort(F.List, true);
    F.Type(kDate, "20");
  }
};

TEST(CommitThenSort, MovingAlongTheRowFollowsTheTask) {
  AutoSortMove m;
  ToDoList& list = m.F.List;
  list.MoveCursor(kPri, 1);  // Tab
  EXPECT_EQ(m.F.Column(3), (Cells{"b", "c", "a"}));
  EXPECT_EQ(list.Table().Row(), 1);  // the move lands first on the row index it aimed at
  EXPECT_EQ(list.Sorting().PendingRow, 3);
  EXPECT_TRUE(list.Sorting().FollowSortedRow);
  list.CellPainted();
  EXPECT_EQ(list.Table().Row(), 3);
  EXPECT_EQ(list.Table().Col(), kPri);
  // The edit position is the cell the cursor is in, so Escape and the next commit act on task a.
  EXPECT_EQ(list.Edit().Row, 3);
  EXPECT_EQ(list.Edit().Col, kPri);
  EXPECT_EQ(list.Edit().OldText, "Sat");
  list.TypeInCell(kPri, 3, "9");
  list.GridKeyUp(kEscapeKey);
  EXPECT_EQ(m.F.RowCells(3), (Cells{"06/20/2026", "Sat", "", "a"}));
  EXPECT_EQ(m.F.RowCells(1), (Cells{"06/10/2026", "Wed", "", "b"}));
}

TEST(CommitThenSort, MovingToAnotherRowLandsOnThatRowIndex) {
  AutoSortMove m;
  ToDoList& list = m.F.List;
  list.MoveCursor(kDate, 2);  // arrow down
  EXPECT_EQ(m.F.Column(3), (Cells{"b", "c", "a"}));
  EXPECT_EQ(list.Sorting().PendingRow, 0);
  EXPECT_TRUE(list.Sorting().FollowSortedRow);
  list.CellPainted();
  EXPECT_EQ(list.Table().Row(), 2);
  EXPECT_EQ(list.Edit().Row, 2);
  EXPECT_EQ(list.Edit().OldText, "06/15/2026");  // read after the sort: task c's date
}

TEST(CommitThenSort, EditInterruptedByAHeaderSortIsCommittedOnItsOwnTask) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "4", "", "a"}});
  f.Type(kDate, "7/4");  // typed into task b, then the header is clicked
  f.List.GridMouseDown(f.List.Layout().DescCol(), 0);
  EXPECT_EQ(f.Column(3), (Cells{"a", "b"}));
  f.List.CellPainted();
  ASSERT_EQ(f.List.Table().Row(), 2);
  f.List.MoveCursor(3, 2);
  EXPECT_EQ(f.RowCells(2), (Cells{"07/04/2026", "Sat", "", "b"}));
  EXPECT_EQ(f.RowCells(1), (Cells{"", "4", "", "a"}));
}

}  // namespace
}  // namespace taskwell::testing
