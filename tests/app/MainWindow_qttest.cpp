// The main window offscreen: its layout, title, anchoring and the wiring of grid and buttons.
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/MessageDialog.h"
#include "app/WorkProgress.h"
#include "document/Errors.h"
#include "document/Version.h"
#include "support/FakePlatform.h"
#include "support/ListTestAccess.h"
#include "support/QtApp.h"
#include "support/TempFiles.h"
#include "support/Widgets.h"

namespace taskwell {
namespace {

QPushButton* Button(const QWidget& window, const char* name) {
  return testing::Child<QPushButton>(window, name);
}
TaskGridView* GridOf(const QWidget& window) {
  return testing::Child<TaskGridView>(window, "Grid");
}
QLineEdit* FindEditOf(const QWidget& window) {
  return testing::Child<QLineEdit>(window, "FindEdit");
}

// Every task file starts with this header line.
const std::string kHeader = "\"Date\",\"Priority\",\"SubPriority\",\"Description\"\r\n";

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { File = Dir.Path("home.todo"); }
  void TearDown() override {
    Answerer.reset();
    Form.reset();
  }

  void Write(const std::string& text) const { testing::WriteBytes(File, text); }
  std::string Read() const { return testing::ReadBytes(File); }
  // The window on File, shown and settled; it lives until the test ends.
  MainWindow& Open() {
    Form = std::make_unique<MainWindow>(RegionalSettings{}, Clock, File, "/home/x");
    Form->show();
    QApplication::processEvents();
    return *Form;
  }
  // Answers every modal dialog that opens with its default (Enter) until stopped.
  void AnswerDialogs() {
    Answerer = std::make_unique<QTimer>();
    QTimer* timer = Answerer.get();
    QObject::connect(timer, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        DialogTitles.push_back(modal->windowTitle().toStdString());
        modal->close();
      }
    });
    timer->start(20);
  }

  FixedClock Clock{testing::Day(2026, 6, 10)};
  testing::TempDir Dir;
  std::string File;
  std::vector<std::string> DialogTitles;
  std::unique_ptr<QTimer> Answerer;
  std::unique_ptr<MainWindow> Form;
};

TEST_F(FormTest, ButtonsSitWhereTheLayoutPutsThem) {
  MainWindow form({}, Clock, File, "/home/x");
  const struct {
    QWidget* Control;
    QRect Bounds;
    const char* Caption;
    bool Visible;
  } layout[] = {
      {Button(form, "AddButton"), {3, 0, 47, 24}, "&Add", true},
      {Button(form, "DeleteButton"), {3, 24, 47, 24}, "&Delete", true},
      {Button(form, "IncrementButton"), {61, 0, 57, 24}, "&Increment", true},
      {Button(form, "ReplicateButton"), {61, 24, 57, 24}, "&Replicate", true},
      {Button(form, "PrintButton"), {129, 0, 37, 24}, "&Print", true},
      {Button(form, "SaveButton"), {129, 24, 37, 24}, "&Save", true},
      {FindEditOf(form), {177, 0, 80, 21}, "", true},
      {Button(form, "FindButton"), {177, 24, 80, 24}, "&Find", true},
      {Button(form, "SortOrderButton"), {273, 0, 128, 24}, "Sorted by Date", false},
      {Button(form, "AutoSortButton"), {273, 24, 64, 24}, "AutoSort on", false},
      {Button(form, "SortButton"), {337, 24, 64, 24}, "Sort Now", false},
      {Button(form, "HideButton"), {408, 0, 33, 24}, "&Hide Sel", false},
      {testing::Child<QLabel>(form, "Label1"), {446, 10, 107, 13}, "Click a Col Hdr to sort", true},
      {testing::Child<QLabel>(form, "MessageLabel"), {446, 31, 81, 13}, "F2 to Edit a cell", true},
      {Button(form, "AboutButton"), {719, 0, 49, 24}, "Abou&t", true},
      {Button(form, "CloseButton"), {771, 0, 49, 24}, "&Close", true},
      {Button(form, "CloseNoSaveButton"), {719, 24, 101, 24}, "Close-NoSave", true},
  };
  form.resize(820, 540);
  form.show();
  form.resize(820, 540);
  QApplication::processEvents();
  for (const auto& item : layout) {
    SCOPED_TRACE(item.Control->objectName().toStdString());
    EXPECT_EQ(item.Control->geometry(), item.Bounds);
    EXPECT_EQ(item.Control->isVisible(), item.Visible);
    QString text;
    if (auto* button = qobject_cast<QPushButton*>(item.Control)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(item.Control)) text = label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(item.Control)) text = edit->text();
    EXPECT_EQ(text.toStdString(), item.Caption);
  }
  EXPECT_EQ(testing::Child<QWidget>(form, "ButtonPanel")->height(), 50);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Taskwell V") + QString::fromLatin1(kVersion) +
                                    QStringLiteral(" - home"));
}

