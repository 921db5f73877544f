#include "app/NetworkParts.h"

#include "app/PluginLibrary.h"

namespace taskwell {

NetworkParts* NetworkParts::Loaded(QString& problem) {
  // The plug-in stays loaded once it is, and its parts are one object for the whole process.
  const auto entry = PluginLibrary::EntryOf<TaskwellNetworkPartsEntry>(
      QStringLiteral("taskwell-network.so"), "taskwell_network_parts", problem);
  return entry != nullptr ? entry() : nullptr;
}

}  // namespace taskwell
