#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/TempFiles.h"

namespace taskwell::testing {
namespace {

// --- Escape.

TEST(GridKeyUp, EscapePutsBackTheTextTheCellHadOnArrival) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "", "x"}, {"", "", "", "y"}});
  f.List.TypeInCell(0, 1, "07/0");
  f.List.GridKeyUp(kEscapeKey);
  EXPECT_EQ(f.List.Table().Cell(0, 1), "06/10/2026");
  // Moving on commits nothing: the text equals what it was.
  f.List.MoveCursor(0, 2);
  EXPECT_EQ(f.RowCells(1), (Cells{"06/10/2026", "Wed", "", "x"}));
}

TEST(GridKeyUp, OtherKeysAndUntouchedCellsChangeNothing) {
  ListFixture f;
  f.SetRows({{"06/10/2026", "Wed", "", "x"}});
  f.List.GridKeyUp(kEscapeKey);
  EXPECT_EQ(f.RowCells(1), (Cells{"06/10/2026", "Wed", "", "x"}));
  f.List.TypeInCell(0, 1, "7");
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
    EXPECT_EQ(static_cast<int>(f.List.Sorting().Mode), c.SortMode == 0 ? 3 : c.SortMode)
        << c.Col << "," << c.Row;
  }
}

TEST(GridMouseDown, IgnoredWhileCommittingOrWithAutoSort) {
  for (const bool committing : {true, false}) {
    ListFixture f;
    f.SetRows({{"", "", "", "b"}, {"", "", "", "a"}});
    if (committing) {
      ListTestAccess::DetachSelectHandler(f.List);
    } else {
      ListTestAccess::SetAutoSort(f.List, true);
    }
    f.List.GridMouseDown(f.List.Layout().DescCol(), 0);
    EXPECT_EQ(f.Column(3), (Cells{"b", "a"}));
    EXPECT_EQ(static_cast<int>(f.List.Sorting().Mode), 1);
  }
}

TEST(GridMouseDown, SortsTheTypedTextWithoutCommittingIt) {
  ListFixture f;
  f.SetRows({{"", "", "", "b"}, {"", "", "", "c"}});
  f.List.MoveCursor(3, f.List.Table().Row());
  f.List.TypeInCell(3, 1, "z\tz");
  f.List.GridMouseDown(3, 0);
  EXPECT_EQ(f.Column(3), (Cells{"c", "z\tz"}));
}

TEST(GridMouseDown, DoubleClickOnAHeaderSortsOnceAndOpensTheCurrentTask) {
  ListFixture f;
  f.SetRows({{"", "", "", "b http://b.example"}, {"", "", "", "a"}});
  f.List.GridMouseDown(3, 0);
  f.List.CellPainted();  // the cursor follows task b to row 2
  f.List.GridDblClick();
  f.List.GridMouseDown(3, 0);
  EXPECT_EQ(f.Column(3), (Cells{"a", "b http://b.example"}));
  EXPECT_FALSE(f.List.Table().HasDrawHook());  // the second sort moved nothing
  EXPECT_EQ(f.Ui.Opened, (Cells{"http://b.example"}));
}

// --- Double click.

// What a double click opens, with the desktop's opener standing in: addresses by their scheme,
// local paths from the task file's folder, programs only ever shown in their folder.
TEST(GridDblClick, OpensAddressesAndFilesAndNeverStartsAProgram) {
  TempDir dir;
  const std::string folder = dir.Path("");
  const auto file = [&](const std::string& name, const std::string& text, bool executable) {
    WriteBytes(dir.Path(name), text);
    if (executable) ::chmod(dir.Path(name).c_str(), 0755);
  };
  file("report.pdf", "%PDF", false);
  file("with blank.txt", "x", false);
  file("http.sh", "echo hi", false);
  file("run.me",
       "\x7f"
       "ELF",
       true);
  file("start.desktop", "[Desktop Entry]", false);
  file("script", "#!/bin/sh\n", false);
  file("a;b$(x)`y`'\"", "x", false);
  struct Case {
    std::string Description;
    std::string Opened;    // "" for nothing opened
    std::string Question;  // the file a question names, if one is asked
    std::string Error;     // the report, if the open failed
  };
  const auto gone = [&](const std::string& name) {
    return "Could not open \"" + folder + name + "\": there is no such file.";
  };
  const std::vector<Case> cases = {
      {"see http://example.com/a?b=1 today", "http://example.com/a?b=1", "", ""},
      {"https://example.com/x", "https://example.com/x", "", ""},
      {"a\thttp://tab.example b", "http://tab.example", "", ""},
      {"mailto:ann@example.org", "mailto:ann@example.org", "", ""},
      {"ftp://files.example/pub", "ftp://files.example/pub", "", ""},
      {"file:///etc/passwd", "/etc/passwd", "", ""},
      {"file://" + folder + "with%20blank.txt", folder + "with blank.txt", "", ""},
      {"file://elsewhere/share/x", "file://elsewhere/share/x", "", ""},
      {"report.pdf check figures", folder + "report.pdf", "", ""},
      {"sub/../report.pdf", folder + "report.pdf", "", ""},
      {"a;b$(x)`y`'\"", folder + "a;b$(x)`y`'\"", "", ""},
      {"http.sh", folder.substr(0, folder.size() - 1), folder + "http.sh", ""},
      {"run.me", folder.substr(0, folder.size() - 1), folder + "run.me", ""},
      {"start.desktop", folder.substr(0, folder.size() - 1), folder + "start.desktop", ""},
      {"script", folder.substr(0, folder.size() - 1), folder + "script", ""},
      {"see HTTP://EXAMPLE.COM now", "", "", gone("see")},
      {"/no/such/notes.txt", "", "",
       "Could not open \"/no/such/notes.txt\": there is no such file."},
      {"", "", "", ""},
      {" leading blank", "", "", ""},
  };
  for (const Case& c : cases) {
    ListFixture f;
    f.SetRows({{"", "", "", "other"}, {"", "", "", c.Description}});
    ListTestAccess::SetTaskFileName(f.List, dir.Path("home.todo"));
    f.List.MoveCursor(f.List.Table().Col(), 2);
    f.List.Guarded([&] { f.List.GridDblClick(); });
    EXPECT_EQ(f.Ui.Opened, c.Opened.empty() ? Cells{} : Cells{c.Opened}) << c.Description;
    EXPECT_EQ(f.Ui.Confirms.size(), c.Question.empty() ? 0U : 1U) << c.Description;
    if (!c.Question.empty() && !f.Ui.Confirms.empty()) {
      EXPECT_NE(f.Ui.Confirms[0].find("\"" + c.Question + "\""), std::string::npos)
          << c.Description;
    }
    EXPECT_EQ(f.Ui.Errors.empty() ? "" : f.Ui.Errors[0].Text, c.Error) << c.Description;
  }
  // Cancel opens nothing at all.
  ListFixture f;
  f.SetRows({{"", "", "", "run.me"}});
  ListTestAccess::SetTaskFileName(f.List, dir.Path("home.todo"));
  f.Ui.ConfirmAnswers = {false};
  f.List.GridDblClick();
  EXPECT_TRUE(f.Ui.Opened.empty());
}

TEST(GridDblClick, UsesTheDescriptionColumnBesideAProject) {
  ListFixture f;
  f.SetRows({{"", "", "", "42", "https://plan.example later"}}, true);
  f.List.GridDblClick();
  EXPECT_EQ(f.Ui.Opened, (Cells{"https://plan.example"}));
}

}  // namespace
}  // namespace taskwell::testing