TEST_F(FormTest, TabOrderFollowsTheLayout) {
  MainWindow form({}, Clock, File, "/home/x");
  const QWidget* order[] = {Button(form, "AddButton"),
                            Button(form, "DeleteButton"),
                            Button(form, "IncrementButton"),
                            Button(form, "PrintButton"),
                            FindEditOf(form),
                            Button(form, "FindButton"),
                            Button(form, "SortOrderButton"),
                            Button(form, "HideButton"),
                            Button(form, "AboutButton"),
                            Button(form, "CloseButton"),
                            Button(form, "AutoSortButton"),
                            Button(form, "SortButton"),
                            Button(form, "SaveButton"),
                            Button(form, "ReplicateButton"),
                            Button(form, "CloseNoSaveButton")};
  // Walk the focus chain once round and keep the controls of the layout, in the order met.
  std::vector<const QWidget*> met;
  const QWidget* widget = Button(form, "AddButton");
  do {
    if (std::find(std::begin(order), std::end(order), widget) != std::end(order))
      met.push_back(widget);
    widget = widget->nextInFocusChain();
  } while (widget != Button(form, "AddButton") && met.size() < 50);
  EXPECT_EQ(met, std::vector<const QWidget*>(std::begin(order), std::end(order)));
}

TEST_F(FormTest, RightEdgeControlsStayAnchoredWhenTheWindowWidens) {
  MainWindow form({}, Clock, File, "/home/x");
  form.show();
  form.resize(1020, 540);
  QApplication::processEvents();
  EXPECT_EQ(Button(form, "AboutButton")->x(), 919);
  EXPECT_EQ(Button(form, "CloseButton")->x(), 971);
  EXPECT_EQ(Button(form, "CloseNoSaveButton")->x(), 919);
  EXPECT_EQ(Button(form, "FindButton")->x(), 177);
}

TEST_F(FormTest, ShowsTheLoadedTasksUnderTheHeaders) {
  Write(kHeader + "7/6/09,,2,\"Call the bank\"\r\n,3,,\"Tidy\"\r\n");
  const MainWindow& form = Open();
  QAbstractItemModel* model = GridOf(form)->model();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Date "));
  EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Description "));
  EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("07/06/2009"));
  EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("Mon"));
  EXPECT_EQ(model->index(1, 3).data().toString(), QStringLiteral("Tidy"));
  EXPECT_EQ(GridOf(form)->verticalHeader()->defaultSectionSize(), 20);
  EXPECT_EQ(GridOf(form)->currentIndex(), model->index(0, 0));
}

