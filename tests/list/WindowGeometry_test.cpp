// The main window's own logic, without a display: title rules, sizing to the work area and rows,
// and the shell buttons.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

using testing::Cells;
using testing::ListFixture;

TEST(ListTitle, FollowsTheFileNamePartAndTheFirstDot) {
  const struct {
    std::string Path;
    std::string Title;
  } cases[] = {
      {"D:\\lists\\home.todo", "home"},
      {"D:\\data\\week.list.todo", "week"},
      {"notes", "notes"},
      {"/home/ann/lists/home.todo", "home"},
      {"c:ToDo.ToDo", "ToDo"},
      {"/tmp/.hidden", ""},
      {"a.b.todo", "a"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListTitleOf(c.Path), c.Title) << c.Path;
}

TEST(FormCreate, WithoutArgumentUsesToDoInTheHomeFolder) {
  ListFixture f;
  f.List.FormCreate("", "/nonexistent-home");
  EXPECT_EQ(f.List.File().Name(), "/nonexistent-home/ToDo.ToDo");
  EXPECT_EQ(f.List.ListTitle(), "ToDo");
  EXPECT_EQ(f.List.Buttons().SortOrderCaption, "Sorted by Date");
  EXPECT_EQ(f.List.Buttons().AutoSortCaption, "AutoSort on");
  EXPECT_EQ(f.List.Buttons().HideCaption, "&Hide Sel");
  EXPECT_FALSE(f.List.Sorting().Auto);
  EXPECT_TRUE(f.List.Sorting().FollowSortedRow);
  EXPECT_TRUE(f.List.Table().HasSelectHandler());
}

TEST(FormCreate, KeepsTheArgumentExactly) {
  ListFixture f;
  f.List.FormCreate("notes", "/home/x");
  EXPECT_EQ(f.List.File().Name(), "notes");
  EXPECT_EQ(f.List.ListTitle(), "notes");
}

TEST(ClampToWorkArea, PullsEdgesInside) {
  ListFixture f;
  f.Ui.Work = {0, 30, 1000, 700};
  f.Ui.Bounds = {-20, 10, 1200, 800};
  f.List.Geometry().ClampToWorkArea();
  // top and left one pixel inside; the right edge inside; the bottom cut 60 above the work area's.
  EXPECT_EQ(f.Ui.Bounds, (Rect{1, 31, 998, 730 - 31 - 60}));
}

// `tasks` rows in a window at `bounds` on a 1280 x 1000 work area, fitted to its rows.
void FitTasks(ListFixture& f, int tasks, const Rect& bounds) {
  f.SetRows(std::vector<Cells>(static_cast<std::size_t>(tasks), {"", "", "", "task"}));
  f.Ui.Work = {0, 0, 1280, 1000};
  f.Ui.Bounds = bounds;
  f.List.Geometry().FitWindowToRows();
}

TEST(FitWindowToRows, GrowsByRowsUntilAllShow) {
  ListFixture f;
  FitTasks(f, 30, {100, 100, 800, 300});
  EXPECT_GE(f.Ui.FullyVisibleRows(f.Ui.Bounds.Height), 30);
  EXPECT_LT(f.Ui.FullyVisibleRows(f.Ui.Bounds.Height - 20), 30);
  EXPECT_EQ(f.Ui.Bounds.Top, 100);
}

TEST(FitWindowToRows, TwoHundredTasksFillTheWorkAreaAndStayInside) {
  ListFixture f;
  FitTasks(f, 200, {100, 114, 800, 540});
  EXPECT_GE(f.Ui.Bounds.Top, 1);
  EXPECT_LE(f.Ui.Bounds.Top + f.Ui.Bounds.Height, 1000);
  EXPECT_GT(f.Ui.Bounds.Height, 900);
}

TEST(FitWindowToRows, AddGrowsOneRowDownwardsThenUpwards) {
  ListFixture f;
  f.SetRows(std::vector<std::vector<std::string>>(5, {"", "", "", "task"}));
  f.Ui.Work = {0, 0, 1280, 1000};
  f.Ui.Bounds = {100, 400, 800, f.Ui.ChromeHeight + 5 * 20};
  f.List.AddButtonClick();
  EXPECT_EQ(f.Ui.Bounds.Height, f.Ui.ChromeHeight + 6 * 20);
  EXPECT_EQ(f.Ui.Bounds.Top, 400);
  // At the bottom of the work area the window grows upwards, keeping its bottom edge.
  f.Ui.Bounds = {100, 1000 - (f.Ui.ChromeHeight + 6 * 20), 800, f.Ui.ChromeHeight + 6 * 20};
  const int bottom = f.Ui.Bounds.Top + f.Ui.Bounds.Height;
  f.List.AddButtonClick();
  EXPECT_EQ(f.Ui.Bounds.Top + f.Ui.Bounds.Height, bottom);
  EXPECT_EQ(f.Ui.Bounds.Height, f.Ui.ChromeHeight + 7 * 20);
  EXPECT_EQ(f.Ui.FocusCount, 2);
}

TEST(FormResize, PushesAWindowAboveTheWorkAreaBackAndRefitsTheDescription) {
  ListFixture f;
  f.Ui.Work = {0, 40, 1280, 900};
  f.Ui.Bounds = {100, 10, 800, 500};
  f.Ui.Width = 1000;
  const int col0 = f.List.Table().ColWidth(0);
  f.List.FormResize();
  EXPECT_EQ(f.Ui.Bounds.Top, 41);
  EXPECT_EQ(f.List.Table().ColWidth(0), col0);
  EXPECT_EQ(f.List.Table().ColWidth(3),
            1000 - col0 - f.List.Table().ColWidth(1) - f.List.Table().ColWidth(2) - 30);
}

TEST(FormShow, PutsTheCursorAndEditPositionOnTheFirstTask) {
  ListFixture f;
  f.SetRows({{"", "", "", "a"}, {"", "", "", "b"}});
  f.List.MoveCursor(2, 2);
  ListTestAccess::SetPendingRow(f.List, 7);
  f.List.FormShow();
  EXPECT_EQ(f.List.Table().Row(), 1);
  EXPECT_EQ(f.List.Table().Col(), 0);
  EXPECT_EQ(f.List.Edit().Row, 1);
  EXPECT_EQ(f.List.Edit().Col, 0);
  EXPECT_EQ(f.List.Sorting().PendingRow, 0);
}

class ShellButtons : public ::testing::Test {
 protected:
  std::string Read() const { return testing::ReadBytes(File); }
  testing::TempDir Dir;
  std::string File = Dir.Path("list.todo");
};

TEST_F(ShellButtons, CloseSavesThenClosesAndCloseNoSaveDoesNotSave) {
  ListFixture f;
  ListTestAccess::SetTaskFileName(f.List, File);
  f.SetRows({{"", "3", "", "Tidy the garage"}});
  f.List.CloseNoSaveButtonClick();
  EXPECT_EQ(f.Ui.CloseCount, 1);
  EXPECT_FALSE(std::filesystem::exists(File));
  f.List.CloseButtonClick();
  EXPECT_EQ(f.Ui.CloseCount, 2);
  EXPECT_EQ(Read(),
            "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n,3,,\"Tidy the garage\"\r\n");
}

TEST_F(ShellButtons, CloseAfterAFailedSaveKeepsTheWindow) {
  ListFixture f;
  ListTestAccess::SetTaskFileName(f.List, (Dir.Root / "missing-folder" / "list.todo").string());
  f.SetRows({{"", "", "", "task"}});
  EXPECT_FALSE(f.List.Guarded([&] { f.List.CloseButtonClick(); }));
  EXPECT_EQ(f.Ui.CloseCount, 0);
  ASSERT_EQ(f.Ui.Errors.size(), 1u);
  EXPECT_EQ(f.Ui.Errors[0].Text, "Cannot save " + f.List.File().Name() + ": the folder " +
                                     (Dir.Root / "missing-folder").string() + " does not exist.");
  EXPECT_EQ(f.List.Table().Cell(3, 1), "task");
}

TEST_F(ShellButtons, AnOutsideChangeIsOverwrittenOnlyWhenConfirmed) {
  ListFixture f;
  ListTestAccess::SetTaskFileName(f.List, File);
  f.SetRows({{"", "", "", "mine"}});
  ASSERT_TRUE(f.List.SaveButtonClick());
  EXPECT_TRUE(f.Ui.Confirms.empty());
  // A line that does not load: the change cannot be merged, only overwritten or kept.
  { std::ofstream(File, std::ios::binary | std::ios::app) << "99/99/99,,,\"theirs\"\r\n"; }
  f.Ui.ConfirmAnswers = {false};
  EXPECT_FALSE(f.List.SaveButtonClick());
  EXPECT_NE(Read().find("theirs"), std::string::npos);
  f.List.CloseButtonClick();  // asked again; the default answer is Yes
  EXPECT_EQ(f.Ui.Confirms.size(), 2u);
  EXPECT_EQ(Read().find("theirs"), std::string::npos);
  EXPECT_EQ(f.Ui.CloseCount, 1);
}

}  // namespace
}  // namespace taskwell
