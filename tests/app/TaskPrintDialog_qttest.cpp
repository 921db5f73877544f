#include "plugins/TaskPrintDialog.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "support/QtApp.h"

namespace taskwell {
namespace {

// What the dialog showed when it opened.
struct Shown {
  bool RangeChosen = false;
  int From = -1;
  int To = -1;
  int Minimum = -1;
  int Maximum = -1;
  bool PageListOffered = true;
};

// Drives one showing of the dialog: records what it shows, lets answer change the fields, then
// presses OK or Cancel.
class DialogDriver {
 public:
  explicit DialogDriver(TaskPrintDialog& dialog) : Dialog(dialog) {}

  bool Run(PrintChoice& choice, bool ok, const std::function<void(DialogDriver&)>& answer = {}) {
    QTimer::singleShot(0, [&] {
      QPrintDialog& d = Dialog.Dialog();
      LastShown = {Range()->isChecked(), From()->value(),
                   To()->value(),        From()->minimum(),
                   To()->maximum(),      Widget("pagesRadioButton")->isVisibleTo(&d)};
      if (answer) answer(*this);
      ok ? d.accept() : d.reject();
    });
    return Dialog.Exec(nullptr, choice);
  }

  void ChooseRange(int from, int to) {
    Range()->setChecked(true);
    From()->setValue(from);
    To()->setValue(to);
  }
  void ChooseAll() { Widget("printAll")->setProperty("checked", true); }
  // Without a printer the dialog prints to a file; this names it.
  void ChooseFile(const QString& path) { Widget("filename")->setProperty("text", path); }

  Shown LastShown;

 private:
  QWidget* Widget(const char* name) {
    QWidget* widget = Dialog.Dialog().findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QRadioButton* Range() { return qobject_cast<QRadioButton*>(Widget("printRange")); }
  QSpinBox* From() { return qobject_cast<QSpinBox*>(Widget("from")); }
  QSpinBox* To() { return qobject_cast<QSpinBox*>(Widget("to")); }

  TaskPrintDialog& Dialog;
};

TEST(TaskPrintDialog, OffersPagesFromZeroTo999AndNoSelection) {
  TaskPrintDialog dialog;
  QPrintDialog& d = dialog.Dialog();
  EXPECT_TRUE(d.testOption(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(d.testOption(QAbstractPrintDialog::PrintSelection));
  EXPECT_TRUE(d.testOption(QAbstractPrintDialog::PrintToFile));
  EXPECT_EQ(d.minPage(), 0);
  EXPECT_EQ(d.maxPage(), 999);

  DialogDriver driver(dialog);
  PrintChoice choice{false, 0, 0};
  ASSERT_TRUE(driver.Run(choice, true));
  EXPECT_EQ(driver.LastShown.Minimum, 0);
  EXPECT_EQ(driver.LastShown.Maximum, 999);
  EXPECT_FALSE(driver.LastShown.PageListOffered);
}

TEST(TaskPrintDialog, ReadsBackTheChoiceConfirmedWithOk) {
  struct Case {
    const char* Name;
    std::function<void(DialogDriver&)> Answer;
    PrintChoice Expected;
  };
  const Case cases[] = {
      {"today only", [](DialogDriver& d) { d.ChooseRange(0, 0); }, {false, 0, 0}},
      {"a week from tomorrow", [](DialogDriver& d) { d.ChooseRange(1, 7); }, {false, 1, 7}},
      {"up to the last page", [](DialogDriver& d) { d.ChooseRange(0, 999); }, {false, 0, 999}},
      {"everything", [](DialogDriver& d) { d.ChooseAll(); }, {true, 0, 0}},
  };
  for (const Case& c : cases) {
    TaskPrintDialog dialog;
    DialogDriver driver(dialog);
    PrintChoice choice{false, 0, 0};
    ASSERT_TRUE(driver.Run(choice, true, c.Answer)) << c.Name;
    EXPECT_EQ(choice.PrintAll, c.Expected.PrintAll) << c.Name;
    if (!c.Expected.PrintAll) {
      EXPECT_EQ(choice.From, c.Expected.From) << c.Name;
      EXPECT_EQ(choice.To, c.Expected.To) << c.Name;
    }
  }
}

TEST(TaskPrintDialog, RangeIsEmptiedButTheAllOrRangeChoiceKeptAcrossRuns) {
  TaskPrintDialog dialog;
  DialogDriver driver(dialog);
  PrintChoice choice;  // everything at first

  ASSERT_TRUE(driver.Run(choice, true, [](DialogDriver& d) { d.ChooseRange(2, 5); }));
  EXPECT_FALSE(driver.LastShown.RangeChosen);
  EXPECT_EQ((std::pair{choice.From, choice.To}), (std::pair{2, 5}));

  // The window presets the range to 0 each time and passes the kept choice back.
  choice.From = choice.To = 0;
  EXPECT_FALSE(driver.Run(choice, false, [](DialogDriver& d) { d.ChooseAll(); }));
  EXPECT_TRUE(driver.LastShown.RangeChosen);
  EXPECT_EQ((std::pair{driver.LastShown.From, driver.LastShown.To}), (std::pair{0, 0}));
  EXPECT_FALSE(choice.PrintAll);  // cancel changed nothing

  ASSERT_TRUE(driver.Run(choice, true));
  EXPECT_TRUE(driver.LastShown.RangeChosen);
  EXPECT_EQ((std::pair{driver.LastShown.From, driver.LastShown.To}), (std::pair{0, 0}));
  EXPECT_FALSE(choice.PrintAll);
  EXPECT_EQ((std::pair{choice.From, choice.To}), (std::pair{0, 0}));
}

TEST(TaskPrintDialog, PrintsToThePdfFileChosenInTheDialog) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString pdf = folder.filePath(QStringLiteral("tasks.pdf"));
  TaskPrintDialog dialog;
  DialogDriver driver(dialog);
  PrintChoice choice;
  ASSERT_TRUE(driver.Run(choice, true, [&](DialogDriver& d) { d.ChooseFile(pdf); }));
  if (dialog.Printer().outputFormat() != QPrinter::PdfFormat) {
    GTEST_SKIP() << "a real printer is installed; the dialog does not default to a file";
  }
  std::unique_ptr<PrinterTextStream> stream = dialog.OpenStream("Chores");
  stream->WriteLine("Chores");
  stream->Close();
  EXPECT_EQ(dialog.Printer().outputFileName(), pdf);
  EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST(TaskPrintDialog, BelongsToTheWindowItIsMadeFor) {
  // The desktop places a dialog over its parent, and stacks it with it.
  QWidget window;
  TaskPrintDialog dialog(&window);
  EXPECT_EQ(dialog.Dialog().parentWidget(), &window);
  EXPECT_TRUE(dialog.Dialog().isWindow());
}

TEST(TaskPrintDialog, ParentedToAWindowThatGoesFirst) {
  TaskPrintDialog dialog;
  PrintChoice choice;
  {
    QWidget window;
    DialogDriver driver(dialog);
    ASSERT_TRUE(driver.Run(choice, true));
    dialog.Dialog().setParent(&window, dialog.Dialog().windowFlags());
  }
  // The window deleted the old dialog; a new one takes its place.
  DialogDriver driver(dialog);
  EXPECT_TRUE(driver.Run(choice, true));
}

}  // namespace
}  // namespace taskwell