TEST_F(FormTest, MovesGoThroughTheTableAndAFailingHandlerKeepsTheCursor) {
  Write(kHeader + ",,,\"a\"\r\n,,,\"b\"\r\n");
  MainWindow& form = Open();
  ToDoList& list = form.List();
  std::vector<std::pair<int, int>> events;
  ListTestAccess::Table(list).SetSelectHandler(
      [&](int col, int row) { events.emplace_back(col, row); });
  GridOf(form)->setCurrentIndex(GridOf(form)->model()->index(1, 3));
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{3, 2}}));
  EXPECT_EQ(list.Table().Row(), 2);
  EXPECT_EQ(list.Table().Col(), 3);

  ListTestAccess::Table(list).SetSelectHandler(
      [](int, int) { throw EConvertError("'13/45/2026' is not a valid date"); });
  AnswerDialogs();
  GridOf(form)->setCurrentIndex(GridOf(form)->model()->index(0, 0));
  EXPECT_EQ(list.Table().Row(), 2);
  EXPECT_EQ(GridOf(form)->currentIndex(), GridOf(form)->model()->index(1, 3));
  EXPECT_EQ(DialogTitles, std::vector<std::string>{"home"});

  // A move made by the program shows in the view without raising the event twice.
  ListTestAccess::Table(list).SetSelectHandler(
      [&](int col, int row) { events.emplace_back(col, row); });
  list.MoveCursor(list.Table().Col(), 1);
  EXPECT_EQ(GridOf(form)->currentIndex(), GridOf(form)->model()->index(0, 3));
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(FormTest, SaveWritesAndTheFrameCloseDoesNot) {
  Write(kHeader + ",,,\"a\"\r\n");
  MainWindow& form = Open();
  form.List().TypeInCell(3, 1, "changed");
  // The frame's close keeps the unsaved list aside instead of saving it.
  const auto closeWithState = [&](const std::filesystem::path& state) {
    const char* previous = std::getenv("XDG_STATE_HOME");
    const std::string kept = previous != nullptr ? previous : "";
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    form.close();
    if (previous != nullptr) {
      ::setenv("XDG_STATE_HOME", kept.c_str(), 1);
    } else {
      ::unsetenv("XDG_STATE_HOME");
    }
  };
  // Where the copy cannot be written, the close asks first; Cancel keeps the window.
  testing::WriteBytes(Dir.Path("not-a-folder"), "");
  AnswerDialogs();
  closeWithState(Dir.Root / "not-a-folder");
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(DialogTitles, std::vector<std::string>{"Confirm"});
  const std::filesystem::path state = Dir.Root / "state";
  closeWithState(state);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Read().find("changed"), std::string::npos);
  int copies = 0;
  for (const auto& entry : std::filesystem::directory_iterator(state / "taskwell" / "discarded")) {
    copies += testing::ReadBytes(entry.path()).find("\"changed\"") != std::string::npos ? 1 : 0;
  }
  EXPECT_EQ(copies, 1);
  Button(form, "SaveButton")->click();
  EXPECT_NE(Read().find("\"changed\""), std::string::npos);
}

TEST_F(FormTest, CloseAfterAFailedSaveKeepsTheWindowOpen) {
  File = Dir.Path("no-such-folder/list.todo");
  MainWindow& form = Open();
  form.List().TypeInCell(3, 1, "task");
  AnswerDialogs();
  Button(form, "CloseButton")->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(DialogTitles, std::vector<std::string>{"list"});
}

// Long work the list starts (a merge) shows over the window once it runs past the delay, and
// Cancel there stops it at a next step.
TEST_F(FormTest, LongWorkOfTheListShowsItsProgressAndCancelStopsIt) {
  Write(kHeader + ",,,\"a\"\r\n");
  MainWindow& form = Open();
  const std::unique_ptr<ShownWork> work = form.ShowWork("Merging the changes made elsewhere...");
  const Progress progress = work->Of();
  progress.Tell(1, 10);
  EXPECT_EQ(form.findChild<QProgressDialog*>(), nullptr) << "not before the delay";
  QThread::msleep(WorkProgress::kShowAfter.count() + 50);
  progress.Tell(2, 10);
  auto* dialog = form.findChild<QProgressDialog*>(QStringLiteral("WorkProgress"));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->labelText(), QStringLiteral("Merging the changes made elsewhere..."));
  dialog->cancel();
  // The window's events, and with them Cancel, are looked at every few tens of milliseconds.
  QThread::msleep(50);
  EXPECT_THROW(progress.Tell(3, 10), WorkCancelled);
}

// A cell edit that is refused on the way to a button keeps the button from acting, whether the
// button is reached by its access key or takes the focus from the grid.
TEST_F(FormTest, ARefusedCommitStopsTheButtonsAction) {
  const std::string original = kHeader + ",3,,\"a\"\r\n";
  Write(original);
  MainWindow form({}, Clock, File, "/home/x");
  form.show();
  QApplication::setActiveWindow(&form);
  GridOf(form)->setFocus();
  QApplication::processEvents();
  ToDoList& list = form.List();
  list.TypeInCell(0, 1, "12/45/2026");
  AnswerDialogs();
  QShortcutEvent altC(QKeySequence(QStringLiteral("Alt+C")), 0);
  QApplication::sendEvent(Button(form, "CloseButton"), &altC);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(DialogTitles, std::vector<std::string>{"home"});
  EXPECT_EQ(list.Table().Cell(0, 1), "12/45/2026");

  Button(form, "SaveButton")->setFocus();
  QApplication::processEvents();
  Button(form, "SaveButton")->click();
  EXPECT_EQ(Read(), original);
  EXPECT_EQ(list.Table().Cell(0, 1), "12/45/2026");

  list.GridKeyUp(27);
  GridOf(form)->setFocus();
  QApplication::sendEvent(Button(form, "CloseButton"), &altC);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(Read(), original);
}

