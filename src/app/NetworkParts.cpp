#include "app/NetworkParts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include "app/SyncText.h"

namespace taskwell {
namespace {

const QString kFile = QStringLiteral("taskwell-network.so");
constexpr char kEntry[] = "taskwell_network_parts";

// Where the plug-in may be: TASKWELL_PLUGIN_DIR when set, beside the program (a build tree), and
// in lib/taskwell beside its bin/ (an installed tree).
QStringList Places() {
  QStringList places;
  const QString chosen = qEnvironmentVariable("TASKWELL_PLUGIN_DIR");
  if (!chosen.isEmpty()) places << chosen;
  const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
  if (!program.isEmpty()) places << program << program + QStringLiteral("/../lib/taskwell");
  return places;
}

NetworkParts* Load(QString& problem) {
  for (const QString& place : Places()) {
    const QString path = QDir(place).absoluteFilePath(kFile);
    if (!QFileInfo::exists(path)) continue;
    // Never unloaded: its parts and their Qt objects live as long as the process.
    QLibrary library(path);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto entry = reinterpret_cast<TaskwellNetworkPartsEntry>(library.resolve(kEntry));
    if (entry != nullptr) return entry();
    problem = synctext::tr("the sync's network part %1 could not be loaded: %2")
                  .arg(path, library.errorString());
    return nullptr;
  }
  problem = synctext::tr("the sync's network part %1 is not installed").arg(kFile);
  return nullptr;
}

}  // namespace

NetworkParts* NetworkParts::Loaded(QString& problem) {
  static QString failure;
  static NetworkParts* const parts = Load(failure);
  if (parts == nullptr) problem = failure;
  return parts;
}

}  // namespace taskwell
