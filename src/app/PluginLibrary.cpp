#include "app/PluginLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace taskwell {
namespace {

QStringList Places() {
  QStringList places;
  const QString chosen = qEnvironmentVariable("TASKWELL_PLUGIN_DIR");
  if (!chosen.isEmpty()) places << chosen;
  const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
  if (!program.isEmpty()) places << program << program + QStringLiteral("/../lib/taskwell");
  return places;
}

}  // namespace

QFunctionPointer PluginLibrary::Entry(const QString& file, const char* entry, QString& problem) {
  for (const QString& place : Places()) {
    const QString path = QDir(place).absoluteFilePath(file);
    if (!QFileInfo::exists(path)) continue;
    QLibrary library(path);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (QFunctionPointer found = library.resolve(entry)) return found;
    problem = QCoreApplication::translate("taskwell", "%1 could not be loaded: %2")
                  .arg(path, library.errorString());
    return nullptr;
  }
  problem = QCoreApplication::translate("taskwell", "%1 is not installed").arg(file);
  return nullptr;
}

}  // namespace taskwell