TEST_F(FormTest, ReplicateThroughTheViewCopiesTheCursorTask) {
  Write(kHeader + ",3,,\"Plain task\"\r\n1/10/06,,,\":monthly::2TUE Club night\"\r\n");
  MainWindow& form = Open();
  GridOf(form)->setFocus();
  GridOf(form)->setCurrentIndex(GridOf(form)->model()->index(1, 1));
  QApplication::processEvents();
  Button(form, "IncrementButton")->click();
  QApplication::processEvents();
  Button(form, "ReplicateButton")->click();
  QApplication::processEvents();
  ToDoList& list = form.List();
  ASSERT_EQ(list.Table().RowCount(), 4);
  EXPECT_EQ(list.Table().Cell(3, 1), "Plain task");
  EXPECT_EQ(list.Table().Cell(3, 2), "Club night");
  EXPECT_EQ(list.Table().Cell(0, 2), "02/14/2006");
  EXPECT_EQ(list.Table().Cell(3, 3), ":monthly::2TUE Club night");
  EXPECT_EQ(list.Table().Row(), 2);
}

std::vector<std::string> AllCells(const ToDoList& list) {
  std::vector<std::string> cells;
  for (int row = 0; row < list.Table().RowCount(); ++row)
    for (int col = 0; col < list.Table().ColCount(); ++col)
      cells.emplace_back(list.Table().Cell(col, row));
  return cells;
}

TEST_F(FormTest, ShiftWithIncrementCatchesUpAndPlainIncrementStepsOnce) {
  Write(kHeader + "1/1/06,,,\":monthly Club night\"\r\n");
  MainWindow& form = Open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  GridOf(form)->setFocus();
  const std::string today = form.List().Dates().FormatDateText(form.List().Dates().Now());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
  EXPECT_EQ(form.List().Table().Cell(0, 1), "02/01/2006");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier | Qt::ShiftModifier);
  const std::string caughtUp(form.List().Table().Cell(0, 1));
  EXPECT_GE(caughtUp.substr(6) + caughtUp.substr(0, 5), today.substr(6) + today.substr(0, 5));
  form.List().Undo();
  QTest::mouseClick(Button(form, "IncrementButton"), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(form.List().Table().Cell(0, 1), caughtUp);
}

TEST_F(FormTest, CommonKeysFindSaveAndLeaveTheCellsAlone) {
  Write(kHeader + ",,,\"alpha\"\r\n,,,\"beta\"\r\n,,,\"alphabet\"\r\n");
  MainWindow form({}, Clock, File, "/home/x");
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.FocusGrid();
  QApplication::processEvents();
  ToDoList& list = form.List();
  EXPECT_EQ(FindEditOf(form)->placeholderText(), QStringLiteral("Find"));
  EXPECT_EQ(FindEditOf(form)->accessibleName(), QStringLiteral("Find"));

  const std::vector<std::string> before = AllCells(list);
  const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
  };
  FindEditOf(form)->setText(QStringLiteral("old"));
  press(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), FindEditOf(form));
  EXPECT_EQ(FindEditOf(form)->selectedText(), QStringLiteral("old"));
  QTest::keyClicks(FindEditOf(form), QStringLiteral("alpha"));

  // Enter in the box, then F3 from the grid, step through the matches and wrap round.
  const struct {
    Qt::Key Key;
    int Row;
  } steps[] = {{Qt::Key_Return, 1}, {Qt::Key_F3, 3}, {Qt::Key_F3, 1}};
  for (const auto& step : steps) {
    press(step.Key);
    EXPECT_EQ(list.Table().Row(), step.Row);
    EXPECT_EQ(list.Table().Col(), list.Layout().DescCol());
    EXPECT_TRUE(GridOf(form)->isAncestorOf(QApplication::focusWidget()));
  }
  press(Qt::Key_F, Qt::ControlModifier);
  press(Qt::Key_Escape);
  EXPECT_TRUE(GridOf(form)->isAncestorOf(QApplication::focusWidget()));
  EXPECT_EQ(AllCells(list), before);

  // Ctrl+S commits the cell being typed into and saves, as Alt+S does.
  press(Qt::Key_End);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Z"));
  press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_NE(Read().find("\"alphaZ\""), std::string::npos) << Read();
}

