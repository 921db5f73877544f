// The program introduces itself to the desktop by the names its desktop file uses.
#include "app/DesktopIdentity.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "app/MainWindow.h"
#include "document/Version.h"
#include "support/FakePlatform.h"
#include "support/QtApp.h"
#include "support/TempFiles.h"

namespace taskwell {
namespace {

TEST(DesktopIdentity, NamesVersionIconAndDesktopFile) {
  ApplyDesktopIdentity();
  const testing::TempDir folder;
  const FixedClock clock(testing::Day(2026, 6, 10));
  // The list title goes into the caption; it must not rename the application.
  MainWindow form({}, clock, folder.Path("home.todo"), folder.Root.string());
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("taskwell"));
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Taskwell"));
  EXPECT_EQ(QCoreApplication::applicationVersion(), QString::fromLatin1(kVersion));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Taskwell V") + QString::fromLatin1(kVersion) +
                                    QStringLiteral(" - home"));
  EXPECT_FALSE(form.windowIcon().pixmap(64, 64).isNull());
}

}  // namespace
}  // namespace taskwell
