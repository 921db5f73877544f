#include "app/NetworkParts.h"

#include "app/PluginLibrary.h"

namespace taskwell {

NetworkParts* NetworkParts::Loaded(QString& problem) {
  static QString failure;
  static NetworkParts* const parts = [] {
    const auto entry = PluginLibrary::EntryOf<TaskwellNetworkPartsEntry>(
        QStringLiteral("taskwell-network.so"), "taskwell_network_parts", failure);
    return entry != nullptr ? entry() : nullptr;
  }();
  if (parts == nullptr) problem = failure;
  return parts;
}

}  // namespace taskwell
