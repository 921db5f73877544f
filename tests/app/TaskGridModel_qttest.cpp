// Overdue and due-today rows: their look, and that it follows commits, the clock and the theme.
#include "app/TaskGridModel.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QSignalSpy>
#include <functional>

#include "app/TaskGridView.h"

#include "grid/DueState.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/QtApp.h"

namespace taskwell {
namespace {

using testing::Day;

class DueLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fixture.SetRows({{"06/09/2026", "Tue", "", "late"},
                     {"06/10/2026", "Wed", "", "today"},
                     {"06/11/2026", "Thu", "", "soon"},
                     {"", "3", "", "undated"}});
  }
  // "overdue", "today" or "" for each row, read from every cell of it.
  std::vector<std::string> Looks(const TaskGridModel& model) const {
    std::vector<std::string> looks;
    for (int row = 0; row < model.rowCount(); ++row) {
      std::string look;
      for (int col = 0; col < model.columnCount(); ++col) {
        const QModelIndex cell = model.index(row, col);
        const bool red = cell.data(Qt::ForegroundRole).value<QColor>() == model.OverdueColour();
        const QVariant font = cell.data(Qt::FontRole);
        const std::string cellLook =
            red ? "overdue" : (font.isValid() && font.value<QFont>().bold() ? "today" : "");
        if (col == 0) look = cellLook;
        EXPECT_EQ(cellLook, look) << "row " << row << " col " << col;
      }
      looks.push_back(look);
    }
    return looks;
  }
  testing::ListFixture Fixture{Day(2026, 6, 10, 23.0)};
};

TEST_F(DueLookTest, RowsShowTheirStateAndFollowCommitsAndMidnight) {
  TaskGridModel model(Fixture.List);
  EXPECT_EQ(Looks(model), (std::vector<std::string>{"overdue", "today", "", ""}));
  EXPECT_EQ(model.index(0, 3).data().toString(), QStringLiteral("late"));

  // A new date repaints its whole row.
  QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
  Fixture.List.TypeInCell(0, 4, "06/01/2026");
  ASSERT_EQ(changes.size(), 2);
  EXPECT_EQ(changes[1][0].toModelIndex(), model.index(3, 0));
  EXPECT_EQ(changes[1][1].toModelIndex(), model.index(3, 3));
  EXPECT_EQ(Looks(model)[3], "overdue");

  // Just before midnight the next check is due just after it; then today's row is overdue.
  Fixture.Clock.Value = Day(2026, 6, 10, 24.0 - 2.0 / 3600);
  EXPECT_NEAR(model.MillisecondsToNextDueCheck(), 3000, 5);
  Fixture.Clock.Value = Day(2026, 6, 11, 0.0) + 1e-6;
  changes.clear();
  model.RefreshDueState();
  EXPECT_EQ(changes.size(), 1);
  EXPECT_EQ(Looks(model), (std::vector<std::string>{"overdue", "overdue", "today", "overdue"}));
  // Far from midnight the clock is still checked hourly.
  EXPECT_EQ(model.MillisecondsToNextDueCheck(), 3600000);
  changes.clear();
  model.RefreshDueState();
  EXPECT_EQ(changes.size(), 0);  // same day: nothing to repaint
}

TEST_F(DueLookTest, OverdueColourReadsOnTheViewsBase) {
  TaskGridModel model(Fixture.List);
  for (const QColor base :
       {QColor(Qt::white), QColor(0x2a, 0x2a, 0x2a), QColor(0x1e, 0x1e, 0x2e)}) {
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    model.SetPalette(palette);
    const QColor red = model.OverdueColour();
    EXPECT_GE(ContrastRatio({red.red(), red.green(), red.blue()},
                            {base.red(), base.green(), base.blue()}),
              4.5)
        << base.name().toStdString();
  }
}

// A single-byte list shows its bytes as Windows-1252, and a typed character is never replaced.
TEST(TaskGridModelText, SingleByteListKeepsEveryTypedCharacter) {
  testing::ListFixture fixture;
  ToDoList& list = fixture.List;
  fixture.SetRows({{"", "1", "", "Caf\xE9 \x80 \x81"}, {"", "2", "", "x"}});
  ListTestAccess::SetTextIsUtf8(list, false);
  ListTestAccess::SetSingleByteFile(list, true);
  TaskGridModel model(list);
  const QString shown = QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
  EXPECT_EQ(model.index(0, 3).data().toString(), shown);

  model.setData(model.index(1, 3),
                QString::fromUtf8("5\xE2\x82\xAC \xE2\x80\x93 \xE2\x80\x9C"
                                  "best\xE2\x80\x9D"),
                Qt::EditRole);
  EXPECT_EQ(list.Table().Cell(3, 2),
            "5\x80 \x96 \x93"
            "best\x94");
  EXPECT_FALSE(list.File().TextIsUtf8());

  // One that Windows-1252 lacks turns the whole table to UTF-8; every cell still shows the same.
  const QString arrow = QString::fromUtf8("a \xE2\x86\x92 b");
  model.setData(model.index(1, 3), arrow, Qt::EditRole);
  EXPECT_TRUE(list.File().TextIsUtf8());
  EXPECT_EQ(list.Table().Cell(3, 2), "a \xE2\x86\x92 b");
  EXPECT_EQ(model.index(1, 3).data().toString(), arrow);
  EXPECT_EQ(model.index(0, 3).data().toString(), shown);
  EXPECT_EQ(list.Table().Cell(3, 1), "Caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
}

// Row commands move rows in the view instead of laying it out anew, so a view (and a screen
// reader) keeps its place: each row follows its task, and only a large undo resets.
TEST(TaskGridModelRows, RowCommandsMoveRowsWithoutAReset) {
  testing::ListFixture fixture;
  ToDoList& list = fixture.List;
  fixture.SetRows({{"", "3", "", "c"}, {"", "1", "", "a"}, {"", "2", "", "b"}});
  TaskGridModel model(list);
  QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
  const QPersistentModelIndex taskA(model.index(1, 3));
  const auto runs = [&](const char* what, const std::function<void()>& command) {
    command();
    EXPECT_EQ(resets.size(), 0) << what;
    EXPECT_EQ(model.rowCount(), list.Table().RowCount() - 1) << what;
    EXPECT_EQ(taskA.data().toString(), QStringLiteral("a")) << what;
  };
  runs("add", [&] { list.AddButtonClick(); });  // a blank row above "c"
  EXPECT_EQ(taskA.row(), 2);
  runs("replicate",
       [&] { ASSERT_TRUE(fixture.Move(3, 3) && fixture.Press(&ToDoList::ReplicateButtonClick)); });
  runs("delete", [&] { fixture.Press(&ToDoList::DeleteButtonClick); });
  // The first sort after an Add is skipped: the new row stays where the user put it.
  runs("sort", [&] {
    ListTestAccess::SortTable(list);
    ListTestAccess::SortTable(list);
  });
  runs("undo", [&] { list.Undo(); });
  runs("undo", [&] { list.Undo(); });
  runs("redo", [&] { list.Redo(); });
}

}  // namespace
}  // namespace taskwell
