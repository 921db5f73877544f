// The plug-ins are found where the build puts them, and a missing or broken one is named.
#include "app/PluginLibrary.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QFile>
#include <QTemporaryDir>

namespace taskwell {
namespace {

TEST(PluginLibrary, FindsEachPartAndNamesOneItCannotLoad) {
  QString problem;
  ::setenv("TASKWELL_PLUGIN_DIR", TASKWELL_PLUGIN_BUILD_DIR, 1);
  EXPECT_NE(PluginLibrary::Entry(QStringLiteral("taskwell-network.so"), "taskwell_network_parts",
                                 problem),
            nullptr)
      << problem.toStdString();
  EXPECT_NE(
      PluginLibrary::Entry(QStringLiteral("taskwell-print.so"), "taskwell_print_dialog", problem),
      nullptr)
      << problem.toStdString();

  const QTemporaryDir folder;
  QFile broken(folder.filePath(QStringLiteral("taskwell-broken.so")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a library");
  broken.close();
  ::setenv("TASKWELL_PLUGIN_DIR", folder.path().toLocal8Bit().constData(), 1);
  EXPECT_EQ(PluginLibrary::Entry(QStringLiteral("taskwell-broken.so"), "entry", problem), nullptr);
  EXPECT_TRUE(problem.startsWith(broken.fileName() + QStringLiteral(" could not be loaded: ")))
      << problem.toStdString();
  EXPECT_EQ(PluginLibrary::Entry(QStringLiteral("taskwell-none.so"), "entry", problem), nullptr);
  EXPECT_EQ(problem, QStringLiteral("taskwell-none.so is not installed"));
  ::unsetenv("TASKWELL_PLUGIN_DIR");
}

}  // namespace
}  // namespace taskwell
