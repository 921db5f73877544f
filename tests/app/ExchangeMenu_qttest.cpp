// Export… and Import… in the window: long work shows its progress over the window, and Cancel
// leaves no file and no change behind.
#include "app/ExchangeMenu.h"

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "support/FakePlatform.h"
#include "support/QtApp.h"
#include "support/TempFiles.h"

namespace taskwell::testing {
namespace {

constexpr int kTasks = 20000;

struct MenuFixture {
  MenuFixture() {
    f.SetRows({{"", "1", "", "Existing"}});
    // Every piece of work shows its progress at once.
    menu.SetProgressAfter(std::chrono::milliseconds(0));
  }
  // Presses Cancel as soon as the progress shows, which is only while the work runs.
  void CancelWhenShown() {
    QTimer::singleShot(0, &window, [this] {
      auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("WorkProgress"));
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_EQ(dialog->parentWidget(), &window);
      dialog->cancel();
    });
  }
  std::size_t FilesIn(const std::string& folder) const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
  }

  ListFixture f;
  QWidget window;
  QWidget* grid = new QWidget(&window);
  ExchangeMenu menu{
      f.List, f.Ui, *grid,
      [this](const std::function<void()>& handler) { return f.List.Guarded(handler); },
      [] { return true; }};
  TempDir dir;
};

TEST(ExchangeMenu, ACancelledExportLeavesNoFileAndTheOldOneAsItWas) {
  MenuFixture m;
  std::vector<std::vector<std::string>> rows(kTasks, {"", "1", "", "Task"});
  m.f.SetRows(rows);
  const std::string path = m.dir.Path("out.ics");
  m.CancelWhenShown();
  m.menu.ExportTo(QString::fromStdString(path));
  EXPECT_EQ(m.FilesIn(m.dir.Root.string()), 0u);
  WriteBytes(path, "old");
  m.CancelWhenShown();
  m.menu.ExportTo(QString::fromStdString(path));
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(m.FilesIn(m.dir.Root.string()), 1u);
  EXPECT_TRUE(m.f.Ui.Errors.empty());

  m.menu.ExportTo(QString::fromStdString(path));
  EXPECT_TRUE(ReadBytes(path).starts_with("BEGIN:VCALENDAR"));
  EXPECT_EQ(m.window.findChild<QProgressDialog*>(), nullptr);
}

TEST(ExchangeMenu, ACancelledImportChangesNothing) {
  MenuFixture m;
  std::string todo;
  for (int i = 0; i < kTasks; ++i) todo += "(B) Task " + std::to_string(i) + "\n";
  const std::string path = m.dir.Path("phone.txt");
  WriteBytes(path, todo);
  m.CancelWhenShown();
  m.menu.ImportFrom(QString::fromStdString(path));
  EXPECT_EQ(m.f.Descriptions(), std::vector<std::string>{"Existing"});
  EXPECT_FALSE(m.f.List.History().CanUndo());
  EXPECT_TRUE(m.f.Ui.Messages.empty());
  EXPECT_TRUE(m.f.Ui.Errors.empty());

  m.menu.ImportFrom(QString::fromStdString(path));
  EXPECT_EQ(m.f.Descriptions().size(), kTasks + 1u);
  ASSERT_EQ(m.f.Ui.Messages.size(), 1u);
  EXPECT_EQ(m.f.Ui.Messages[0].Caption, "Import");
  EXPECT_EQ(m.window.findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
}  // namespace taskwell::testing
