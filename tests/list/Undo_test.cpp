#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "document/Text.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell::testing {
namespace {

using Grid = std::vector<std::vector<std::string>>;

// Every cell, the header included: what "byte-identical" means for the table.
Grid AllCells(const ToDoList& list) {
  Grid grid;
  const TaskTable& table = list.Table();
  for (int r = 0; r < table.RowCount(); ++r) {
    grid.emplace_back();
    for (int c = 0; c < table.ColCount(); ++c) grid.back().emplace_back(table.Cell(c, r));
  }
  return grid;
}

// Types into a cell and leaves it with Tab, as the grid does.
void TypeAndTab(ListFixture& f, int col, int row, const std::string& text) {
  f.List.MoveCursor(col, row);
  f.List.TypeInCell(col, row, text);
  f.List.MoveCursor((col + 1) % f.List.Table().ColCount(), row);
}

// The edit position is the cursor cell as it reads: nothing would be committed by accident.
void ExpectNothingPending(const ToDoList& list) {
  EXPECT_EQ(list.Edit().Row, list.Table().Row());
  EXPECT_EQ(list.Edit().Col, list.Table().Col());
  EXPECT_EQ(list.Edit().OldText, list.Table().Cell(list.Edit().Col, list.Edit().Row));
}

const Grid kTasks = {{"06/20/2026", "Sat", "", "zeta"},
                     {"", "2", "", "alpha"},
                     {"06/03/2026", "Wed", "1", ":weekly - gym"},
                     {"06/01/2026", "Mon", "", "beta"},
                     {"", "", "", "omega"}};

struct StepCase {
  const char* Name;
  bool AutoSort;
  std::function<void(ListFixture&)> Act;
  int CursorRow = 3;  // after the undo: where the cursor was, or the cell a commit changed
};

TEST(Undo, EachKindOfStepIsTakenBackAndMadeAgainExactly) {
  const std::vector<StepCase> cases = {
      {"typed date and Tab", false, [](ListFixture& f) { TypeAndTab(f, kDate, 3, "15 Jan"); }, 3},
      {"emptied date takes its weekday", false, [](ListFixture& f) { TypeAndTab(f, kDate, 1, ""); },
       1},
      {"commit that AutoSort sorts", true, [](ListFixture& f) { TypeAndTab(f, kDate, 5, "2"); }, 5},
      {"description with a line break", false,
       [](ListFixture& f) { TypeAndTab(f, 3, 2, " a\r\nb "); }, 2},
      {"Add", false, [](ListFixture& f) { f.List.AddButtonClick(); }},
      {"Replicate", false, [](ListFixture& f) { f.List.ReplicateButtonClick(); }},
      {"Delete", false, [](ListFixture& f) { f.List.DeleteButtonClick(); }},
      {"Delete of the last row", false,
       [](ListFixture& f) {
         f.List.MoveCursor(1, 5);
         f.List.DeleteButtonClick();
       },
       5},
      {"Increment", false, [](ListFixture& f) { f.List.IncrementButtonClick(); }},
      {"header click", false, [](ListFixture& f) { f.List.GridMouseDown(3, 0); }},
      {"Sort Now", false, [](ListFixture& f) { f.List.SortButtonClick(); }},
      {"sort order with AutoSort", true, [](ListFixture& f) { f.List.SortOrderButtonClick(); }},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ListFixture f;
    f.SetRows(kTasks);
    ListTestAccess::SetAutoSort(f.List, c.AutoSort);
    f.List.MoveCursor(1, 3);
    const Grid before = AllCells(f.List);
    const int sortMode = static_cast<int>(f.List.Sorting().Mode);

    c.Act(f);
    const Grid after = AllCells(f.List);
    ASSERT_NE(after, before);
    ASSERT_EQ(f.List.History().UndoSteps(), 1U);
    const int sortModeAfter = static_cast<int>(f.List.Sorting().Mode);

    f.List.Undo();
    EXPECT_EQ(AllCells(f.List), before);
    EXPECT_EQ(static_cast<int>(f.List.Sorting().Mode), sortMode);
    EXPECT_EQ(f.List.Buttons().SortOrderCaption, SortCaption(static_cast<SortOrder>(sortMode)));
    EXPECT_EQ(f.List.Table().Row(), c.CursorRow);
    EXPECT_TRUE(f.List.Table().HasSelectHandler());
    ExpectNothingPending(f.List);

    f.List.Redo();
    EXPECT_EQ(AllCells(f.List), after);
    EXPECT_EQ(static_cast<int>(f.List.Sorting().Mode), sortModeAfter);
    ExpectNothingPending(f.List);
    f.List.Undo();
    EXPECT_EQ(AllCells(f.List), before);
    EXPECT_TRUE(f.Ui.Messages.empty());
  }
}

TEST(Undo, CommitStepPutsTheCursorBackOnTheEditedCell) {
  ListFixture f;
  f.SetRows(kTasks);
  TypeAndTab(f, kDate, 3, "15 Jan");
  EXPECT_EQ(f.List.Table().Col(), kPri);
  f.List.Undo();
  EXPECT_EQ(f.List.Table().Row(), 3);
  EXPECT_EQ(f.List.Table().Col(), kDate);
  EXPECT_EQ(f.List.Edit().OldText, "06/03/2026");
}

TEST(Undo, CtrlZTakesBackTypedTextBeforeAnyStep) {
  ListFixture f;
  f.SetRows(kTasks);
  f.List.AddButtonClick();
  f.List.TypeInCell(f.List.Edit().Col, f.List.Edit().Row, "half typed");
  const std::size_t steps = f.List.History().UndoSteps();

  f.List.Undo();
  EXPECT_EQ(f.List.Table().Cell(f.List.Edit().Col, f.List.Edit().Row), f.List.Edit().OldText);
  EXPECT_EQ(f.List.History().UndoSteps(), steps);
  f.List.Undo();
  EXPECT_EQ(AllCells(f.List).size(), kTasks.size() + 1);
}

TEST(Undo, RefusedCommitLeavesNoStepAndCtrlZRestoresTheOldText) {
  ListFixture f;
  f.SetRows(kTasks);
  f.List.MoveCursor(kDate, 2);
  f.List.TypeInCell(kDate, 2, "no date");
  EXPECT_FALSE(f.List.Guarded([&] { f.List.MoveCursor(kPri, 2); }));
  EXPECT_EQ(f.Ui.Messages.size(), 1U);
  EXPECT_FALSE(f.List.History().CanUndo());
  f.List.Undo();
  EXPECT_EQ(f.List.Table().Cell(kDate, 2), "");
  EXPECT_EQ(AllCells(f.List).size(), kTasks.size() + 1);
}

TEST(Undo, SurvivesASaveAndTheListIsThenUnsaved) {
  TempDir dir;
  ListFixture f;
  f.SetRows(kTasks);
  ListTestAccess::SetTaskFileName(f.List, dir.Path("list.todo"));
  f.List.DeleteButtonClick();
  ASSERT_TRUE(f.List.SaveTaskFile());
  const std::string saved = ReadBytes(dir.Path("list.todo"));
  EXPECT_FALSE(f.List.Sync().HasUnsavedChanges());

  f.List.Undo();
  EXPECT_EQ(AllCells(f.List).size(), kTasks.size() + 1);
  EXPECT_TRUE(f.List.Sync().HasUnsavedChanges());
  EXPECT_EQ(ReadBytes(dir.Path("list.todo")), saved);
  f.List.Redo();
  EXPECT_FALSE(f.List.Sync().HasUnsavedChanges());
}

TEST(Undo, ANewChangeClearsTheRedoSteps) {
  ListFixture f;
  f.SetRows(kTasks);
  f.List.AddButtonClick();
  f.List.Undo();
  EXPECT_TRUE(f.List.History().CanRedo());
  f.List.IncrementButtonClick();
  EXPECT_FALSE(f.List.History().CanRedo());
  const Grid now = AllCells(f.List);
  f.List.Redo();
  EXPECT_EQ(AllCells(f.List), now);
}

TEST(Undo, RedoCommitsTypedTextFirstSoNothingTypedIsLost) {
  ListFixture f;
  f.SetRows(kTasks);
  f.List.AddButtonClick();
  f.List.Undo();
  f.List.MoveCursor(3, 1);
  f.List.TypeInCell(3, 1, "kept");
  f.List.Redo();
  EXPECT_EQ(f.List.Table().Cell(3, 1), "kept");
  EXPECT_EQ(AllCells(f.List).size(), kTasks.size() + 1);
}

TEST(Undo, MemoryBoundDropsTheOldestStepsAndKeepsTheRestExact) {
  ListFixture f;
  f.SetRows(kTasks);
  constexpr std::size_t kLimit = std::size_t{8} * 1024;
  ListTestAccess::SetUndoByteLimit(f.List, kLimit);
  std::vector<Grid> states{AllCells(f.List)};
  for (int i = 0; i < 60; ++i) {
    TypeAndTab(f, 3, 1 + i % 5, std::string(200, static_cast<char>('a' + i % 26)));
    states.push_back(AllCells(f.List));
  }
  const std::size_t kept = f.List.History().UndoSteps();
  EXPECT_LE(f.List.History().Bytes(), kLimit);
  EXPECT_GT(kept, 3U);
  EXPECT_LT(kept, 60U);
  for (std::size_t i = 0; i < kept; ++i) f.List.Undo();
  EXPECT_FALSE(f.List.History().CanUndo());
  EXPECT_EQ(AllCells(f.List), states[states.size() - 1 - kept]);
}

TEST(Undo, KeptTextsFollowASingleByteListToUtf8) {
  ListFixture f;
  f.SetRows({{"", "", "", "caf\xE9"}, {"", "", "", "x"}});
  ListTestAccess::SetTextIsUtf8(f.List, false);
  TypeAndTab(f, 3, 1, "tea");
  ListTestAccess::CellsToUtf8(f.List);
  f.List.Undo();
  EXPECT_EQ(f.List.Table().Cell(3, 1), "caf\xC3\xA9");
}

TEST(Undo, UndoingEveryStepOfARandomSessionGivesBackTheLoadedTable) {
  const std::vector<std::string> typed = {"15 Jan", "7/4", "3",     "",    "no date",       "12",
                                          "1.5",    "x",   " a b",  "mon", ":weekly - run", "Tue",
                                          "2026",   "-4",  "a\r\nb"};
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TempDir dir;
    WriteBytes(dir.Path("list.todo"),
               "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n"
               "6/20/26,,,\"zeta\"\r\n,2,,\"alpha\"\r\n6/3/26,,1,\":weekly - gym\"\r\n"
               "6/1/26,,,\"beta \"\"quoted\"\"\"\r\n,,,\"omega\"\r\n6/1/26,,,\"beta\"\r\n");
    ListFixture f;
    f.List.FormCreate(dir.Path("list.todo"), dir.Path(""));
    const Grid loaded = AllCells(f.List);
    const std::string loadedBytes = f.List.FileBytes();
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const TaskTable& table = f.List.Table();
    // Typing is three times as likely as each other action.
    const auto typeSomewhere = [&] {
      const int row = 1 + pick(table.RowCount() - 1);
      const int col = pick(table.ColCount());
      f.List.Guarded([&] { f.List.MoveCursor(col, row); });
      f.List.Guarded([&] { f.List.CellPainted(); });
      f.List.TypeInCell(f.List.Edit().Col, f.List.Edit().Row,
                        typed[static_cast<std::size_t>(pick(static_cast<int>(typed.size())))]);
    };
    const auto press = [&](void (ToDoList::*button)()) {
      return [&f, button] { f.Press(button); };
    };
    const std::vector<std::function<void()>> actions = {
        typeSomewhere,
        typeSomewhere,
        typeSomewhere,
        press(&ToDoList::AddButtonClick),
        press(&ToDoList::ReplicateButtonClick),
        press(&ToDoList::DeleteButtonClick),
        press(&ToDoList::IncrementButtonClick),
        [&] { f.List.Guarded([&] { f.List.GridMouseDown(pick(4), 0); }); },
        press(&ToDoList::AutoSortButtonClick),
        press(&ToDoList::SortOrderButtonClick),
        [&] { f.List.Guarded([&] { f.List.Undo(); }); },
        [&] { f.List.Guarded([&] { f.List.Redo(); }); },
    };
    for (int op = 0; op < 120; ++op) {
      actions[static_cast<std::size_t>(pick(static_cast<int>(actions.size())))]();
      // The window paints after every event, which ends a sort's cursor move.
      f.List.Guarded([&] { f.List.CellPainted(); });
    }
    // Ctrl+Z until nothing is left: first the text still being typed, then every step.
    for (int guard = 0; guard < 1000 &&
                        (f.List.History().CanUndo() ||
                         table.Cell(f.List.Edit().Col, f.List.Edit().Row) != f.List.Edit().OldText);
         ++guard) {
      f.List.Undo();
    }
    EXPECT_EQ(AllCells(f.List), loaded);
    EXPECT_EQ(f.List.FileBytes(), loadedBytes);
    EXPECT_FALSE(f.List.Sync().HasUnsavedChanges());
  }
}

}  // namespace
}  // namespace taskwell::testing
