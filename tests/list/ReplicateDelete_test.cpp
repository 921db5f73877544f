#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"

namespace taskwell {
namespace {

using testing::Cells;
using testing::ListFixture;
using Rows = std::vector<Cells>;

const std::string kQuestion = "Are you sure you want to delete this repeating entry?";

// Five tasks, each with its own texts in every column.
Rows FiveTasks(const std::string& third = "third") {
  return {{"06/01/2026", "Mon", "1", "first"},
          {"", "2", "", "second"},
          {"06/03/2026", "Wed", "3.5", third},
          {"06/04/2026", "Thu", "", "fourth"},
          {"", "", "", "fifth"}};
}

TEST(ReplicateButtonClick, CopyAboveLosesTheRepeatHeaderAndLeadingDash) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {":weekly - Pay rent", "Pay rent"},
      {":monthly:12/31/2027 Pay bills", "Pay bills"},
      {":weekly", ":weekly"},
      {":weekly  Gym", " Gym"},
      {"- Call back", "Call back"},
      {"-Call back", "-Call back"},
      {" :weekly x", " :weekly x"},
      {":weekly - - twice", "- twice"},
  };
  for (const auto& [source, copy] : cases) {
    SCOPED_TRACE(source);
    ListFixture f;
    f.SetRows(FiveTasks(source));
    f.List.MoveCursor(2, 3);
    f.List.ReplicateButtonClick();
    ASSERT_EQ(f.List.Table().RowCount(), 7);
    EXPECT_EQ(f.RowCells(3), (Cells{"06/03/2026", "Wed", "3.5", copy}));
    EXPECT_EQ(f.RowCells(4), (Cells{"06/03/2026", "Wed", "3.5", source}));
    EXPECT_EQ(f.List.Table().Row(), 3);
    EXPECT_EQ(f.List.Table().Col(), 0);
    EXPECT_TRUE(f.List.Sorting().SkipNext);
    EXPECT_EQ(f.Column(3)[4], "fourth");
  }
}

TEST(ReplicateButtonClick, CopiesEveryColumnIncludingTheProject) {
  ListFixture f;
  f.SetRows({{"", "4", "2", "17", ":daily - Stretch"}, {"", "", "", "", "last"}}, true);
  f.List.ReplicateButtonClick();
  EXPECT_EQ(f.RowCells(1), (Cells{"", "4", "2", "17", "Stretch"}));
  EXPECT_EQ(f.RowCells(2), (Cells{"", "4", "2", "17", ":daily - Stretch"}));
}

TEST(ReplicateButtonClick, OnTheLastRowTheSourceStaysLast) {
  ListFixture f;
  f.SetRows(FiveTasks());
  f.List.MoveCursor(0, 5);
  const int repaints = f.Ui.RepaintCount;
  f.List.ReplicateButtonClick();
  EXPECT_EQ(f.Column(3), (Cells{"first", "second", "third", "fourth", "fifth", "fifth"}));
  EXPECT_EQ(f.List.Table().Row(), 5);
  EXPECT_GT(f.Ui.RepaintCount, repaints);
  EXPECT_EQ(f.Ui.FocusCount, 0);
}

TEST(DeleteTaskRow, PlainTaskGoesWithoutAQuestion) {
  ListFixture f;
  f.SetRows(
      {{"", "", "", "one"}, {"", "", "", "two"}, {"", "", "", "three"}, {"", "", "", "four"}});
  f.List.MoveCursor(1, 2);
  ListTestAccess::DeleteTaskRow(f.List);
  EXPECT_TRUE(f.Ui.Confirms.empty());
  EXPECT_EQ(f.List.Table().RowCount(), 4);
  EXPECT_EQ(f.Column(3), (Cells{"one", "three", "four"}));
  EXPECT_EQ(f.List.Table().Row(), 2);
  EXPECT_EQ(f.List.Table().Col(), 1);
  EXPECT_GT(f.Ui.RepaintCount, 0);
}

TEST(DeleteTaskRow, RepeatingEntryAsksFirstAndCancelKeepsEverything) {
  struct Case {
    bool Answer;
    std::vector<std::string> Remaining;
  };
  const std::vector<Case> cases = {
      {false, {"first", "second", ":weekly - Pay rent", "fourth", "fifth"}},
      {true, {"first", "second", "fourth", "fifth"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Answer ? "Yes" : "Cancel");
    ListFixture f;
    f.SetRows(FiveTasks(":weekly - Pay rent"));
    f.List.MoveCursor(0, 3);
    const Rows before = f.Rows();
    f.Ui.ConfirmAnswers = {c.Answer};
    f.List.DeleteButtonClick();
    EXPECT_EQ(f.Ui.Confirms, std::vector<std::string>{"\":weekly - Pay rent\"\r\n" + kQuestion});
    EXPECT_EQ(f.Column(3), c.Remaining);
    if (!c.Answer) {
      EXPECT_EQ(f.Rows(), before);
    }
    EXPECT_EQ(f.List.Table().Row(), 3);
    EXPECT_EQ(f.Ui.FocusCount, 1);
  }
}

TEST(DeleteTaskRow, OnlyALeadingColonMarksARepeatingEntry) {
  ListFixture f;
  f.SetRows(FiveTasks(" :weekly x"));
  f.List.MoveCursor(0, 3);
  ListTestAccess::DeleteTaskRow(f.List);
  EXPECT_TRUE(f.Ui.Confirms.empty());
  EXPECT_EQ(f.Column(3), (Cells{"first", "second", "fourth", "fifth"}));
}

TEST(DeleteTaskRow, TheLastTaskRowIsNeverDeleted) {
  const std::vector<std::pair<std::string, std::size_t>> cases = {{"only", 0}, {":daily only", 1}};
  for (const auto& [description, questions] : cases) {
    SCOPED_TRACE(description);
    ListFixture f;
    f.SetRows({{"06/10/2026", "Wed", "", description}});
    f.List.DeleteButtonClick();
    EXPECT_EQ(f.Ui.Confirms.size(), questions);
    EXPECT_EQ(f.List.Table().RowCount(), 2);
    EXPECT_EQ(f.RowCells(1), (Cells{"06/10/2026", "Wed", "", description}));
    EXPECT_TRUE(f.Ui.Messages.empty());
    EXPECT_EQ(f.Ui.FocusCount, 1);
  }
}

TEST(DeleteTaskRow, DeletingTheLastRowPutsTheCursorOnTheNewLastRow) {
  ListFixture f;
  f.SetRows(FiveTasks());
  f.List.MoveCursor(3, 5);
  ListTestAccess::DeleteTaskRow(f.List);
  EXPECT_EQ(f.List.Table().RowCount(), 5);
  EXPECT_EQ(f.List.Table().Row(), 4);
  EXPECT_EQ(f.List.Table().Col(), 3);
  EXPECT_EQ(f.Column(3), (Cells{"first", "second", "third", "fourth"}));
  // The row that comes back when the table grows again is empty.
  ListTestAccess::Table(f.List).SetRowCount(6);
  EXPECT_EQ(f.RowCells(5), (Cells{"", "", "", ""}));
}

}  // namespace
}  // namespace taskwell
