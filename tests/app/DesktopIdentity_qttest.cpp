// The program introduces itself to the desktop by the names its desktop file uses.
#include "app/DesktopIdentity.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "app/MainWindow.h"
#include "support/FakePlatform.h"
#include "support/QtApp.h"

namespace taskwell {
namespace {

TEST(DesktopIdentity, NamesVersionIconAndDesktopFile) {
  testing::EnsureApplication();
  ApplyDesktopIdentity();
  const auto folder = std::filesystem::temp_directory_path() / "taskwell-identity";
  std::filesystem::create_directories(folder);
  const FixedClock clock(testing::Day(2026, 6, 10));
  // The list title goes into the caption; it must not rename the application.
  MainWindow form({}, clock, (folder / "home.todo").string(), folder.string());
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("taskwell"));
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Taskwell"));
  EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral("3.4"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Taskwell V3.4 - home"));
  EXPECT_FALSE(form.windowIcon().pixmap(64, 64).isNull());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace taskwell