TEST_F(FormTest, ALinkGoesToTheOpenerAsItIsAndAFailureIsNamed) {
  MainWindow form({}, Clock, File, "/home/x");
  MessageDialog messages;
  form.SetDialogs(&messages, nullptr);
  std::vector<QUrl> asked;
  form.SetUrlOpener([&](const QUrl& url) {
    asked.push_back(url);
    return url.scheme() == QStringLiteral("mailto");
  });
  QString shown;
  QTimer::singleShot(0, [&] {
    shown = testing::Child<QLabel>(messages, "MessageLabel")->text();
    Button(messages, "ContinueButton")->click();
  });
  const std::string hostile = "/tmp/a#b?c;$(rm -rf x)`y`%41\xC3\xA9";
  form.OpenDocument(hostile);
  form.OpenDocument("mailto:someone@example.org?subject=Plants");
  ASSERT_EQ(asked.size(), 2U);
  EXPECT_TRUE(asked[0].isLocalFile());
  EXPECT_EQ(asked[0].toLocalFile().toStdString(), hostile);
  EXPECT_EQ(asked[1].toString(), QStringLiteral("mailto:someone@example.org?subject=Plants"));
  EXPECT_EQ(shown.toStdString(),
            "Could not open \"" + hostile + "\": no program on this desktop opens it.");
}

// Whatever a grid event's handler changes, the buttons show it once the event is done.
TEST_F(FormTest, GridEventsRefreshTheButtons) {
  Write(kHeader + ",,,\"a\"\r\n,,,\"b\"\r\n");
  MainWindow& form = Open();
  ToDoList& list = form.List();
  QPushButton* autoSort = Button(form, "AutoSortButton");
  const auto toggle = [&list](auto&&...) { list.AutoSortButtonClick(); };
  const struct {
    const char* Event;
    std::function<void()> Raise;
  } events[] = {
      {"cursor move",
       [&] {
         ListTestAccess::Table(list).SetSelectHandler(toggle);
         GridOf(form)->setCurrentIndex(GridOf(form)->model()->index(1, 3));
       }},
      {"paint hook",
       [&] {
         ListTestAccess::Table(list).SetDrawHook(toggle);
         GridOf(form)->viewport()->repaint();
       }},
  };
  // The first toggle leaves the caption as it was; from then on each one changes it.
  list.AutoSortButtonClick();
  for (const auto& event : events) {
    SCOPED_TRACE(event.Event);
    const bool wasOn = list.Sorting().Auto;
    event.Raise();
    QApplication::processEvents();
    EXPECT_NE(list.Sorting().Auto, wasOn);
    EXPECT_EQ(autoSort->text().toStdString(), list.Buttons().AutoSortCaption);
  }
  // A column the user widens keeps its width in the table.
  GridOf(form)->horizontalHeader()->resizeSection(3, 123);
  EXPECT_EQ(list.Table().ColWidth(3), 123);
}

}  // namespace
}  // namespace taskwell

namespace taskwell {
namespace {
// Rows that move under the open editor (Delete, undo, a header sort) leave every task its own
// text: the editor goes with the cursor, never writes into the row that took its place.
TEST_F(FormTest, RowsMovingUnderTheEditorKeepEveryTasksText) {
  Write(kHeader + "6/1/30,,,\"pear\"\r\n,,,\"apple\"\r\n,,,\"cherry\"\r\n");
  MainWindow& form = Open();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.FocusGrid();
  QApplication::processEvents();
  const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
  };
  press(Qt::Key_D, Qt::AltModifier);
  press(Qt::Key_Z, Qt::ControlModifier);
  QHeaderView* header = GridOf(form)->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(3) + 20, 5));
  QApplication::processEvents();
  QTest::qWait(50);
  press(Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(Read(), kHeader + ",,,\"apple\"\r\n,,,\"cherry\"\r\n6/1/30,,,\"pear\"\r\n");
}
}  // namespace
}  // namespace taskwell
